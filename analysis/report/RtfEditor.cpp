#include "RtfEditor.h"

#include "ProgramInfo.h"
#include "Prompter.h"
#include "Settings.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

// The layout is built into the library as a resource, which a static library must ask for.
static void LoadReportResources() { Q_INIT_RESOURCE(report); }

namespace RtfEditor {

namespace {

// The desktop entry that opens RTF files, by the desktop's MIME associations.
QString DefaultDesktopEntry() {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return QString();
  for (const char* type : {"text/rtf", "application/rtf"}) {
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(type)});
    if (!query.waitForFinished(5000)) continue;
    const QString entry = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (entry.isEmpty()) continue;
    const QString path =
        QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry, QStandardPaths::LocateFile);
    if (!path.isEmpty()) return path;
  }
  return QString();
}

QString ExecOf(const QString& desktopEntry) {
  QFile file(desktopEntry);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith(QLatin1Char('['))) inEntry = line == QLatin1String("[Desktop Entry]");
    if (inEntry && line.startsWith(QLatin1String("Exec="))) return line.mid(5);
  }
  return QString();
}

void Tell(const QString& text, const QString& title, int style) { praxel::CurrentPrompter().MsgBox(text, style, title); }

// The editor found for this run.
QStringList& FoundCommand() {
  static QStringList command;
  return command;
}

// The editor's start failed: the program and the reason.
void TellStartFailed(const QString& program, const QString& reason) {
  Tell(QStringLiteral("Shell function error\n\n") + QDir::toNativeSeparators(program) + QStringLiteral(": ") + reason,
       QStringLiteral("Internal Error"), praxel::MsgCritical);
}

// The editor's program and arguments as the user's setting or the desktop names them now.
QStringList LookUpCommand() {
  const QString chosen = Settings::ReadSettings(QStringLiteral("RtfEditor")).trimmed();
  if (!chosen.isEmpty()) return QProcess::splitCommand(chosen);
  const QString entry = DefaultDesktopEntry();
  return entry.isEmpty() ? QStringList() : DesktopEntryCommand(ExecOf(entry));
}

}  // namespace

QStringList DesktopEntryCommand(const QString& execValue) {
  QStringList command;
  for (const QString& part : QProcess::splitCommand(execValue)) {
    static const QRegularExpression fieldCode(QStringLiteral("^%[fFuUdDnNickvm]$"));
    if (fieldCode.match(part).hasMatch()) continue;
    command.append(part);
  }
  return command;
}

QStringList Command() {
  QStringList& command = FoundCommand();
  if (command.isEmpty()) command = LookUpCommand();
  return command;
}

void ForgetCommand() { FoundCommand().clear(); }

bool Launch(const QString& report, bool wait) {
  QStringList command = Command();
  if (command.isEmpty()) {
    Tell(QStringLiteral("No editor is registered for .RTF files."), QStringLiteral("No .RTF Editor"),
         praxel::MsgExclamation);
    return false;
  }
  QProcess editor;
  editor.setProgram(command.takeFirst());
  editor.setArguments(command << QDir::toNativeSeparators(report));
  if (!wait) {
    if (editor.startDetached()) return true;
    TellStartFailed(editor.program(), editor.errorString());
    return false;
  }
  QEventLoop loop;
  QObject::connect(&editor, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&editor, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
  editor.start();
  if (!editor.waitForStarted(10000)) {
    TellStartFailed(editor.program(), editor.errorString());
    return false;
  }
  // As an analysis holds it: nothing the user does may change the model before the report is read.
  if (editor.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return true;
}

}  // namespace RtfEditor

namespace StatusReports {

QString Folder() { return QDir(praxel::ProgramDataFolder()).filePath(QStringLiteral("Reports")); }

QString FileFor(const QString& projectName) {
  QString name = projectName.trimmed();
  static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
  name.replace(unsafe, QStringLiteral("_"));
  // No name of dots only (".", ".."), none hidden.
  if (name.startsWith(QLatin1Char('.'))) name.replace(0, 1, QLatin1Char('_'));
  if (name.isEmpty()) name = QStringLiteral("_");
  return QDir(Folder()).filePath(name + QStringLiteral(".rtf"));
}

QString LayoutPath() {
  LoadReportResources();
  const QString own = QDir(praxel::ProgramDataFolder()).filePath(QStringLiteral("StatusReportLayout.rtf"));
  return QFileInfo::exists(own) ? own : QStringLiteral(":/report/StatusReportLayout.rtf");
}

}  // namespace StatusReports
