#include "FontMeasure.h"

#include "TextLines.h"

#include <QFontInfo>
#include <QPaintDevice>

#include <algorithm>

namespace Ywindow {

FontMeasure::FontMeasure(const QFont& font, const QPaintDevice* device)
    : font_(font),
      metrics_(font, device),
      twipsPerPixelX_(1440.0 / device->logicalDpiX()),
      twipsPerPixelY_(1440.0 / device->logicalDpiY()) {}

double FontMeasure::TextWidth(const QString& text) const {
  double widest = 0;
  QString rest = text;
  QString line;
  bool more = true;
  while (more) {
    more = SplitFirstLine(rest, &line, &rest);
    widest = std::max(widest, LineWidth(line));
  }
  return widest * twipsPerPixelX_;
}

double FontMeasure::LineWidth(const QString& line) const {
  constexpr qsizetype kMostRemembered = 1 << 18;
  const auto known = lineWidths_.constFind(line);
  if (known != lineWidths_.constEnd()) return known.value();
  if (lineWidths_.size() >= kMostRemembered) lineWidths_.clear();
  const double width = metrics_.horizontalAdvance(line);
  lineWidths_.insert(line, width);
  return width;
}

double FontMeasure::TextHeight(const QString& text) const {
  return LineCount(text) * metrics_.height() * twipsPerPixelY_;
}

float FontMeasure::FontSize() const {
  const double points = font_.pointSizeF();
  return static_cast<float>(points > 0 ? points : QFontInfo(font_).pointSizeF());
}

}  // namespace Ywindow
