#pragma once

#include "Canvas.h"
#include "ControlGeometry.h"
#include "WmfWriter.h"
#include "YwindowExport.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QRect>

namespace Ywindow {

class TextMeasure;

// A metafile being built, as a canvas in chart twips: the chart's own proportions and size, one
// logical unit per twip. The drawing members issue the platform's drawing calls as the chart's
// metafile has them: pens are reused while colour and width stay, brushes are made once per
// colour and pattern, rectangles and ellipses reach one pixel further right and down (the
// platform leaves out their right and bottom edge), texts take their alignment from the placement
// and keep the metafile's default colour, black.
//
// A logical unit is one twip unless the drawing is too large for the metafile's 16-bit
// coordinates (about 22 inches): then it is the fewest whole twips, a divisor of an inch, that
// keep the window inside them, so that a large chart is scaled down rather than wrapped around.
class YWINDOW_EXPORT WmfCanvas final : public Canvas {
 public:
  WmfCanvas(PixelSize pixel, const TextMeasure& measure);

  // The window: the drawing extent (twips) with one pixel of margin on every side.
  void SetWindow(int xpixels, int ypixels);
  // Creates and selects the font, with the text alignment left and top.
  void SelectFont(const QFont& font);

  // A solid pen of the colour, Thickness pixels wide; a colour below zero forgets the pen in use,
  // so that the next one is made afresh.
  void SetPen(int Color, int Thickness);
  // A brush of the colour: pattern 1 solid, 2 to 7 the hatch patterns 0 to 5 of the platform;
  // another pattern makes no brush and leaves the one in use. A colour below zero forgets every
  // brush made so far.
  void SetBrush(int Color, int Pattern);

  bool IsPrinter() const override { return false; }
  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text) const override;
  void Line(int x1, int y1, int x2, int y2, int color, int width) override;
  void Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) override;
  void Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor,
               int fillColor) override;
  void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) override;
  // Any placement but 0, 1 and 2 keeps the alignment in force.
  void Text(int x, int y, const QString& text, int color, int placement) override;

  // The window in logical units, and how many of them make an inch.
  QRect Window() const { return window_; }
  int UnitsPerInch() const { return 1440 / twipsPerUnit_; }
  // The metafile as it stands, closed with its end record.
  QByteArray Bytes() const { return writer_.Bytes(); }

 private:
  int Logical(double twips) const;

  WmfWriter writer_;
  PixelSize pixel_;
  const TextMeasure& measure_;
  int twipsPerUnit_ = 1;
  QRect window_;
  int penColor_ = -1;
  int penThickness_ = -1;
  QHash<QString, int> brushes_;  // slot by "colour:pattern"
};

// Text in the platform's ANSI code page (Windows-1252); a character it lacks becomes "?".
YWINDOW_EXPORT QByteArray AnsiText(const QString& text);

}  // namespace Ywindow
