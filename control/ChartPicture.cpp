#include "ChartPicture.h"

#include "GrobDrawing.h"
#include "GrobList.h"
#include "PainterCanvas.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <cmath>

namespace Ywindow {

namespace {

QSize PictureSize(const GrobList& grobs, PixelSize pixel) {
  return QSize(static_cast<int>(std::ceil(grobs.Xpixels() / pixel.x)) + 2,
               static_cast<int>(std::ceil(grobs.Ypixels() / pixel.y)) + 2);
}

void DrawChart(QPainter& painter, const GrobList& grobs, const QFont& font, PixelSize pixel, bool remapColors) {
  painter.setFont(font);
  // The printer's colours: the canvas counts as a printer, so that remapping applies.
  PainterCanvas canvas(painter, pixel.x, pixel.y, true);
  ViewWindow view;
  view.ViewX1 = static_cast<int>(std::lround(-pixel.x));
  view.ViewY1 = static_cast<int>(std::lround(-pixel.y));
  view.ViewX2 = static_cast<int>(std::lround(grobs.Xpixels() + pixel.x));
  view.ViewY2 = static_cast<int>(std::lround(grobs.Ypixels() + pixel.y));
  RedrawAllGrobs(grobs, canvas, view, remapColors);
}

int DotsPerMeter(double twipsPerPixel) { return static_cast<int>(std::lround(1440.0 / twipsPerPixel / 0.0254)); }

}  // namespace

QImage ChartImage(const GrobList& grobs, const QFont& font, PixelSize pixel, bool remapColors) {
  QImage image(PictureSize(grobs, pixel), QImage::Format_RGB32);
  // Point-sized text takes the screen's size on the picture.
  image.setDotsPerMeterX(DotsPerMeter(pixel.x));
  image.setDotsPerMeterY(DotsPerMeter(pixel.y));
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawChart(painter, grobs, font, pixel, remapColors);
  return image;
}

QByteArray ChartSvg(const GrobList& grobs, const QFont& font, PixelSize pixel, bool remapColors) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  const QSize size = PictureSize(grobs, pixel);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setResolution(static_cast<int>(std::lround(1440.0 / pixel.x)));
  {
    QPainter painter(&svg);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    DrawChart(painter, grobs, font, pixel, remapColors);
  }
  return buffer.data();
}

}  // namespace Ywindow
