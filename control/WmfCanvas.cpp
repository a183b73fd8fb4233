#include "WmfCanvas.h"

#include "Rounding.h"
#include "TextMeasure.h"

#include <QFontInfo>
#include <QStringEncoder>

#include <algorithm>
#include <cmath>

namespace Ywindow {

namespace {

constexpr int kLargestCoordinate = 32767;
constexpr int kTwipsPerInch = 1440;

// The text alignments of placements 0 (left), 1 (centre) and 2 (right), all at the text's top.
constexpr int kAlignments[] = {0, 6, 2};

}  // namespace

QByteArray AnsiText(const QString& text) {
  QStringEncoder whole("windows-1252");
  if (!whole.isValid()) {
    QByteArray latin1 = text.toLatin1();
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (text.at(i).unicode() > 0xFF) latin1[i] = '?';
    }
    return latin1;
  }
  QByteArray bytes = whole.encode(text);
  if (!whole.hasError()) return bytes;
  // Character by character, each with an encoder of its own, so that one that does not fit
  // becomes "?" and the others stay.
  bytes.clear();
  for (const uint codePoint : text.toUcs4()) {
    const char32_t one[] = {codePoint};
    QStringEncoder encoder("windows-1252");
    const QByteArray encoded = encoder.encode(QString::fromUcs4(one, 1));
    bytes.append(encoder.hasError() || encoded.size() != 1 ? QByteArray("?") : encoded);
  }
  return bytes;
}

WmfCanvas::WmfCanvas(PixelSize pixel, const TextMeasure& measure) : pixel_(pixel), measure_(measure) {}

int WmfCanvas::Logical(double twips) const {
  // Half to even, like every conversion to a Long; the writer keeps the result in its range.
  constexpr double kLimit = 2147483647.0;
  return static_cast<int>(std::clamp(std::nearbyint(twips / twipsPerUnit_), -kLimit, kLimit));
}

void WmfCanvas::SetWindow(int xpixels, int ypixels) {
  const int width = praxel::ToLong(xpixels + 2 * pixel_.x);
  const int height = praxel::ToLong(ypixels + 2 * pixel_.y);
  const int largest = std::max({width, height, praxel::ToLong(pixel_.x), praxel::ToLong(pixel_.y)});
  // The next divisor of an inch while the window does not fit; at most an inch a unit, beyond
  // which the coordinates are kept at the edge of the range.
  twipsPerUnit_ = 1;
  while (largest / twipsPerUnit_ > kLargestCoordinate && twipsPerUnit_ < kTwipsPerInch) {
    do {
      ++twipsPerUnit_;
    } while (kTwipsPerInch % twipsPerUnit_ != 0);
  }

  writer_.SetMapMode(kMapAnisotropic);
  window_ = QRect(Logical(-pixel_.x), Logical(-pixel_.y), Logical(width), Logical(height));
  writer_.SetWindowExt(window_.width(), window_.height());
  writer_.SetWindowOrg(window_.left(), window_.top());
}

void WmfCanvas::SelectFont(const QFont& font) {
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
  WmfFont record;
  record.height = -Logical(praxel::ToLong(points * 20));
  record.weight = font.bold() ? 700 : 400;
  record.italic = font.italic();
  record.faceName = AnsiText(font.family());
  writer_.SelectObject(writer_.CreateFont(record));
  writer_.SetTextAlign(0);
}

void WmfCanvas::SetPen(int Color, int Thickness) {
  if (Color < 0) {
    penColor_ = -1;
    penThickness_ = -1;
    return;
  }
  if (Color == penColor_ && Thickness == penThickness_) return;
  const int width = Logical(praxel::ToLong(pixel_.x * Thickness));
  writer_.SelectObject(writer_.CreatePen(kPenSolid, width, static_cast<std::uint32_t>(Color)));
  penColor_ = Color;
  penThickness_ = Thickness;
}

void WmfCanvas::SetBrush(int Color, int Pattern) {
  if (Color < 0) {
    brushes_.clear();
    return;
  }
  const QString key = QString::number(Color) + QLatin1Char(':') + QString::number(Pattern);
  const auto cached = brushes_.constFind(key);
  if (cached != brushes_.constEnd()) {
    writer_.SelectObject(*cached);
    return;
  }
  const auto color = static_cast<std::uint32_t>(Color);
  int slot = 0;
  if (Pattern == 1) {
    slot = writer_.CreateBrush(kBrushSolid, color, 0);
  } else if (Pattern >= 2 && Pattern <= 7) {
    slot = writer_.CreateBrush(kBrushHatched, color, Pattern - 2);
  } else {
    return;
  }
  writer_.SelectObject(slot);
  brushes_.insert(key, slot);
}

double WmfCanvas::TextWidth(const QString& text) const { return measure_.TextWidth(text); }

double WmfCanvas::TextHeight(const QString& text) const { return measure_.TextHeight(text); }

void WmfCanvas::Line(int x1, int y1, int x2, int y2, int color, int width) {
  SetPen(color, width);
  writer_.MoveTo(Logical(x1), Logical(y1));
  writer_.LineTo(Logical(x2), Logical(y2));
}

void WmfCanvas::Rectangle(int x1, int y1, int x2, int y2, int borderColor, int fillColor, int fillStyle) {
  SetPen(borderColor, 1);
  SetBrush(fillColor, 1);
  const int left = Logical(x1);
  const int top = Logical(y1);
  const int right = Logical(x2 + pixel_.x);
  const int bottom = Logical(y2 + pixel_.y);
  writer_.Rectangle(left, top, right, bottom);
  if (fillStyle == 1) return;
  // The hatch in black over the fill, on a transparent background that stays in force.
  SetBrush(0, fillStyle);
  writer_.SetBkMode(kBkTransparent);
  writer_.Rectangle(left, top, right, bottom);
}

void WmfCanvas::Ellipse(double centreX, double centreY, double radiusX, double radiusY, int borderColor,
                        int fillColor) {
  SetPen(borderColor, 1);
  SetBrush(fillColor, 1);
  writer_.Ellipse(Logical(centreX - radiusX), Logical(centreY - radiusY), Logical(centreX + radiusX + pixel_.x),
                  Logical(centreY + radiusY + pixel_.y));
}

void WmfCanvas::Triangle(int x1, int y1, int x2, int y2, int x3, int y3, int borderColor, int fillColor) {
  SetPen(borderColor, 1);
  SetBrush(fillColor, 1);
  writer_.Polygon({QPoint(Logical(x1), Logical(y1)), QPoint(Logical(x2), Logical(y2)), QPoint(Logical(x3), Logical(y3))});
}

void WmfCanvas::Text(int x, int y, const QString& text, int, int placement) {
  if (placement >= 0 && placement <= 2) writer_.SetTextAlign(kAlignments[placement]);
  writer_.TextOut(Logical(x), Logical(y), AnsiText(text));
}

}  // namespace Ywindow
