#include "ErrTrap.h"

#include "ProgramInfo.h"
#include "Prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>
#include <QPointer>

#include <new>
#include <stdexcept>

namespace ErrTrap {

namespace {

const QString kNewLine = QStringLiteral("\r\n");

QPointer<QObject>& ErrTrapForm() {
  static QPointer<QObject> form;
  return form;
}

// The label padded to the next 14-character print zone, so that values start at column 15.
QString Labelled(const QString& label, const QString& value) {
  return label.leftJustified(14, QLatin1Char(' ')) + value + kNewLine;
}

// "mm/dd/yy hh:mm:ssam": two digits each, twelve-hour clock, "am" or "pm" right after the seconds.
QString LogTime(const QDateTime& now) {
  const QTime time = now.time();
  const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
  return QStringLiteral("%1/%2/%3 %4:%5:%6%7")
      .arg(now.date().month(), 2, 10, QLatin1Char('0'))
      .arg(now.date().day(), 2, 10, QLatin1Char('0'))
      .arg(now.date().year() % 100, 2, 10, QLatin1Char('0'))
      .arg(hour12, 2, 10, QLatin1Char('0'))
      .arg(time.minute(), 2, 10, QLatin1Char('0'))
      .arg(time.second(), 2, 10, QLatin1Char('0'))
      .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

QString AnswerText(int answer) {
  switch (answer) {
    case praxel::AnswerAbort: return QStringLiteral("[Abort]");
    case praxel::AnswerRetry: return QStringLiteral("[Retry]");
    case praxel::AnswerIgnore: return QStringLiteral("[Ignore]");
    default: return QString();
  }
}

QString FullEntry(const QString& message, const QString& location, int answer) {
  const QString file = ModuleFile();
  QString entry = QString(79, QLatin1Char('-')) + kNewLine + message + kNewLine + kNewLine;
  entry += Labelled(QStringLiteral("Time:"), LogTime(QDateTime::currentDateTime()));
  entry += Labelled(QStringLiteral("Section:"), location);
  entry += Labelled(QStringLiteral("Exe file:"), file);
  entry += Labelled(QStringLiteral("Exe version:"), praxel::VersionText(praxel::CurrentVersion()));
  // A file whose date cannot be read loses the whole line, label included.
  const QDateTime changed = praxel::FileChangeDate(file);
  if (changed.isValid()) entry += Labelled(QStringLiteral("Exe date:"), QLocale().toString(changed, QLocale::ShortFormat));
  entry += Labelled(QStringLiteral("User action:"), AnswerText(answer));
  return entry;
}

bool& InputErrorsPlain() {
  static bool plain = false;
  return plain;
}

// The message as an entry quotes it: cut at the longest an entry holds.
QString LoggedMessage(const QString& message) {
  if (message.size() <= kLongestLogMessage) return message;
  return message.left(kLongestLogMessage) + QStringLiteral("... (%1 characters in all)").arg(message.size());
}

int& FailuresAskedCount() {
  static int count = 0;
  return count;
}

void ClearStatusMessage() {
  QObject* form = ErrTrapForm().data();
  if (form == nullptr) return;
  const QByteArray signature = QMetaObject::normalizedSignature("StatusMessage(QString)");
  if (form->metaObject()->indexOfMethod(signature.constData()) < 0) return;
  try {
    QMetaObject::invokeMethod(form, "StatusMessage", Qt::DirectConnection, Q_ARG(QString, QString()));
  } catch (...) {
    // The trap is ending a chain already; a failing status bar is not worth a second one.
  }
}

}  // namespace

CallChain::CallChain(QString chain) : chain_(std::move(chain)), what_(chain_.toStdString()) {}

// Out of line so that the class's type information has one home in each binary.
CallChain::~CallChain() = default;

ErrorInfo ErrorOf(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const CallChain& chain) {
    return {praxel::errCallChain, chain.Chain()};
  } catch (const praxel::InputError& error) {
    return {error.Number(), error.Description(), true};
  } catch (const praxel::RuntimeError& error) {
    return {error.Number(), error.Description()};
  } catch (const std::bad_alloc&) {
    return {praxel::errOutOfMemory, QStringLiteral("Out of memory")};
  } catch (const std::out_of_range&) {
    return {praxel::errSubscript, QStringLiteral("Subscript out of range")};
  } catch (const std::overflow_error&) {
    return {praxel::errOverflow, QStringLiteral("Overflow")};
  } catch (const std::exception& error) {
    return {praxel::errInternal, QString::fromLocal8Bit(error.what())};
  } catch (...) {
    return {praxel::errInternal, QStringLiteral("Internal error")};
  }
}

int TrapError(const Site& Location) {
  const ErrorInfo error = ErrorOf(std::current_exception());
  QString text;
  if (error.number == praxel::errCallChain) {
    // A chain coming up from a callee: add this procedure in front, asking nothing.
    text = QStringLiteral("  ") + Location.Text() + kNewLine + error.description;
  } else {
    ++FailuresAskedCount();
    const bool plain = error.input && InputErrorsPlain();
    const QString message =
        plain ? error.description : QStringLiteral("Internal error %1: %2").arg(error.number).arg(error.description);
    const int answer = praxel::CurrentPrompter().MsgBox(
        message, praxel::MsgAbortRetryIgnore | praxel::MsgCritical | praxel::MsgDefaultButton1,
        QStringLiteral("Internal Error"));
    if (!plain) LogError(message, Location.Text(), answer);
    if (answer == praxel::AnswerRetry || answer == praxel::AnswerIgnore) return answer;
    text = QStringLiteral("  ") + Location.Text();
  }
  if (!Location.IsEventHandler()) throw CallChain(text);
  // An event handler: the chain ends here.
  LogError(QStringLiteral("Call chain:") + kNewLine + text, QString(), 0);
  ClearStatusMessage();
  return praxel::AnswerAbort;
}

int FailuresAsked() { return FailuresAskedCount(); }

void SetInputErrorsPlain(bool plain) { InputErrorsPlain() = plain; }

void LogError(const QString& Message, const QString& Location, int Answer) {
  try {
    const QString path = LogFilePath();
    if (QFileInfo(path).size() >= kLogLimit) {
      QFile::remove(path + QStringLiteral(".1"));
      QFile::rename(path, path + QStringLiteral(".1"));
    }
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    const QString message = LoggedMessage(Message);
    const QString entry = Answer != 0 ? FullEntry(message, Location, Answer) : message + kNewLine;
    log.write(entry.toUtf8());
  } catch (...) {
    // Logging never fails: an entry that cannot be written is skipped.
  }
}

QString JoinPath(const QString& Dir, const QString& Name) {
  if (Dir.endsWith(QLatin1Char('/'))) return Dir + Name;
  return Dir + QLatin1Char('/') + Name;
}

void SetErrTrapForm(QObject* MainWindow) { ErrTrapForm() = MainWindow; }

QString ModuleFile() {
  // The address of this function lies in whichever binary holds this copy of the trap.
  static const QString file = praxel::ModuleFilePath(reinterpret_cast<const void*>(&ModuleFile));
  return file;
}

QString LogFilePath() {
  static const QString name = [] {
    if (ModuleFile() == praxel::ProgramFilePath()) return QStringLiteral("ErrTrap.log");
    return QFileInfo(ModuleFile()).baseName() + QStringLiteral("-ErrTrap.log");
  }();
  return JoinPath(praxel::ProgramDataFolder(), name);
}

}  // namespace ErrTrap
