#include "Instwrap.h"

#include "CommandLine.h"
#include "DesktopRegistration.h"
#include "SetupList.h"
#include "VersionRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace instwrap {

namespace {

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

// Why an install answered `result`, for the user.
QString InstallFailure(int result, const QString& folder) {
  if ((result & InstallSourceNotRegular) != 0) {
    return QStringLiteral("was refused: in the source folder it is not a regular file (a link, a folder, a pipe or a device)");
  }
  if ((result & InstallCannotReadSource) != 0) return QStringLiteral("cannot be read from the source folder");
  if ((result & (InstallCannotCreate | InstallCannotRename)) != 0) {
    return QStringLiteral("cannot be written to %1").arg(folder);
  }
  return QStringLiteral("was not installed (result %1)").arg(result);
}

}  // namespace

Instwrap::Instwrap(QStringList arguments, QString listFolder, DesktopFolders desktop, Prompts& prompts)
    : arguments_(std::move(arguments)), listFolder_(std::move(listFolder)), desktop_(std::move(desktop)),
      prompts_(prompts) {}

Instwrap::~Instwrap() = default;

bool Instwrap::Load() {
  GetInstalledPath(installation_);
  if (installation_.targetPath.isEmpty()) {
    RunSetup();
    GetInstalledPath(installation_);
    if (!installation_.targetPath.isEmpty()) RegisterInstall();
    return false;
  }

  commandLine_ = JoinCommandLine(arguments_).trimmed();
  sourcePath_ = WithoutTrailingSlash(NextArgument(commandLine_));
  logFile_ = NextArgument(commandLine_);
  if (sourcePath_.isEmpty() || logFile_.isEmpty()) {
    prompts_.Tell(QStringLiteral("PRAXEL is installed in %1. To update it, start this program with two "
                                 "arguments: the folder of the new files and the path of the update log.")
                      .arg(installation_.targetPath),
                  QStringLiteral("Update PRAXEL"), PromptIcon::Information);
    return false;
  }
  if (!log_.Open(logFile_)) {
    prompts_.Tell(QStringLiteral("The update log %1 cannot be written: %2").arg(logFile_, log_.ErrorString()),
                  QStringLiteral("Update PRAXEL"), PromptIcon::Critical);
    return false;
  }
  const InstallFolders folders = FoldersBeside(installation_.targetPath);
  windowsDir_ = folders.windowsFolder;
  systemDir_ = folders.systemFolder;
  ownInstaller_ = std::make_unique<RecordedFileInstaller>(
      systemDir_, QDir(installation_.recordFolder).filePath(QString::fromLatin1(kVersionRecordName)));
  if (installer_ == nullptr) installer_ = ownInstaller_.get();
  return true;
}

QString Instwrap::ReadSetupList(QString* error) const {
  QFile list(QDir(listFolder_).filePath(QString::fromLatin1(kSetupListName)));
  if (!list.open(QIODevice::ReadOnly)) {
    if (error != nullptr) *error = list.errorString();
    return QString();
  }
  return QString::fromUtf8(list.readAll());
}

void Instwrap::Update() {
  prompts_.SetBusy(true);
  failures_.clear();
  QString error;
  const QString list = ReadSetupList(&error);
  if (!error.isEmpty()) {
    failures_.append(QStringLiteral("%1 cannot be read from %2: %3")
                         .arg(QString::fromLatin1(kSetupListName), listFolder_, error));
  }
  for (const QString& line : FileLines(list)) InstallFile(line);
  prompts_.SetBusy(false);

  const QString logPath = FinishLog();
  if (failures_.isEmpty()) {
    prompts_.Tell(QStringLiteral("The update process has completed."), QStringLiteral("Update Complete"),
                  PromptIcon::Information);
  } else {
    prompts_.Tell(QStringLiteral("The update process has ended, but not everything was installed:\n\n%1\n\n"
                                 "Every step is written in the log %2.")
                      .arg(failures_.join(QLatin1Char('\n')), logPath),
                  QStringLiteral("Update Incomplete"), PromptIcon::Warning);
  }
}

void Instwrap::Cancel() { FinishLog(); }

void Instwrap::InstallFile(const QString& line) {
  const FileNames names = SplitFileLine(line);
  if (!IsPlainFileName(names.source) || !IsPlainFileName(names.destination)) {
    // A name with a folder in it could reach outside the installation.
    RefuseFileLine(QStringLiteral("a name is not a plain file name"), line);
    return;
  }
  if (!IsRecordableName(names.destination)) {
    // The versions record keeps "name=version" lines: such a name would forge another line.
    RefuseFileLine(QStringLiteral("the versions record cannot hold the name"), line);
    return;
  }
  const bool shared = line.contains(QLatin1String("$(Shared)"));

  QString currentFolder;
  QString recommendedFolder;
  const int found = installer_->FindFile(shared ? kFindShared : 0, names.destination, windowsDir_,
                                         installation_.targetPath, currentFolder, recommendedFolder);
  log_.Line(QString());
  log_.Result(QStringLiteral("VerFindFile(") + names.destination + QStringLiteral(") returned"), found);
  if (found != FindFine && found != FindCopyElsewhere) {
    failures_.append(QStringLiteral("%1 is in use and was not replaced").arg(names.destination));
    return;
  }

  QString folder = currentFolder;
  if (folder.isEmpty()) {
    folder = line.contains(QLatin1String("$(AppPath)")) ? installation_.targetPath : systemDir_;
  }
  const QString version = FileLineVersion(line);
  int result = installer_->InstallFile(0, names.source, names.destination, sourcePath_, folder, currentFolder, version);
  log_.Result(QStringLiteral("VerInstallFile(0, ") + names.source + QStringLiteral(", ") + folder +
                  QStringLiteral(") returned"),
              result);
  if (result != 0 && (result & InstallSourceOlder) == 0 && (result & kInstallForceable) != 0) {
    result = installer_->InstallFile(kInstallForce, names.source, names.destination, sourcePath_, folder,
                                     currentFolder, version);
    log_.Result(QStringLiteral("VerInstallFile(VIFF_FORCEINSTALL, ") + names.source + QStringLiteral(", ") + folder +
                    QStringLiteral(") returned"),
                result);
  }
  if (result != 0) {
    // A newer copy in place is kept on purpose; anything else is a failure.
    if ((result & InstallSourceOlder) == 0) {
      failures_.append(QStringLiteral("%1 %2").arg(names.destination, InstallFailure(result, folder)));
    }
    return;
  }

  if (line.contains(QLatin1String("$(DLLSelfRegister)"))) {
    const int registered = installer_->SelfRegister(QDir(folder).filePath(names.destination));
    log_.Result(QStringLiteral("DLLSelfRegister(") + names.destination + QStringLiteral(") returned"), registered);
    if (registered != 0) failures_.append(QStringLiteral("%1 could not register itself").arg(names.destination));
  }
}

