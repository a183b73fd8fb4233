#include "VersionRecord.h"

#include <QFile>
#include <QSaveFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

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

bool IsRecordableName(const QString& name) {
  if (name.isEmpty() || name.contains(QLatin1Char('='))) return false;
  return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QMap<QString, QString> ReadVersionRecord(const QString& path) {
  static const QRegularExpression version(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
  QMap<QString, QString> versions;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return versions;
  while (!file.atEnd()) {
    QString line = QString::fromUtf8(file.readLine());
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0) continue;
    const QString name = line.left(equals);
    const QString number = line.mid(equals + 1);
    if (IsRecordableName(name) && version.match(number).hasMatch()) versions.insert(name, number);
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
