#include "TextMeasure.h"

#include "Rounding.h"
#include "TextLines.h"

#include <algorithm>

namespace Ywindow {

TextMeasure::~TextMeasure() = default;

int GetTextWidth(const TextMeasure& measure, const QString& Text) {
  int widest = 0;
  QString rest = Text;
  QString line;
  bool more = true;
  while (more) {
    more = SplitFirstLine(rest, &line, &rest);
    const QString padded = QLatin1Char('X') + TrimSpaces(line) + QLatin1Char('X');
    widest = std::max(widest, praxel::ToLong(measure.TextWidth(padded)));
  }
  return widest;
}

}  // namespace Ywindow