void Instwrap::RefuseFileLine(const QString& reason, const QString& line) {
  log_.Line(QString());
  log_.Line(QStringLiteral("Refused file line (%1): ").arg(reason) + line);
  failures_.append(QStringLiteral("Refused, %1: %2").arg(reason, line));
}

QString Instwrap::FinishLog() {
  log_.Close();
  if (logFile_.isEmpty() || installation_.recordFolder.isEmpty()) return logFile_;
  const QString updateLog = QDir(installation_.recordFolder).filePath(QString::fromLatin1(kUpdateLogName));
  // A log given as the final name already is where it belongs.
  if (QFileInfo(updateLog).canonicalFilePath() == QFileInfo(logFile_).canonicalFilePath()) return updateLog;
  QFile::remove(updateLog);
  return QFile::rename(logFile_, updateLog) ? updateLog : logFile_;
}

void Instwrap::RunSetup() {
  const QString name = SetupProgramName(ReadSetupList(nullptr));
  if (!IsPlainFileName(name)) {
    prompts_.Tell(QStringLiteral("%1 names the setup program %2, which is not a plain file name.")
                      .arg(QString::fromLatin1(kSetupListName), Quoted(name)),
                  QStringLiteral("Internal Error"), PromptIcon::Critical);
    return;
  }
  QProcess setup;
  setup.setProgram(QDir(listFolder_).filePath(name));
  setup.setArguments(arguments_);
  setup.setWorkingDirectory(listFolder_);
  setup.setProcessChannelMode(QProcess::ForwardedChannels);
  setup.start();
  if (!setup.waitForStarted(-1)) {
    prompts_.Tell(QStringLiteral("Shell function failure"), QStringLiteral("Internal Error"), PromptIcon::Critical);
    return;
  }
  if (!setup.waitForFinished(-1)) {
    prompts_.Tell(QStringLiteral("OpenProcess function failure"), QStringLiteral("Internal Error"),
                  PromptIcon::Critical);
  }
}

void Instwrap::RegisterInstall() {
  const DesktopRegistration registration(desktop_);
  const QString& target = installation_.targetPath;
  QStringList failed;
  InstallLog log;
  const QString logPath = QDir(installation_.recordFolder).filePath(QString::fromLatin1(kUninstallLogName));
  if (!log.Open(logPath)) {
    failed.append(QStringLiteral("The uninstall log %1 cannot be written: %2").arg(logPath, log.ErrorString()));
  }
  // Only what was done goes into the uninstall log.
  auto done = [&log](const QString& action, const QString& path, const QString& detail) {
    log.Line(QStringLiteral("ACTION: ") + action + QStringLiteral(": ") + Quoted(path) + QStringLiteral(", ") +
             Quoted(detail));
    log.Line(QString());
  };

  QString path;
  if (prompts_.AskYesNo(QStringLiteral("Do you want to create a shortcut to PRAXEL on your desktop?"),
                        QStringLiteral("Create Desktop Shortcut"))) {
    const QString error = registration.CreateShortcut(target, path);
    if (error.isEmpty()) {
      log.Line(QStringLiteral("ACTION: ShellLink: \"\", ") + Quoted(path));
      log.Line(QString());
    } else {
      failed.append(QStringLiteral("The desktop shortcut: ") + error);
    }
  }

  QString error = registration.RegisterFileTypes(path);
  if (error.isEmpty()) {
    done(QStringLiteral("MimeType"), path, QString::fromLatin1(kBundleType));
    done(QStringLiteral("MimeType"), path, QString::fromLatin1(kPlainType));
  } else {
    failed.append(QStringLiteral("The file types .pxb and .pxa: ") + error);
  }
  error = registration.RegisterDesktopEntry(target, path);
  if (error.isEmpty()) {
    done(QStringLiteral("DesktopEntry"), path, QString());
  } else {
    failed.append(QStringLiteral("The desktop entry: ") + error);
  }
  error = registration.SetAsDefault(path);
  if (error.isEmpty()) {
    done(QStringLiteral("DefaultApplication"), path, QString::fromLatin1(kBundleType));
    done(QStringLiteral("DefaultApplication"), path, QString::fromLatin1(kPlainType));
  } else {
    failed.append(QStringLiteral("PRAXEL as the program for its files: ") + error);
  }
  log.Close();

  if (!failed.isEmpty()) {
    prompts_.Tell(QStringLiteral("PRAXEL is installed in %1, but these steps of its registration failed:\n\n%2")
                      .arg(target, failed.join(QLatin1Char('\n'))),
                  QStringLiteral("Registration Incomplete"), PromptIcon::Warning);
  }
}

}  // namespace instwrap
