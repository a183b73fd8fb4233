#include "PainterCanvas.h"

#include "Color.h"
#include "TextLines.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QRect>

#include <cmath>

namespace Ywindow {

namespace {

// The hatch patterns of fill styles 2 to 7.
Qt::BrushStyle HatchPattern(int fillStyle) {
  switch (fillStyle) {
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::BDiagPattern;  // upward diagonal
    case 5: return Qt::FDiagPattern;  // downward diagonal
    case 6: return Qt::CrossPattern;
    case 7: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
  }
}

QPen Pen(int color, int width) {
  QPen pen(praxel::ColorFromLong(color));
  pen.setWidth(width < 1 ? 1 : width);
  return pen;
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, double unitsPerPixelX, double unitsPerPixelY, bool isPrinter)
    : painter_(painter), unitsPerPixelX_(unitsPerPixelX), unitsPerPixelY_(unitsPerPixelY), isPrinter_(isPrinter) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

QPoint PainterCanvas::Pixel(double x, double y) const {
  return QPoint(static_cast<int>(std::lround(x / unitsPerPixelX_)), static_cast<int>(std::lround(y / unitsPerPixelY_)));
}

QFontMetricsF PainterCanvas::Metrics() const { return QFontMetricsF(painter_.font(), painter_.device()); }

double PainterCanvas::TextWidth(const QString& text) const {
  return Metrics().horizontalAdvance(text) * unitsPerPixelX_;
}

double PainterCanvas::TextHeight(const QString& text) const {
  return LineCount(text) * Metrics().height() * unitsPerPixelY_;
}

void PainterCanvas::Line(int x1, int y1, int x2, int y2, int color, int width) {
  painter_.setPen(Pen(color, width));
  painter_.drawLine(Pixel(x1, y1), Pixel(x2, y2));
}

void PainterCanvas::Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) {
  const QRect box = QRect(Pixel(x1, y1), Pixel(x2, y2)).normalized();
  painter_.fillRect(box, praxel::ColorFromLong(fillColor));
  const Qt::BrushStyle hatch = HatchPattern(fillStyle);
  if (hatch != Qt::NoBrush) painter_.fillRect(box, QBrush(Qt::black, hatch));
  painter_.setPen(Pen(borderColor, 1));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(box.adjusted(0, 0, -1, -1));
}

void PainterCanvas::Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor,
                            int fillColor) {
  painter_.setPen(Pen(borderColor, 1));
  painter_.setBrush(praxel::ColorFromLong(fillColor));
  painter_.drawEllipse(QPointF(centreX / unitsPerPixelX_, centreY / unitsPerPixelY_), radiusX / unitsPerPixelX_,
                       radiusY / unitsPerPixelY_);
  painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) {
  const QPolygon corners({Pixel(x1, y1), Pixel(x2, y2), Pixel(x3, y3)});
  painter_.setPen(Pen(borderColor, 1));
  painter_.setBrush(praxel::ColorFromLong(fillColor));
  painter_.drawPolygon(corners);
  painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::Text(int x, int y, const QString& text, int color, int placement) {
  const QFontMetricsF metrics = Metrics();
  const QPoint anchor = Pixel(x, y);
  const double left = anchor.x() - metrics.horizontalAdvance(text) * placement / 2.0;
  painter_.setPen(praxel::ColorFromLong(color));
  painter_.drawText(QPointF(left, anchor.y() + metrics.ascent()), text);
}

}  // namespace Ywindow
