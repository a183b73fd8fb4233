#pragma once

#include <QMap>
#include <QString>

namespace instwrap {

// Compares two versions of numbers and dots part by part ("1.10" is newer than "1.9", a missing
// part counts 0): negative, 0 or positive.
int CompareVersions(const QString& a, const QString& b);

// Whether the record of installed versions can hold `name`: not empty, no "=" (which ends the
// name in a line) and no control character (a line break would make two lines).
bool IsRecordableName(const QString& name);

// The record of installed versions: a text file of "name=version" lines. Read strictly: a line
// whose name the record cannot hold or whose version is not numbers and dots is left out, so a
// damaged record never keeps a genuine update out.
QMap<QString, QString> ReadVersionRecord(const QString& path);
// Writes it whole through a temporary file; false when it cannot be written.
bool WriteVersionRecord(const QString& path, const QMap<QString, QString>& versions);

}  // namespace instwrap
