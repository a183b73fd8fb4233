#include "PictureBox.h"

#include "GrobList.h"
#include "PainterCanvas.h"

#include <QPainter>

namespace Ywindow {

PictureBox::PictureBox(const QColor& backColor, QWidget* parent) : QWidget(parent), backColor_(backColor) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Render(const GrobList& grobs, const ViewWindow& view, const QFont& font, PixelSize pixel) {
  picture_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  picture_.fill(backColor_);
  {
    QPainter painter(&picture_);
    painter.setFont(font);
    PainterCanvas canvas(painter, pixel.x, pixel.y);
    RedrawAllGrobs(grobs, canvas, view, false);
  }
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), backColor_);
  painter.drawImage(0, 0, picture_);
}

}  // namespace Ywindow
