#pragma once

#include "YwindowExport.h"

namespace Ywindow {

class GridModel;

// A block of merged cells, given by the indexes just outside it: rows Row1 + 1 to Row2 - 1,
// columns Col1 + 1 to Col2 - 1.
struct MergeBlock {
  int Row1 = 0;
  int Col1 = 0;
  int Row2 = 0;
  int Col2 = 0;
  bool operator==(const MergeBlock&) const = default;
};

// The block the cell belongs to: from the cell up, left, down and right over neighbours with
// exactly the same (untrimmed, non-empty) text, along a mergeable column up and down and a
// mergeable row to the sides. An empty cell, or one without an equal neighbour, is a block alone.
YWINDOW_EXPORT MergeBlock FindBorder(const GridModel& grid, int Row, int Col);

// Merges equal neighbouring cells so that the grid reads as an outline: the header rows merge
// side by side, every column up and down; below the header a cell merges with the equal cell
// above it only where the cells to its left merge too, and otherwise gets a blank on the side its
// column's alignment hides, which keeps it apart. Column 0 is left as it is. In the text-only
// style the data rows are also banded, by groups of equal first-column text, alternately in the
// grid's back colour and pale green; cells the host coloured keep their colour.
YWINDOW_EXPORT void AutoMerge(GridModel& grid, int headerRows, int style);

// The second band colour, pale green.
constexpr int kBandColor = 0xD0FFD0;

}  // namespace Ywindow
