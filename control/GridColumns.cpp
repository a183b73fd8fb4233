#include "GridColumns.h"

#include "GridModel.h"
#include "Rounding.h"
#include "TextMeasure.h"

namespace Ywindow {

void AddColumn(GridModel& grid, const QString& Heading, int Alignment, const QSet<int>& hiddenCols,
               const TextMeasure& measure) {
  const int column = grid.Cols();
  grid.SetCols(column + 1);
  if (grid.Rows() == 0) grid.SetRows(1);
  if (hiddenCols.contains(column)) Alignment = AlignHidden;
  grid.SetText(0, column, Heading);
  switch (Alignment) {
    case AlignDateGrid:
      grid.SetColAlignment(column, kAlignRightCentre);
      grid.SetWidthMemory(column, -praxel::ToLong(measure.TextWidth(QStringLiteral(" 88.8 "))));
      break;
    case AlignHidden: grid.SetColWidth(column, 0); break;
    default: grid.SetColAlignment(column, praxel::ToInteger(Alignment)); break;
  }
}

}  // namespace Ywindow
