#include "OfficeProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace testsupport {

OfficeProbe FindOfficeWith(const QString& component) {
  QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (office.isEmpty()) office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
  if (office.isEmpty()) return {QString(), QStringLiteral("LibreOffice is not installed")};
  const QDir programFolder = QFileInfo(QFileInfo(office).canonicalFilePath()).dir();
  const QString registry = programFolder.filePath(QStringLiteral("../share/registry/%1.xcd").arg(component));
  if (!QFileInfo::exists(registry)) {
    return {QString(), QStringLiteral("LibreOffice is installed without its %1 component").arg(component)};
  }
  return {office, QString()};
}

}  // namespace testsupport
