#include "TextMeasure.h"

#include "Rounding.h"
#include "TextLines.h"

#include <algorithm>

namespace Ywindow {

TextMeasure::~TextMeasure() = default;

int TextMeasure::PaddedLineWidth(const QString& line) const {
  return praxel::ToLong(TextWidth(QLatin1Char('X') + TrimSpaces(line) + QLatin1Char('X')));
}

int GetTextWidth(const TextMeasure& measure, const QString& Text) {
  // Most cells hold one line: it is measured as it is, without splitting.
  if (!Text.contains(QLatin1Char('\r'))) return std::max(0, measure.PaddedLineWidth(Text));
  int widest = 0;
  QString rest = Text;
  QString line;
  bool more = true;
  while (more) {
    more = SplitFirstLine(rest, &line, &rest);
    widest = std::max(widest, measure.PaddedLineWidth(line));
  }
  return widest;
}

}  // namespace Ywindow
