#include "PictureBox.h"

#include "GrobList.h"
#include "MouseCodes.h"
#include "PainterCanvas.h"

#include <QMouseEvent>
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

QPointF PictureBox::Twips(const QMouseEvent* event) const {
  return QPointF(event->position().x() * 1440.0 / logicalDpiX(), event->position().y() * 1440.0 / logicalDpiY());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  emit Pressed(ButtonCode(event->button()), ShiftCode(event->modifiers()), Twips(event));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  emit Moved(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), Twips(event));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  emit Released(ButtonCode(event->button()), ShiftCode(event->modifiers()), Twips(event));
}

}  // namespace Ywindow
