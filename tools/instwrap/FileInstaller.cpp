#include "FileInstaller.h"

#include "VersionRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace instwrap {

namespace {

// Opens `path` for reading when it is a regular file: a link is not followed, and a pipe or a
// device is not opened at all (reading one could wait for ever). 0, or why not as InstallResult bits.
int OpenRegularFile(const QString& path, QFile& file) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ELOOP ? InstallSourceNotRegular : InstallCannotReadSource;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return InstallSourceNotRegular;
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return InstallCannotReadSource;
  }
  return 0;
}

}  // namespace

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
  QFile source;
  if (const int opened = OpenRegularFile(QDir(sourceFolder).filePath(sourceName), source); opened != 0) return opened;

  const QString destination = QDir(destinationFolder).filePath(destinationName);
  QMap<QString, QString> versions = ReadVersionRecord(versionRecord_);
  const QString installed = versions.value(destinationName);
  if ((flags & kInstallForce) == 0 && QFileInfo::exists(destination) && !sourceVersion.isEmpty() &&
      !installed.isEmpty() && CompareVersions(sourceVersion, installed) < 0) {
    return InstallMismatch | InstallSourceOlder;
  }

  // The new copy is made under a temporary name beside the destination and takes its name only
  // when complete: the rename replaces whatever entry stood there, a link included.
  QTemporaryFile copy(QDir(destinationFolder).filePath(QStringLiteral(".") + destinationName + QStringLiteral(".XXXXXX")));
  if (!copy.open()) return InstallCannotCreate;
  while (!source.atEnd()) {
    const QByteArray block = source.read(1 << 16);
    if (block.isEmpty() && source.error() != QFileDevice::NoError) return InstallCannotReadSource;
    if (copy.write(block) != block.size()) return InstallCannotCreate;
  }
  if (!copy.flush() || ::fsync(copy.handle()) != 0) return InstallCannotCreate;
  copy.setPermissions(source.permissions());
  if (::rename(QFile::encodeName(copy.fileName()).constData(), QFile::encodeName(destination).constData()) != 0) {
    return InstallCannotRename;
  }
  copy.setAutoRemove(false);

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
