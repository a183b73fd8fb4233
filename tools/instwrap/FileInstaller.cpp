#include "FileInstaller.h"

#include "VersionRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace instwrap {

RecordedFileInstaller::RecordedFileInstaller(QString systemFolder, QString versionRecord)
    : systemFolder_(std::move(systemFolder)), versionRecord_(std::move(versionRecord)) {}

int RecordedFileInstaller::FindFile(int flags, const QString& name, const QString& windowsFolder,
                                    const QString& appFolder, QString& currentFolder, QString& destinationFolder) {
  destinationFolder = (flags & kFindShared) != 0 ? systemFolder_ : appFolder;
  currentFolder.clear();
  for (const QString& folder : {destinationFolder, appFolder, systemFolder_, windowsFolder}) {
    if (!folder.isEmpty() && QFileInfo(QDir(folder).filePath(name)).isFile()) {
      currentFolder = folder;
      break;
    }
  }
  return currentFolder.isEmpty() || currentFolder == destinationFolder ? FindFine : FindCopyElsewhere;
}

int RecordedFileInstaller::InstallFile(int flags, const QString& sourceName, const QString& destinationName,
                                       const QString& sourceFolder, const QString& destinationFolder,
                                       const QString& /*currentFolder*/, const QString& sourceVersion) {
  QFile source(QDir(sourceFolder).filePath(sourceName));
  if (!source.open(QIODevice::ReadOnly)) return InstallCannotReadSource;

  const QString destination = QDir(destinationFolder).filePath(destinationName);
  QMap<QString, QString> versions = ReadVersionRecord(versionRecord_);
  const QString installed = versions.value(destinationName);
  if ((flags & kInstallForce) == 0 && QFileInfo::exists(destination) && !sourceVersion.isEmpty() &&
      !installed.isEmpty() && CompareVersions(sourceVersion, installed) < 0) {
    return InstallMismatch | InstallSourceOlder;
  }

  // The new copy takes the file's name only when it is complete.
  QSaveFile copy(destination);
  if (!copy.open(QIODevice::WriteOnly)) return InstallCannotCreate;
  while (!source.atEnd()) {
    const QByteArray block = source.read(1 << 16);
    if (block.isEmpty() && source.error() != QFileDevice::NoError) return InstallCannotReadSource;
    if (copy.write(block) != block.size()) return InstallCannotCreate;
  }
  copy.setPermissions(source.permissions());
  if (!copy.commit()) return InstallCannotRename;

  if (sourceVersion.isEmpty()) {
    versions.remove(destinationName);
  } else {
    versions.insert(destinationName, sourceVersion);
  }
  WriteVersionRecord(versionRecord_, versions);
  return 0;
}

int RecordedFileInstaller::SelfRegister(const QString& path) { return QFileInfo(path).isFile() ? 0 : 1; }

}  // namespace instwrap
