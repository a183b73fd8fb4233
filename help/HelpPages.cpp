#include "HelpPages.h"

#include "HelpKeys.h"

#include <QFile>

namespace Common {

QString HelpPageText(const QString& StoredKey) {
  if (StoredKey.isEmpty()) return QString();
  QFile page(QStringLiteral(":/help/") + PageFileName(StoredKey));
  if (!page.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(page.readAll());
}

}  // namespace Common
