#include "DesktopRegistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

// The MIME package and the desktop entry are built into the program as resources.
static void LoadInstwrapResources() { Q_INIT_RESOURCE(instwrap); }

namespace instwrap {

namespace {

QByteArray Resource(const QString& name) {
  LoadInstwrapResources();
  QFile file(QStringLiteral(":/instwrap/") + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ProgramPath(const QString& targetPath) {
  return QDir(targetPath).filePath(QString::fromLatin1(kProgramFileName));
}

}  // namespace

QByteArray MimePackageText() { return Resource(QStringLiteral("praxel-mime.xml")); }

QByteArray DesktopEntryText(const QString& program) {
  QByteArray text = Resource(QStringLiteral("praxel.desktop.in"));
  return text.replace("@PRAXEL_EXEC@", ExecProgram(program).toUtf8());
}

QString ExecProgram(const QString& program) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
  QString exec = program;
  exec.replace(QLatin1Char('%'), QStringLiteral("%%"));
  if (plain.match(program).hasMatch()) return exec;
  // Inside quotes a backslash, a double quote, a backquote and a dollar sign take a backslash;
  // the entry's string rules then double every backslash once more.
  QString quoted;
  for (const QChar c : exec) {
    if (c == QLatin1Char('\\') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')) {
      quoted += QLatin1Char('\\');
    }
    quoted += c;
  }
  quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes, bool executable) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    return QStringLiteral("the folder of %1 cannot be made").arg(path);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    return QStringLiteral("%1 cannot be written (%2)").arg(path, file.errorString());
  }
  if (executable) {
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
  }
  if (!file.commit()) return QStringLiteral("%1 cannot be written (%2)").arg(path, file.errorString());
  return QString();
}

QString SetDefaultApplications(const QString& path, const QString& desktopEntry, const QStringList& types) {
  QStringList lines;
  QFile existing(path);
  if (existing.exists()) {
    if (!existing.open(QIODevice::ReadOnly | QIODevice::Text)) {
      return QStringLiteral("%1 cannot be read (%2)").arg(path, existing.errorString());
    }
    lines = QString::fromUtf8(existing.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
  }

  QStringList ours;
  for (const QString& type : types) ours.append(type + QLatin1Char('=') + desktopEntry);

  const QString header = QStringLiteral("[Default Applications]");
  qsizetype section = lines.indexOf(header);
  if (section < 0) {
    if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty()) lines.append(QString());
    lines.append(header);
    section = lines.size() - 1;
  }
  // Earlier defaults of the same types give way; the section's other lines stay.
  for (qsizetype i = section + 1; i < lines.size() && !lines[i].startsWith(QLatin1Char('['));) {
    const QString key = lines[i].section(QLatin1Char('='), 0, 0).trimmed();
    if (types.contains(key)) {
      lines.removeAt(i);
    } else {
      ++i;
    }
  }
  for (qsizetype i = 0; i < ours.size(); ++i) lines.insert(section + 1 + i, ours[i]);
  return WriteWholeFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), false);
}

DesktopRegistration::DesktopRegistration(DesktopFolders folders) : folders_(std::move(folders)) {}

QString DesktopRegistration::CreateShortcut(const QString& targetPath, QString& path) const {
  path = QDir(folders_.desktop).filePath(QString::fromLatin1(kDesktopEntryName));
  return WriteWholeFile(path, DesktopEntryText(ProgramPath(targetPath)), true);
}

QString DesktopRegistration::RegisterFileTypes(QString& path) const {
  const QString database = folders_.dataHome + QStringLiteral("/mime");
  path = database + QStringLiteral("/packages/") + QString::fromLatin1(kMimePackageName);
  const QString written = WriteWholeFile(path, MimePackageText(), false);
  if (!written.isEmpty()) return written;

  const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
  if (update.isEmpty()) {
    return QStringLiteral("update-mime-database (package shared-mime-info) is not installed, so the desktop "
                          "does not know the file types yet");
  }
  QProcess process;
  process.start(update, {database});
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    return QStringLiteral("update-mime-database %1 failed: %2")
        .arg(database, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
  }
  return QString();
}

QString DesktopRegistration::RegisterDesktopEntry(const QString& targetPath, QString& path) const {
  path = folders_.dataHome + QStringLiteral("/applications/") + QString::fromLatin1(kDesktopEntryName);
  return WriteWholeFile(path, DesktopEntryText(ProgramPath(targetPath)), false);
}

QString DesktopRegistration::SetAsDefault(QString& path) const {
  path = folders_.configHome + QStringLiteral("/mimeapps.list");
  return SetDefaultApplications(path, QString::fromLatin1(kDesktopEntryName),
                                {QString::fromLatin1(kBundleType), QString::fromLatin1(kPlainType)});
}

}  // namespace instwrap
