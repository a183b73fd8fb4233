#include "InstallPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace instwrap {

void GetInstalledPath(Installation& installation) {
  const QString record = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                QString::fromLatin1(kProgramPathRecord));
  if (record.isEmpty()) return;
  installation.recordFolder = QFileInfo(record).absolutePath();
  installation.targetPath.clear();
  QFile file(record);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  const QString program = QString::fromUtf8(file.readLine()).trimmed();
  const QFileInfo info(program);
  if (info.isAbsolute() && info.fileName().compare(QLatin1String(kProgramFileName), Qt::CaseInsensitive) == 0) {
    installation.targetPath = QDir::cleanPath(info.path());
  }
}

InstallFolders FoldersBeside(const QString& targetPath) {
  const QString binFolder = QStringLiteral("/" INSTWRAP_BINDIR);
  if (!targetPath.endsWith(binFolder)) return {targetPath, targetPath};
  QString root = targetPath.chopped(binFolder.size());
  if (root.isEmpty()) root = QStringLiteral("/");
  return {root, QDir::cleanPath(root + QStringLiteral("/" INSTWRAP_LIBDIR))};
}

DesktopFolders DesktopFolders::FromEnvironment() {
  return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
          QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)};
}

}  // namespace instwrap
