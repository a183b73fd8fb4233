#include "ColumnWidths.h"

#include "GridModel.h"
#include "PaintBreaks.h"
#include "Rounding.h"
#include "TextLines.h"
#include "TextMeasure.h"
#include "YwindowEnums.h"

#include <algorithm>

namespace Ywindow {

void AutoFit(GridModel& grid, const TextMeasure& measure, int style, int headerRows) {
  const double lineHeight = measure.TextHeight(QStringLiteral("X"));
  const float rowMargin = static_cast<float>(lineHeight * (style == ywTextOnly ? 0.25 : 0.75));
  const int cap = praxel::ToLong(measure.TextWidth(QString(25, QLatin1Char('X'))));

  for (int c = 0; c < grid.Cols(); ++c) {
    const int memory = grid.WidthMemory(c);
    if (memory < 0) {
      grid.SetColWidth(c, -memory);
    } else if (grid.ColWidth(c) == 0) {
      grid.SetWidthMemory(c, 0);
    } else {
      int width = 0;
      for (int r = 0; r < grid.Rows(); ++r) {
        width = std::max(width, std::min(GetTextWidth(measure, grid.Text(r, c)), cap));
        KeepPainting();
      }
      grid.SetColWidth(c, width);
      grid.SetWidthMemory(c, width);
    }
  }

  // A row is as tall as its cell of the most lines; only that cell is measured.
  for (int r = 0; r < grid.Rows(); ++r) {
    if (r < headerRows && headerRows != 1) continue;
    KeepPainting();
    const QString* tallest = nullptr;
    int mostLines = 0;
    for (int c = 0; c < grid.Cols(); ++c) {
      const QString& text = grid.Text(r, c);
      const int lines = LineCount(text);
      if (lines > mostLines) {
        mostLines = lines;
        tallest = &text;
      }
    }
    grid.SetRowHeight(r, tallest == nullptr ? 0 : praxel::ToLong(measure.TextHeight(*tallest) + rowMargin));
  }
}

bool WatchColumnWidths(GridModel& grid, double twipsPerPixelX, QSet<int>& hiddenCols) {
  bool changed = false;
  for (int c = 0; c < grid.Cols(); ++c) {
    const int memory = grid.WidthMemory(c);
    int width = grid.ColWidth(c);
    if (memory < 0) {
      if (width != -memory) grid.SetColWidth(c, -memory);
      continue;
    }
    if (width > 0 && width <= twipsPerPixelX) {
      width = 0;
      grid.SetColWidth(c, 0);
      hiddenCols.insert(c);
    }
    if (memory != width) {
      grid.SetWidthMemory(c, width);
      changed = true;
    }
  }
  return changed;
}

void ExpandRowsIfNeeded(GridModel& grid, const TextMeasure& measure) {
  const double lineHeight = measure.TextHeight(QStringLiteral("X"));
  for (int r = 0; r < grid.Rows(); ++r) {
    if (grid.RowHeight(r) >= 2 * lineHeight) continue;
    for (int c = 0; c < grid.Cols(); ++c) {
      if (grid.WidthMemory(c) < 1) continue;
      const QString padded = QLatin1Char(' ') + TrimSpaces(grid.Text(r, c)) + QLatin1Char(' ');
      if (measure.TextWidth(padded) > grid.ColWidth(c)) {
        grid.SetRowHeight(r, praxel::ToLong(lineHeight + grid.RowHeight(r)));
        break;
      }
    }
  }
}

}  // namespace Ywindow
