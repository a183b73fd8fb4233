#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Reads a 16-bit Windows metafile, as the control writes it, back into its records, and checks
// its frame on the way: the placeable header's check word, the standard header, every record's
// size, the total size, the largest record and the end record. A metafile that breaks any of
// these reads as not valid, with the reason.
struct WmfRecord {
  std::uint16_t function = 0;
  QList<std::uint16_t> words;  // the parameters as stored, last parameter first
  // A parameter word as a signed value.
  int Signed(int index) const { return static_cast<std::int16_t>(words.value(index)); }
  // The bytes of the parameters from the word at `index` on.
  QByteArray Bytes(int index, int count) const;
};

struct WmfPicture {
  bool valid = false;
  QString error;
  bool placeable = false;
  // Placeable header: bounds (left, top, right, bottom) and units per inch.
  int bounds[4] = {0, 0, 0, 0};
  int unitsPerInch = 0;
  // Standard header.
  int type = 0;
  int version = 0;
  int objects = 0;
  QList<WmfRecord> records;  // without the end record

  // The records of one function, in order.
  QList<WmfRecord> Of(std::uint16_t function) const;
  // The functions of all records, in order, as "SetMapMode", "Rectangle", ...
  QStringList Names() const;
};

WmfPicture ReadWmf(const QByteArray& bytes);
QString WmfFunctionName(std::uint16_t function);
