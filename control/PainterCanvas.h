#pragma once

#include "Canvas.h"
#include "YwindowExport.h"

#include <QFontMetricsF>
#include <QPoint>

class QPainter;

namespace Ywindow {

// A canvas over a QPainter whose units are a fixed number of device pixels apart (twips on the
// screen: 15 to the pixel at 96 dots to the inch). Text is drawn and measured in the painter's
// current font; nothing is antialiased, so that lines and fills land on whole pixels.
class YWINDOW_EXPORT PainterCanvas final : public Canvas {
 public:
  PainterCanvas(QPainter& painter, double unitsPerPixelX, double unitsPerPixelY, bool isPrinter = false);

  bool IsPrinter() const override { return isPrinter_; }
  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text) const override;

  void Line(int x1, int y1, int x2, int y2, int color, int width) override;
  void Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) override;
  void Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor, int fillColor) override;
  void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) override;
  void Text(int x, int y, const QString& text, int color, int placement) override;

 private:
  QPoint Pixel(double x, double y) const;
  QFontMetricsF Metrics() const;

  QPainter& painter_;
  double unitsPerPixelX_;
  double unitsPerPixelY_;
  bool isPrinter_;
};

}  // namespace Ywindow
