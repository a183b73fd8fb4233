#include "FontMeasure.h"

#include "Rounding.h"
#include "TextLines.h"

#include <QFontInfo>
#include <QPaintDevice>

#include <algorithm>

namespace Ywindow {

FontMeasure::FontMeasure(const QFont& font, const QPaintDevice* device)
    : font_(font),
      metrics_(font, device),
      lineHeight_(metrics_.height()),
      twipsPerPixelX_(1440.0 / device->logicalDpiX()),
      twipsPerPixelY_(1440.0 / device->logicalDpiY()),
      lines_(SharedLines(font, device)) {}

std::shared_ptr<FontMeasure::Lines> FontMeasure::SharedLines(const QFont& font, const QPaintDevice* device) {
  // Few fonts are measured with: the last few asked for are kept, the latest first.
  constexpr qsizetype kFontsRemembered = 4;
  struct FontLines {
    QFont font;
    int dpiX = 0;
    int dpiY = 0;
    std::shared_ptr<Lines> lines;
  };
  thread_local QList<FontLines> known;
  const int dpiX = device->logicalDpiX();
  const int dpiY = device->logicalDpiY();
  for (qsizetype index = 0; index < known.size(); ++index) {
    if (known[index].font == font && known[index].dpiX == dpiX && known[index].dpiY == dpiY) {
      known.move(index, 0);
      return known.first().lines;
    }
  }
  if (known.size() >= kFontsRemembered) known.removeLast();
  known.prepend({font, dpiX, dpiY, std::make_shared<Lines>()});
  return known.first().lines;
}

double FontMeasure::TextWidth(const QString& text) const {
  if (!text.contains(QLatin1Char('\r'))) return std::max(0.0, LineWidth(text)) * twipsPerPixelX_;
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

FontMeasure::LineWidths& FontMeasure::Remembered(const QString& line) const {
  constexpr qsizetype kMostRemembered = 1 << 18;
  const auto known = lines_->find(line);
  if (known != lines_->end()) return known.value();
  if (lines_->size() >= kMostRemembered) lines_->clear();
  return lines_->insert(line, LineWidths()).value();
}

double FontMeasure::LineWidth(const QString& line) const {
  LineWidths& widths = Remembered(line);
  if (widths.pixels < 0) widths.pixels = metrics_.horizontalAdvance(line);
  return widths.pixels;
}

int FontMeasure::PaddedLineWidth(const QString& line) const {
  if (line.contains(QLatin1Char('\r'))) return TextMeasure::PaddedLineWidth(line);
  LineWidths& widths = Remembered(line);
  if (widths.paddedTwips < 0) {
    // Measured whole: the blanks go, and "X" may kern with the line's first and last letters.
    const QString padded = QLatin1Char('X') + TrimSpaces(line) + QLatin1Char('X');
    widths.paddedTwips = praxel::ToLong(std::max(0.0, metrics_.horizontalAdvance(padded)) * twipsPerPixelX_);
  }
  return widths.paddedTwips;
}

double FontMeasure::TextHeight(const QString& text) const {
  return LineCount(text) * lineHeight_ * twipsPerPixelY_;
}

float FontMeasure::FontSize() const {
  const double points = font_.pointSizeF();
  return static_cast<float>(points > 0 ? points : QFontInfo(font_).pointSizeF());
}

}  // namespace Ywindow
