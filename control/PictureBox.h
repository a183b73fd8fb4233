#pragma once

#include "ControlGeometry.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

namespace Ywindow {

class GrobList;

// A picture of part of the chart (the drawing surface and the key): the graphic objects are
// drawn once into a picture kept by the box, which shows it whenever it is uncovered, until the
// next drawing. The box reports the mouse over it, positions in twips from its top left corner.
class PictureBox final : public QWidget {
  Q_OBJECT

 public:
  PictureBox(const QColor& backColor, QWidget* parent);

  // Draws the objects that meet the window onto a fresh picture of the box's size, in the font.
  void Render(const GrobList& grobs, const ViewWindow& view, const QFont& font, PixelSize pixel);

 signals:
  // Button and Shift are the control's mouse codes (MouseCodes.h).
  void Pressed(int Button, int Shift, QPointF twips);
  void Moved(int Button, int Shift, QPointF twips);
  void Released(int Button, int Shift, QPointF twips);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPointF Twips(const QMouseEvent* event) const;

  QColor backColor_;
  QImage picture_;
};

}  // namespace Ywindow
