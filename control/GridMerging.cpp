#include "GridMerging.h"

#include "GridModel.h"
#include "PaintBreaks.h"
#include "TextLines.h"
#include "YwindowEnums.h"

#include <algorithm>

namespace Ywindow {

MergeBlock FindBorder(const GridModel& grid, int Row, int Col) {
  const QString text = grid.Text(Row, Col);
  MergeBlock block{Row - 1, Col - 1, Row + 1, Col + 1};
  if (text.isEmpty()) return block;
  if (grid.MergeCol(Col)) {
    while (block.Row1 >= 0 && grid.Text(block.Row1, Col) == text) --block.Row1;
    while (block.Row2 < grid.Rows() && grid.Text(block.Row2, Col) == text) ++block.Row2;
  }
  if (grid.MergeRow(Row)) {
    while (block.Col1 >= 0 && grid.Text(Row, block.Col1) == text) --block.Col1;
    while (block.Col2 < grid.Cols() && grid.Text(Row, block.Col2) == text) ++block.Col2;
  }
  return block;
}

namespace {

// The text with a blank on the side where the column's alignment hides it.
QString PaddedApart(const QString& text, int columnAlignment) {
  if (text.isEmpty()) {
    // Blank cells are the most common by far (a chart's date columns): share two strings.
    static const QString kOneBlank(QLatin1Char(' '));
    static const QString kTwoBlanks(2, QLatin1Char(' '));
    switch (columnAlignment / 3) {
      case 0:
      case 2:
      case 3: return kOneBlank;
      case 1: return kTwoBlanks;
      default: return text;
    }
  }
  switch (columnAlignment / 3) {
    case 0: return text + QLatin1Char(' ');
    case 1: return QLatin1Char(' ') + text + QLatin1Char(' ');
    case 2: return QLatin1Char(' ') + text;
    case 3: return text + QLatin1Char(' ');  // the general alignment shows texts left
    default: return text;
  }
}

// Below the header, each cell of columns 1 onwards merges with the equal cell above only where
// the cells to its left merge. The first data row is compared with the last header row; without
// a header row, row 0 has nothing above it and the comparisons start at row 1. A cell depends on
// the finished cells above it and to its left only, so the rows are taken one after another:
// each row's cells lie together in memory.
void MarkOutline(GridModel& grid, int headerRows) {
  if (grid.Rows() == 0) return;
  const int firstCompared = std::max(headerRows, 1);
  for (int r = firstCompared; r < grid.Rows(); ++r) {
    KeepPainting();
    for (int c = 1; c < grid.Cols(); ++c) {
      const QString& above = grid.Text(r - 1, c);
      const QString& text = grid.Text(r, c);
      if (TrimSpaces(text) != TrimSpaces(above)) continue;
      if (grid.Text(r, c - 1) == grid.Text(r - 1, c - 1)) {
        grid.SetText(r, c, QString(above));
        continue;
      }
      const QString trimmed = TrimSpaces(text);
      grid.SetText(r, c, above == trimmed ? PaddedApart(trimmed, grid.ColAlignment(c)) : trimmed);
    }
  }
}

// Bands the data rows by groups of equal first-column text. Without a header row the first data
// row starts the first group.
void BandRows(GridModel& grid, int headerRows) {
  int color = grid.BackColorFixed();
  for (int r = headerRows; r < grid.Rows(); ++r) {
    const bool newGroup = r == 0 || grid.Cols() == 0 || grid.Text(r, 0) != grid.Text(r - 1, 0);
    if (newGroup) color = color == grid.BackColor() ? kBandColor : grid.BackColor();
    for (int c = 0; c < grid.Cols(); ++c) {
      if (grid.CellBackColor(r, c) == 0) grid.SetCellBackColor(r, c, color);
    }
  }
}

}  // namespace

void AutoMerge(GridModel& grid, int headerRows, int style) {
  for (int r = 0; r < grid.Rows(); ++r) grid.SetMergeRow(r, r < headerRows);
  for (int c = 0; c < grid.Cols(); ++c) grid.SetMergeCol(c, true);
  MarkOutline(grid, headerRows);
  if (style == ywTextOnly) BandRows(grid, headerRows);
}

}  // namespace Ywindow
