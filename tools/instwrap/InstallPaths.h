#pragma once

#include <QString>

namespace instwrap {

// An installation of Praxel is known by its program path record: the file "praxel/program-path"
// in the user's data folder or in one of the system's data folders (searched in that order), whose
// line is the full path of the installed program file "praxel". The record's folder also keeps
// the installation's logs and its record of file versions.
inline constexpr char kProgramFileName[] = "praxel";
inline constexpr char kProgramPathRecord[] = "praxel/program-path";
inline constexpr char kVersionRecordName[] = "versions";
inline constexpr char kUpdateLogName[] = "Update.log";
inline constexpr char kUninstallLogName[] = "St5unst.log";

struct Installation {
  QString targetPath;    // the folder of the program file; empty when Praxel is not installed
  QString recordFolder;  // the folder of the program path record
};

// Reads the program path record into `installation`. No record leaves it as it was; a record that
// cannot be read, or does not name a program file "praxel", empties `targetPath`.
void GetInstalledPath(Installation& installation);

// The folders beside an installed program's folder: `windowsFolder` is the installation's root (the
// program folder's parent when it is a "bin" folder, else the program folder itself) and
// `systemFolder` its folder for shared libraries.
struct InstallFolders {
  QString windowsFolder;
  QString systemFolder;
};
InstallFolders FoldersBeside(const QString& targetPath);

// The user's folders that the desktop reads.
struct DesktopFolders {
  QString dataHome;    // $XDG_DATA_HOME: MIME packages, desktop entries
  QString configHome;  // $XDG_CONFIG_HOME: default applications
  QString desktop;     // the desktop folder, for the shortcut

  static DesktopFolders FromEnvironment();
};

}  // namespace instwrap
