#pragma once

#include "YwindowExport.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>

#include <cstdint>

namespace Ywindow {

// The record numbers of a 16-bit Windows metafile that the control writes.
enum WmfFunction : std::uint16_t {
  WmfEof = 0x0000,
  WmfSetBkMode = 0x0102,
  WmfSetMapMode = 0x0103,
  WmfSelectObject = 0x012D,
  WmfSetTextAlign = 0x012E,
  WmfSetWindowOrg = 0x020B,
  WmfSetWindowExt = 0x020C,
  WmfLineTo = 0x0213,
  WmfMoveTo = 0x0214,
  WmfCreatePenIndirect = 0x02FA,
  WmfCreateFontIndirect = 0x02FB,
  WmfCreateBrushIndirect = 0x02FC,
  WmfPolygon = 0x0324,
  WmfEllipse = 0x0418,
  WmfRectangle = 0x041B,
  WmfTextOut = 0x0521,
};

// Values the records carry.
constexpr int kMapAnisotropic = 8;
constexpr int kBkTransparent = 1;
constexpr int kPenSolid = 0;
constexpr int kBrushSolid = 0;
constexpr int kBrushHatched = 2;

// A font as a metafile describes it.
struct WmfFont {
  int height = 0;  // negative: the character height, without the internal leading
  int weight = 400;
  bool italic = false;
  QByteArray faceName;  // in the font's code page; at most 31 bytes are kept
};

// Writes a 16-bit Windows metafile in memory, record by record, as the platform's metafile device
// context records the drawing calls made on it: the standard header (a memory metafile, version
// 3.0), the records, and the end record. Coordinates and sizes are logical units, kept inside the
// 16-bit range. Every object created takes the next slot of the metafile's object table, whose
// index the selecting record names; objects live as long as the metafile.
class YWINDOW_EXPORT WmfWriter {
 public:
  void SetMapMode(int mode);
  void SetWindowOrg(int x, int y);
  void SetWindowExt(int x, int y);
  void SetBkMode(int mode);
  void SetTextAlign(int align);

  // Each returns the object's slot.
  int CreatePen(int style, int width, std::uint32_t color);
  int CreateBrush(int style, std::uint32_t color, int hatch);
  int CreateFont(const WmfFont& font);
  void SelectObject(int slot);

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  void Polygon(const QList<QPoint>& points);
  // The text's bytes, in the current font's code page.
  void TextOut(int x, int y, const QByteArray& text);

  // The whole metafile: header, records and the end record. Writing may go on afterwards.
  QByteArray Bytes() const;

 private:
  void Record(WmfFunction function, const QList<int>& words, const QByteArray& tail = {});
  int TakeSlot() { return objects_++; }

  QByteArray records_;
  std::uint32_t largestRecord_ = 3;  // words; the end record at least
  int objects_ = 0;
};

// The metafile behind a placeable header, the form files and other programs take: the header
// names the picture's bounds in logical units and how many of them make an inch.
YWINDOW_EXPORT QByteArray WithPlaceableHeader(const QByteArray& metafile, const QRect& bounds, int unitsPerInch);

}  // namespace Ywindow
