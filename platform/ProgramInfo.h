#pragma once

#include <QDateTime>
#include <QString>

namespace praxel {

// The folder for the files the program writes (error log, settings, backups): $PRAXEL_HOME when
// set, else the user's data folder for Praxel. Created when missing.
QString ProgramDataFolder();

// The absolute path of the running program's executable.
QString ProgramFilePath();

// The absolute path of the executable or shared library that holds `address` (the running
// program when it cannot be told).
QString ModuleFilePath(const void* address);

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The version of this build, from the project version.
ProgramVersion CurrentVersion();

// The version the way the program shows it: major, ".", then minor and revision written
// together ({2, 5, 1} gives "2.51").
QString VersionText(const ProgramVersion& version);

// When the file was last changed; invalid when it does not exist.
QDateTime FileChangeDate(const QString& path);

}  // namespace praxel
