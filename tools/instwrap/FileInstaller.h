#pragma once

#include <QString>

namespace instwrap {

// What the version-checking file installer answers when asked where a file goes.
enum FindResult : int {
  FindFine = 0,            // no copy yet, or the copy is where it belongs
  FindCopyElsewhere = 1,   // a copy exists in another folder than the recommended one
  FindFileInUse = 2,
};

// Bits of the answer to an install; 0 means installed.
enum InstallResult : int {
  InstallMismatch = 0x2,           // the copy in place differs and was kept
  InstallSourceOlder = 0x4,        // the copy in place is newer than the source
  InstallDifferentLanguage = 0x8,
  InstallDifferentCodePage = 0x10,
  InstallDifferentType = 0x20,
  InstallCannotCreate = 0x800,     // the temporary copy cannot be made in the folder
  InstallCannotRename = 0x2000,    // the temporary copy cannot take the file's name
  InstallCannotReadSource = 0x10000,
  InstallSourceNotRegular = 0x20000,  // the source is a link, a folder, a pipe or a device: refused
};
// The differences that a forced install overrides.
inline constexpr int kInstallForceable = InstallDifferentLanguage | InstallDifferentCodePage | InstallDifferentType;

// Flags of FindFile and InstallFile.
inline constexpr int kFindShared = 1;
inline constexpr int kInstallForce = 1;

// Places files with a check of their versions, and registers the ones that register themselves.
// The program uses RecordedFileInstaller; tests can answer with one of their own.
class FileInstaller {
 public:
  virtual ~FileInstaller() = default;
  // Where `name` goes: a shared file (kFindShared) belongs in the system folder, any other in
  // `appFolder`. `currentFolder` is set to where a copy was found (empty when none),
  // `destinationFolder` to the recommended folder.
  virtual int FindFile(int flags, const QString& name, const QString& windowsFolder, const QString& appFolder,
                       QString& currentFolder, QString& destinationFolder) = 0;
  // Copies `sourceFolder`/`sourceName` to `destinationFolder`/`destinationName` through a
  // temporary name, unless the copy in place is newer than `sourceVersion` (kInstallForce
  // copies anyway). Only a regular file is copied, never what a link points to; the copy
  // replaces the destination's entry, so a link there is replaced, not written through.
  // Returns 0 or InstallResult bits.
  virtual int InstallFile(int flags, const QString& sourceName, const QString& destinationName,
                          const QString& sourceFolder, const QString& destinationFolder,
                          const QString& currentFolder, const QString& sourceVersion) = 0;
  // Registers an installed library. Nothing needs registering on this platform: the call only
  // checks that the file is in place (0) and is logged like any other step.
  virtual int SelfRegister(const QString& path) = 0;
};

// The installer over real folders. A file's version is the one its list line gives; the installed
// versions are kept in a record, one "name=version" line each; a file of unknown version is
// always replaced.
class RecordedFileInstaller : public FileInstaller {
 public:
  RecordedFileInstaller(QString systemFolder, QString versionRecord);

  int FindFile(int flags, const QString& name, const QString& windowsFolder, const QString& appFolder,
               QString& currentFolder, QString& destinationFolder) override;
  int InstallFile(int flags, const QString& sourceName, const QString& destinationName, const QString& sourceFolder,
                  const QString& destinationFolder, const QString& currentFolder,
                  const QString& sourceVersion) override;
  int SelfRegister(const QString& path) override;

 private:
  QString systemFolder_;
  QString versionRecord_;
};

}  // namespace instwrap
