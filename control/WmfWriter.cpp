#include "WmfWriter.h"

#include <QtEndian>

#include <algorithm>

namespace Ywindow {

namespace {

constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint16_t kHeaderWords = 9;
constexpr std::uint16_t kVersion3 = 0x0300;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kFaceNameBytes = 32;

// A signed value as one 16-bit word, kept inside the range a word holds.
std::uint16_t Word(int value) {
  return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(value, -32768, 32767)));
}
std::uint16_t Low(std::uint32_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }
std::uint16_t High(std::uint32_t value) { return static_cast<std::uint16_t>(value >> 16); }

void AppendWord(QByteArray& bytes, std::uint16_t word) {
  char little[2];
  qToLittleEndian(word, little);
  bytes.append(little, 2);
}

void AppendDword(QByteArray& bytes, std::uint32_t dword) {
  AppendWord(bytes, Low(dword));
  AppendWord(bytes, High(dword));
}

}  // namespace

void WmfWriter::Record(WmfFunction function, const QList<int>& words, const QByteArray& tail) {
  // The tail (a text or a structure of bytes) fills whole words.
  QByteArray padded = tail;
  if (padded.size() % 2 != 0) padded.append('\0');
  const auto size = static_cast<std::uint32_t>(3 + words.size() + padded.size() / 2);
  AppendDword(records_, size);
  AppendWord(records_, function);
  for (int word : words) AppendWord(records_, static_cast<std::uint16_t>(word));
  records_.append(padded);
  largestRecord_ = std::max(largestRecord_, size);
}

// Parameters are stored last first, as the platform records them: (y, x) for a point.

void WmfWriter::SetMapMode(int mode) { Record(WmfSetMapMode, {Word(mode)}); }
void WmfWriter::SetWindowOrg(int x, int y) { Record(WmfSetWindowOrg, {Word(y), Word(x)}); }
void WmfWriter::SetWindowExt(int x, int y) { Record(WmfSetWindowExt, {Word(y), Word(x)}); }
void WmfWriter::SetBkMode(int mode) { Record(WmfSetBkMode, {Word(mode)}); }
void WmfWriter::SetTextAlign(int align) { Record(WmfSetTextAlign, {Word(align)}); }

int WmfWriter::CreatePen(int style, int width, std::uint32_t color) {
  Record(WmfCreatePenIndirect, {Word(style), Word(width), 0, Low(color), High(color)});
  return TakeSlot();
}

int WmfWriter::CreateBrush(int style, std::uint32_t color, int hatch) {
  Record(WmfCreateBrushIndirect, {Word(style), Low(color), High(color), Word(hatch)});
  return TakeSlot();
}

int WmfWriter::CreateFont(const WmfFont& font) {
  // Height, width, escapement, orientation and weight; then italic, underline, strike-out,
  // character set, output and clip precision, quality and pitch, a byte each; then the face.
  QByteArray bytes;
  bytes.append(static_cast<char>(font.italic ? 1 : 0));
  bytes.append(7, '\0');
  bytes.append(font.faceName.left(kFaceNameBytes - 1));
  bytes.append(8 + kFaceNameBytes - bytes.size(), '\0');
  Record(WmfCreateFontIndirect, {Word(font.height), 0, 0, 0, Word(font.weight)}, bytes);
  return TakeSlot();
}

void WmfWriter::SelectObject(int slot) { Record(WmfSelectObject, {Word(slot)}); }

void WmfWriter::MoveTo(int x, int y) { Record(WmfMoveTo, {Word(y), Word(x)}); }
void WmfWriter::LineTo(int x, int y) { Record(WmfLineTo, {Word(y), Word(x)}); }

void WmfWriter::Rectangle(int left, int top, int right, int bottom) {
  Record(WmfRectangle, {Word(bottom), Word(right), Word(top), Word(left)});
}

void WmfWriter::Ellipse(int left, int top, int right, int bottom) {
  Record(WmfEllipse, {Word(bottom), Word(right), Word(top), Word(left)});
}

void WmfWriter::Polygon(const QList<QPoint>& points) {
  // The points in their own order, x before y.
  QList<int> words{Word(static_cast<int>(points.size()))};
  for (const QPoint& point : points) words << Word(point.x()) << Word(point.y());
  Record(WmfPolygon, words);
}

void WmfWriter::TextOut(int x, int y, const QByteArray& text) {
  // The length, the text padded to whole words, then y and x.
  const QByteArray kept = text.left(32767);
  QByteArray tail = kept;
  if (tail.size() % 2 != 0) tail.append('\0');
  AppendWord(tail, Word(y));
  AppendWord(tail, Word(x));
  Record(WmfTextOut, {Word(static_cast<int>(kept.size()))}, tail);
}

QByteArray WmfWriter::Bytes() const {
  QByteArray end;
  AppendDword(end, 3);
  AppendWord(end, WmfEof);
  const auto words = static_cast<std::uint32_t>((records_.size() + end.size()) / 2 + kHeaderWords);

  QByteArray bytes;
  AppendWord(bytes, kMemoryMetafile);
  AppendWord(bytes, kHeaderWords);
  AppendWord(bytes, kVersion3);
  AppendDword(bytes, words);
  AppendWord(bytes, static_cast<std::uint16_t>(objects_));
  AppendDword(bytes, largestRecord_);
  AppendWord(bytes, 0);
  return bytes + records_ + end;
}

QByteArray WithPlaceableHeader(const QByteArray& metafile, const QRect& bounds, int unitsPerInch) {
  QByteArray header;
  AppendDword(header, kPlaceableKey);
  AppendWord(header, 0);  // no handle
  AppendWord(header, Word(bounds.left()));
  AppendWord(header, Word(bounds.top()));
  AppendWord(header, Word(bounds.left() + bounds.width()));
  AppendWord(header, Word(bounds.top() + bounds.height()));
  AppendWord(header, Word(unitsPerInch));
  AppendDword(header, 0);
  // The check word: the first ten words exclusive-or'ed.
  std::uint16_t check = 0;
  for (int i = 0; i < 20; i += 2) check ^= qFromLittleEndian<std::uint16_t>(header.constData() + i);
  AppendWord(header, check);
  return header + metafile;
}

}  // namespace Ywindow
