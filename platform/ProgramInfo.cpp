#include "ProgramInfo.h"

#include "praxel_version.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <dlfcn.h>

namespace praxel {

QString ProgramDataFolder() {
  QString folder = qEnvironmentVariable("PRAXEL_HOME");
  if (folder.isEmpty()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Praxel");
  }
  QDir().mkpath(folder);
  return QDir::cleanPath(folder);
}

QString ProgramFilePath() { return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath(); }

QString ModuleFilePath(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) != 0 && info.dli_fname != nullptr) {
    const QString name = QFile::decodeName(info.dli_fname);
    // A shared library is named by its absolute load path; the main program may be named by
    // however it was started, so it is asked for by its link in /proc instead.
    if (QDir::isAbsolutePath(name)) return QFileInfo(name).canonicalFilePath();
  }
  return ProgramFilePath();
}

ProgramVersion CurrentVersion() {
  return {PRAXEL_VERSION_MAJOR, PRAXEL_VERSION_MINOR, PRAXEL_VERSION_PATCH};
}

QString VersionText(const ProgramVersion& version) {
  return QStringLiteral("%1.%2%3").arg(version.major).arg(version.minor).arg(version.revision);
}

QDateTime FileChangeDate(const QString& path) {
  const QFileInfo info(path);
  return info.exists() ? info.lastModified() : QDateTime();
}

}  // namespace praxel
