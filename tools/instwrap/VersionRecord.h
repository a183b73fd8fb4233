#pragma once

#include <QMap>
#include <QString>

namespace instwrap {

// Compares two versions of numbers and dots part by part ("1.10" is newer than "1.9", a missing
// part counts 0): negative, 0 or positive.
int CompareVersions(const QString& a, const QString& b);

// The record of installed versions: a text file of "name=version" lines.
QMap<QString, QString> ReadVersionRecord(const QString& path);
// Writes it whole through a temporary file; false when it cannot be written.
bool WriteVersionRecord(const QString& path, const QMap<QString, QString>& versions);

}  // namespace instwrap
