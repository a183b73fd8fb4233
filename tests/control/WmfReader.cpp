#include "WmfReader.h"

#include "WmfWriter.h"

#include <QStringList>
#include <QtEndian>

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

class Cursor {
 public:
  explicit Cursor(const QByteArray& bytes) : bytes_(bytes) {}
  bool Has(qsizetype count) const { return at_ + count <= bytes_.size(); }
  std::uint16_t Word() {
    const auto word = qFromLittleEndian<std::uint16_t>(bytes_.constData() + at_);
    at_ += 2;
    return word;
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  qsizetype At() const { return at_; }

 private:
  const QByteArray& bytes_;
  qsizetype at_ = 0;
};

WmfPicture Invalid(WmfPicture picture, const QString& error) {
  picture.valid = false;
  picture.error = error;
  return picture;
}

}  // namespace

QByteArray WmfRecord::Bytes(int index, int count) const {
  QByteArray bytes;
  for (int i = index; i < words.size(); ++i) {
    bytes.append(static_cast<char>(words[i] & 0xFF));
    bytes.append(static_cast<char>(words[i] >> 8));
  }
  return bytes.left(count);
}

QList<WmfRecord> WmfPicture::Of(std::uint16_t function) const {
  QList<WmfRecord> found;
  for (const WmfRecord& record : records) {
    if (record.function == function) found.append(record);
  }
  return found;
}

QStringList WmfPicture::Names() const {
  QStringList names;
  for (const WmfRecord& record : records) names.append(WmfFunctionName(record.function));
  return names;
}

QString WmfFunctionName(std::uint16_t function) {
  using namespace Ywindow;
  switch (function) {
    case WmfSetBkMode: return QStringLiteral("SetBkMode");
    case WmfSetMapMode: return QStringLiteral("SetMapMode");
    case WmfSelectObject: return QStringLiteral("SelectObject");
    case WmfSetTextAlign: return QStringLiteral("SetTextAlign");
    case WmfSetWindowOrg: return QStringLiteral("SetWindowOrg");
    case WmfSetWindowExt: return QStringLiteral("SetWindowExt");
    case WmfLineTo: return QStringLiteral("LineTo");
    case WmfMoveTo: return QStringLiteral("MoveTo");
    case WmfCreatePenIndirect: return QStringLiteral("CreatePen");
    case WmfCreateFontIndirect: return QStringLiteral("CreateFont");
    case WmfCreateBrushIndirect: return QStringLiteral("CreateBrush");
    case WmfPolygon: return QStringLiteral("Polygon");
    case WmfEllipse: return QStringLiteral("Ellipse");
    case WmfRectangle: return QStringLiteral("Rectangle");
    case WmfTextOut: return QStringLiteral("TextOut");
    default: return QStringLiteral("0x%1").arg(function, 4, 16, QLatin1Char('0'));
  }
}

WmfPicture ReadWmf(const QByteArray& bytes) {
  WmfPicture picture;
  Cursor cursor(bytes);
  qsizetype start = 0;
  if (cursor.Has(22) && qFromLittleEndian<std::uint32_t>(bytes.constData()) == kPlaceableKey) {
    picture.placeable = true;
    std::uint16_t check = 0;
    for (int i = 0; i < 10; ++i) {
      const std::uint16_t word = cursor.Word();
      check ^= word;
      if (i >= 3 && i <= 6) picture.bounds[i - 3] = static_cast<std::int16_t>(word);
      if (i == 7) picture.unitsPerInch = word;
    }
    if (cursor.Word() != check) return Invalid(picture, QStringLiteral("placeable header check word"));
    start = cursor.At();
  }
  if (!cursor.Has(18)) return Invalid(picture, QStringLiteral("no header"));
  picture.type = cursor.Word();
  if (cursor.Word() != 9) return Invalid(picture, QStringLiteral("header size"));
  picture.version = cursor.Word();
  const std::uint32_t totalWords = cursor.Dword();
  picture.objects = cursor.Word();
  const std::uint32_t largest = cursor.Dword();
  if (cursor.Word() != 0) return Invalid(picture, QStringLiteral("parameter count"));
  if (bytes.size() - start != static_cast<qsizetype>(totalWords) * 2) {
    return Invalid(picture, QStringLiteral("total size %1 words, %2 bytes").arg(totalWords).arg(bytes.size() - start));
  }

  std::uint32_t largestSeen = 0;
  for (;;) {
    if (!cursor.Has(6)) return Invalid(picture, QStringLiteral("no end record"));
    const std::uint32_t size = cursor.Dword();
    WmfRecord record;
    record.function = cursor.Word();
    if (size < 3 || !cursor.Has((size - 3) * 2)) return Invalid(picture, QStringLiteral("record size %1").arg(size));
    for (std::uint32_t i = 3; i < size; ++i) record.words.append(cursor.Word());
    largestSeen = std::max(largestSeen, size);
    if (record.function == Ywindow::WmfEof) {
      if (size != 3 || cursor.Has(1)) return Invalid(picture, QStringLiteral("bytes after the end record"));
      break;
    }
    picture.records.append(record);
  }
  if (largestSeen != largest) return Invalid(picture, QStringLiteral("largest record %1, header %2").arg(largestSeen).arg(largest));
  picture.valid = true;
  return picture;
}
