#pragma once

#include "ControlGeometry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace Ywindow {

class GrobList;

// A picture of part of the chart (the drawing surface and the key): the graphic objects are
// drawn once into a picture kept by the box, which shows it whenever it is uncovered, until the
// next drawing.
class PictureBox final : public QWidget {
 public:
  PictureBox(const QColor& backColor, QWidget* parent);

  // Draws the objects that meet the window onto a fresh picture of the box's size, in the font.
  void Render(const GrobList& grobs, const ViewWindow& view, const QFont& font, PixelSize pixel);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor backColor_;
  QImage picture_;
};

}  // namespace Ywindow
