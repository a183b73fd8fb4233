#include "VersionRecord.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace instwrap {

int CompareVersions(const QString& a, const QString& b) {
  const QStringList left = a.split(QLatin1Char('.'));
  const QStringList right = b.split(QLatin1Char('.'));
  for (qsizetype i = 0; i < qMax(left.size(), right.size()); ++i) {
    const qlonglong l = i < left.size() ? left[i].toLongLong() : 0;
    const qlonglong r = i < right.size() ? right[i].toLongLong() : 0;
    if (l != r) return l < r ? -1 : 1;
  }
  return 0;
}

QMap<QString, QString> ReadVersionRecord(const QString& path) {
  QMap<QString, QString> versions;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return versions;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals > 0) versions.insert(line.left(equals), line.mid(equals + 1));
  }
  return versions;
}

bool WriteVersionRecord(const QString& path, const QMap<QString, QString>& versions) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  for (auto it = versions.cbegin(); it != versions.cend(); ++it) {
    file.write((it.key() + QLatin1Char('=') + it.value() + QLatin1Char('\n')).toUtf8());
  }
  return file.commit();
}

}  // namespace instwrap
