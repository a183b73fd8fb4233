#pragma once

#include "YwindowExport.h"

#include <QString>

namespace Ywindow {

// A drawing target for graphic objects: the control's pictures now; the printer and the metafile
// builder draw through the same members. Coordinates are the canvas's own units (twips on the
// screen pictures); pen widths are device pixels; colours &HBBGGRR longs.
class YWINDOW_EXPORT Canvas {
 public:
  virtual ~Canvas();

  // The printer, where colours may be remapped for printing.
  virtual bool IsPrinter() const = 0;
  // Text measures in canvas units, in the canvas's font.
  virtual double TextWidth(const QString& text) const = 0;
  virtual double TextHeight(const QString& text) const = 0;

  // A line from (x1, y1) to (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, int color, int width) = 0;
  // A box filled in fillColor, hatched in black with the pattern of a fillStyle from 2 to 7, and
  // outlined one pixel wide in borderColor; both corners lie on the outline.
  virtual void Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) = 0;
  // An ellipse with the given centre and half-axes, filled and outlined one pixel wide.
  virtual void Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor,
                       int fillColor) = 0;
  // A filled triangle with its outline.
  virtual void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) = 0;
  // One line of text whose top lies at y; across, placement 0 puts the text right of x, 1 centres
  // it on x and 2 ends it at x.
  virtual void Text(int x, int y, const QString& text, int color, int placement) = 0;
};

}  // namespace Ywindow
