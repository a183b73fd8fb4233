#pragma once

#include <QByteArray>
#include <QString>

// Project files written on Windows are Windows-1252. A file is read as UTF-8
// when it is valid UTF-8, else as Windows-1252; text is written as Windows-1252 when every
// character fits and those bytes read back as the same text, else as UTF-8, so nothing typed
// is lost.
namespace TextEncoding {

QString Decode(const QByteArray& bytes);
// The text Decode reads from the bytes, in UTF-8: plain ASCII comes back as it is.
QByteArray DecodeToUtf8(QByteArray bytes);
// Whether every byte is below 0x80.
bool IsAscii(QByteArrayView bytes);
QByteArray Encode(const QString& text);

// Windows-1252 alone: decoding never fails (the five unassigned codes map to the same
// control characters as in Latin-1); encoding reports whether every character fitted.
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text, bool* fits);

// The text of a file being written, put together piece by piece: kept as the bytes themselves
// while it is plain ASCII, as a text from the first character past ASCII on. Bytes() gives
// what Encode gives for the whole text.
//
// Plain ASCII encodes as itself whatever follows it, so a writer may take the ASCII bytes so far
// (AsciiSoFar), put them in the file and drop them (DropAscii); Bytes() then gives the rest.
class Builder {
 public:
  void Clear();
  void Append(QStringView text);
  // Bytes that are all below 0x80.
  void AppendAscii(QByteArrayView ascii);
  QByteArray Bytes() const;
  // Empty once the text has gone past ASCII.
  QByteArrayView AsciiSoFar() const { return wide_ ? QByteArrayView() : QByteArrayView(ascii_); }
  // Forgets the ASCII bytes so far, keeping their room for the next ones.
  void DropAscii() { ascii_.resize(0); }

 private:
  void Widen();
  QByteArray ascii_;
  QString text_;
  bool wide_ = false;
};

}  // namespace TextEncoding
