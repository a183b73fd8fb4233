#pragma once

#include "Canvas.h"

#include <QString>
#include <QStringList>

// A canvas that writes down what it is asked to draw, one line per call, in canvas units:
//   "line 10,20 30,40 color 255 width 1"     "box 10,20 30,40 border 0 fill 255 style 1"
//   "ellipse 20,30 10x5 border 0 fill 255"   "triangle 10,20 30,40 50,60 border 0 fill 255"
//   "text 10,20 \"Today\" color 0 placement 1"
// Text is 100 units a character and 200 a line, or as printed on the printer.
class RecordingCanvas final : public Ywindow::Canvas {
 public:
  explicit RecordingCanvas(bool isPrinter = false) : isPrinter_(isPrinter) {}

  bool IsPrinter() const override { return isPrinter_; }
  double TextWidth(const QString& text) const override { return 100.0 * text.size(); }
  double TextHeight(const QString&) const override { return 200; }

  void Line(int x1, int y1, int x2, int y2, int color, int width) override {
    calls.append(
        QStringLiteral("line %1,%2 %3,%4 color %5 width %6").arg(x1).arg(y1).arg(x2).arg(y2).arg(color).arg(width));
  }
  void Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) override {
    calls.append(QStringLiteral("box %1,%2 %3,%4 border %5 fill %6 style %7")
                     .arg(x1)
                     .arg(y1)
                     .arg(x2)
                     .arg(y2)
                     .arg(borderColor)
                     .arg(fillColor)
                     .arg(fillStyle));
  }
  void Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor,
               int fillColor) override {
    calls.append(QStringLiteral("ellipse %1,%2 %3x%4 border %5 fill %6")
                     .arg(centreX)
                     .arg(centreY)
                     .arg(radiusX)
                     .arg(radiusY)
                     .arg(borderColor)
                     .arg(fillColor));
  }
  void Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) override {
    calls.append(QStringLiteral("triangle %1,%2 %3,%4 %5,%6 border %7 fill %8")
                     .arg(x1)
                     .arg(y1)
                     .arg(x2)
                     .arg(y2)
                     .arg(x3)
                     .arg(y3)
                     .arg(borderColor)
                     .arg(fillColor));
  }
  void Text(int x, int y, const QString& text, int color, int placement) override {
    calls.append(
        QStringLiteral("text %1,%2 \"%3\" color %4 placement %5").arg(x).arg(y).arg(text).arg(color).arg(placement));
  }

  QStringList calls;

 private:
  bool isPrinter_;
};
