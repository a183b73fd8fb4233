#include "InstwrapFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

ProgramRun RunProgram(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, arguments);
  ProgramRun run;
  if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit) run.exitCode = process.exitCode();
  run.output = QString::fromLocal8Bit(process.readAll()).trimmed();
  return run;
}

void ScriptedPrompts::Tell(const QString& text, const QString& title, instwrap::PromptIcon icon) {
  told.append({text, title, icon});
}

bool ScriptedPrompts::AskYesNo(const QString& text, const QString& title) {
  questions.append(title + QStringLiteral(": ") + text);
  return answers.isEmpty() ? false : answers.takeFirst();
}

namespace {

const char* const kVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS",
                                  "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"};

}  // namespace

void InstwrapFixture::SetUp() {
  ASSERT_TRUE(root_.isValid());
  for (const char* name : kVariables) savedEnvironment_.insert(name, qgetenv(name));
  qputenv("HOME", Path(QStringLiteral("home")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", Path(QStringLiteral("home/.local/share")).toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", Path(QStringLiteral("home/.config")).toLocal8Bit());
  qputenv("XDG_DATA_DIRS", Path(QStringLiteral("prefix/share")).toLocal8Bit());
  qputenv("XDG_CONFIG_DIRS", Path(QStringLiteral("etc/xdg")).toLocal8Bit());
  qunsetenv("XDG_CURRENT_DESKTOP");
  qunsetenv("DESKTOP_SESSION");
  QDir().mkpath(Path(QStringLiteral("home")));
  QDir().mkpath(Path(QStringLiteral("media")));
}

void InstwrapFixture::TearDown() {
  for (auto it = savedEnvironment_.cbegin(); it != savedEnvironment_.cend(); ++it) {
    if (it.value().isNull()) {
      qunsetenv(it.key().constData());
    } else {
      qputenv(it.key().constData(), it.value());
    }
  }
}

QString InstwrapFixture::Path(const QString& relative) const { return root_.filePath(relative); }

void InstwrapFixture::Write(const QString& relative, const QByteArray& bytes) const {
  const QString path = Path(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

QByteArray InstwrapFixture::Read(const QString& relative) const {
  QFile file(Path(relative));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void InstwrapFixture::InstallPrefix(const QMap<QString, QByteArray>& binFiles, const QMap<QString, QByteArray>& libFiles,
                                    const QByteArray& versions) {
  for (auto it = binFiles.cbegin(); it != binFiles.cend(); ++it) Write(QStringLiteral("prefix/bin/") + it.key(), it.value());
  for (auto it = libFiles.cbegin(); it != libFiles.cend(); ++it) Write(QStringLiteral("prefix/lib/") + it.key(), it.value());
  Write(QStringLiteral("prefix/share/praxel/program-path"), (Path(QStringLiteral("prefix/bin/praxel")) + "\n").toUtf8());
  Write(QStringLiteral("prefix/share/praxel/versions"), versions);
}

void InstwrapFixture::WriteMedia(const QByteArray& setupList, const QMap<QString, QByteArray>& files) {
  Write(QStringLiteral("media/Setup.lst"), setupList);
  for (auto it = files.cbegin(); it != files.cend(); ++it) Write(QStringLiteral("media/") + it.key(), it.value());
}

instwrap::DesktopFolders InstwrapFixture::Desktop() const { return instwrap::DesktopFolders::FromEnvironment(); }

QStringList InstwrapFixture::UpdateArguments() const {
  return {Path(QStringLiteral("media")) + QLatin1Char('/'), Path(QStringLiteral("update.tmp"))};
}
