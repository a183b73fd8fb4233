#pragma once

#include "FileInstaller.h"
#include "InstallLog.h"
#include "InstallPaths.h"
#include "Prompts.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace instwrap {

// The installation wrapper without its window. On a machine without Praxel, Load runs the setup
// program that "Setup.lst" names and, once Praxel is installed, registers its file types and
// desktop entry and offers a desktop shortcut. With Praxel installed, Load prepares an update from
// the source folder (first argument) with its log (second argument); Update installs every file of
// the list's "[Files]" section, and Update or Cancel end with the log moved beside the
// installation as "Update.log".
//
// Whatever fails is reported by message: a refused file name, a file not installed, a
// registration step that did not take. Nothing is reported done that was not done.
class Instwrap {
 public:
  // `listFolder` holds "Setup.lst" and the setup program (the current folder when run).
  Instwrap(QStringList arguments, QString listFolder, DesktopFolders desktop, Prompts& prompts);
  ~Instwrap();

  // Form_Load: true when the update window is to be shown, false when the program ends.
  bool Load();
  // UpdateCommand_Click, after which the window closes.
  void Update();
  // CancelCommand_Click: the log moves beside the installation.
  void Cancel();

  // Installs with `installer` (not owned) instead of the version record's installer.
  void SetFileInstaller(FileInstaller* installer) { installer_ = installer; }

  const QString& SourcePath() const { return sourcePath_; }
  const QString& TargetPath() const { return installation_.targetPath; }

 private:
  void RunSetup();
  void RegisterInstall();
  void InstallFile(const QString& line);
  // Logs and reports a file line left out, with the reason.
  void RefuseFileLine(const QString& reason, const QString& line);
  // Closes the log and moves it to "Update.log" beside the installation; returns where it is.
  QString FinishLog();
  QString ReadSetupList(QString* error) const;

  QStringList arguments_;
  QString listFolder_;
  DesktopFolders desktop_;
  Prompts& prompts_;

  Installation installation_;
  QString commandLine_;
  QString sourcePath_;
  QString logFile_;
  QString windowsDir_;
  QString systemDir_;
  InstallLog log_;
  std::unique_ptr<FileInstaller> ownInstaller_;
  FileInstaller* installer_ = nullptr;
  QStringList failures_;  // one line per file that was not installed
};

}  // namespace instwrap
