#include "GridDrawing.h"

#include "GridMerging.h"
#include "GridModel.h"
#include "GrobList.h"
#include "PaintBreaks.h"
#include "Rounding.h"
#include "TextLines.h"
#include "TextMeasure.h"
#include "YwindowEnums.h"

#include <functional>

namespace Ywindow {

namespace {

constexpr int kTextColor = 0;
constexpr int kEdgeColor = 0;
constexpr int kEdgeThickness = 2;
// Inner lines are near-black and thin: colour 2, not 0, so that they stay apart from the edges.
constexpr int kInnerColor = 2;
constexpr int kInnerThickness = 0;

// The code by which a cell's text is placed. The grid's general alignment, and any other code
// beyond the nine placements, shows text as general does: left, centred up and down.
int PlacementOf(const GridModel& grid, int row, int col) {
  int alignment = grid.CellAlignment(row, col);
  if (alignment == 0) alignment = grid.ColAlignment(col);
  if (alignment < 0 || alignment > 8) alignment = kAlignLeftCentre;
  return alignment;
}

// One line object for each run of consecutive carrying indexes from 0 to count - 1.
void DrawRuns(int count, const std::function<bool(int)>& carries, const std::function<void(int, int)>& drawRun) {
  int start = -1;
  for (int i = 0; i <= count; ++i) {
    const bool carrying = i < count && carries(i);
    if (carrying && start < 0) start = i;
    if (!carrying && start >= 0) {
      drawRun(start, i);
      start = -1;
    }
  }
}

void DrawHorizontalGridLine(const GridModel& grid, int style, const QList<int>& colPos, int y, int row,
                            GrobList& grobs) {
  const int rows = grid.Rows();
  if (row == 0 || row == rows || (style == ywDateGrid && row == rows - 1)) {
    grobs.XLine(0, y, colPos.last(), y, kEdgeColor, kEdgeThickness);
    return;
  }
  DrawRuns(
      grid.Cols(), [&](int col) { return grid.WidthMemory(col) < 0 || grid.Text(row, col) != grid.Text(row - 1, col); },
      [&](int start, int end) { grobs.XLine(colPos[start], y, colPos[end], y, kInnerColor, kInnerThickness); });
}

void DrawVerticalGridLine(const GridModel& grid, int style, const QList<int>& rowPos, int x, int col, GrobList& grobs) {
  const int rows = grid.Rows();
  if (col == 0 || col == grid.Cols()) {
    grobs.XLine(x, 0, x, rowPos.last(), kEdgeColor, kEdgeThickness);
    return;
  }
  const bool pinned = grid.WidthMemory(col) < 0;
  const int last = style == ywDateGrid ? rows - 1 : rows;
  DrawRuns(
      last,
      [&](int row) {
        const QString& text = grid.Text(row, col);
        return !grid.MergeRow(row) || (pinned && text.isEmpty()) || text != grid.Text(row, col - 1);
      },
      [&](int start, int end) { grobs.XLine(x, rowPos[start], x, rowPos[end], kInnerColor, kInnerThickness); });
}

}  // namespace

void DrawGridText(const GridModel& grid, const TextMeasure& measure, GrobList& grobs, QList<GridTextSource>* sources) {
  const QList<int> colPos = grid.ColPositions();
  const QList<int> rowPos = grid.RowPositions();
  const double margin = measure.FontSize() * 5.0f;
  for (int col = 0; col < grid.Cols(); ++col) {
    if (grid.ColWidth(col) <= 0) continue;
    for (int row = 0; row < grid.Rows(); ++row) {
      KeepPainting();
      const QString& raw = grid.Text(row, col);
      const QString text = TrimSpaces(raw);
      if (text.isEmpty()) continue;
      // A cell that merges with the one above or to its left lies inside a block drawn from its
      // first cell: only first cells look for their block, so a long run is walked once.
      if ((row > 0 && grid.MergeCol(col) && grid.Text(row - 1, col) == raw) ||
          (col > 0 && grid.MergeRow(row) && grid.Text(row, col - 1) == raw)) {
        continue;
      }
      const MergeBlock block = FindBorder(grid, row, col);
      if (row != block.Row1 + 1 || col != block.Col1 + 1) continue;

      const int alignment = PlacementOf(grid, row, col);
      const double left = colPos[block.Col1 + 1];
      const double right = colPos[block.Col2];
      const double top = rowPos[block.Row1 + 1];
      const double bottom = rowPos[block.Row2];
      int x = 0;
      switch (alignment / 3) {
        case 0: x = praxel::ToLong(left + margin); break;
        case 1: x = praxel::ToLong((left + right) / 2); break;
        default: x = praxel::ToLong(right - margin); break;
      }
      int y = 0;
      switch (alignment % 3) {
        case 0: y = praxel::ToLong(top + margin); break;
        case 1: y = praxel::ToLong((top + bottom - measure.TextHeight(text)) / 2); break;
        default: y = praxel::ToLong(bottom - margin - measure.TextHeight(text)); break;
      }
      const int firstObject = grobs.Count();
      grobs.DrawText(measure, x, y, text, alignment, kTextColor, colPos[block.Col2] - colPos[block.Col1 + 1]);
      if (sources == nullptr) continue;
      for (int index = firstObject; index < grobs.Count(); ++index) sources->append({index, row, col});
    }
  }
}

void DrawGridLines(const GridModel& grid, int style, GrobList& grobs) {
  if (style == ywGraphicsOnly) return;
  const QList<int> colPos = grid.ColPositions();
  const QList<int> rowPos = grid.RowPositions();
  for (int row = 0; row <= grid.Rows(); ++row) {
    DrawHorizontalGridLine(grid, style, colPos, rowPos[row], row, grobs);
    KeepPainting();
  }
  for (int col = 0; col <= grid.Cols(); ++col) {
    DrawVerticalGridLine(grid, style, rowPos, colPos[col], col, grobs);
    KeepPainting();
  }
}

}  // namespace Ywindow
