#pragma once

#include <QByteArray>
#include <QString>

// Project files written on Windows are Windows-1252. A file is read as UTF-8
// when it is valid UTF-8, else as Windows-1252; text is written as Windows-1252 when every
// character fits and those bytes read back as the same text, else as UTF-8, so nothing typed
// is lost.
namespace TextEncoding {

QString Decode(const QByteArray& bytes);
// Whether every byte is below 0x80.
bool IsAscii(QByteArrayView bytes);
QByteArray Encode(const QString& text);

// Windows-1252 alone: decoding never fails (the five unassigned codes map to the same
// control characters as in Latin-1); encoding reports whether every character fitted.
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text, bool* fits);

}  // namespace TextEncoding
