#pragma once

#include "YwindowExport.h"

#include <QList>

namespace Ywindow {

class GridModel;
class GrobList;
class TextMeasure;

// The grid turned into graphic objects in chart coordinates, so that the grid and the host's
// drawing are one picture on the screen, on paper and in an export. Merged blocks show as one
// cell: one text per block and no line between cells that merge.

// The cell a text object of the grid stands for, by the object's index in the list.
struct GridTextSource {
  int index = 0;
  int row = 0;
  int col = 0;
};

// One text per block of merged cells, at its top-left cell, placed by the cell's alignment (the
// column's when the cell has none) within the block, a margin of five twips per point from its
// edges, each line shortened to the block's width. Hidden columns draw nothing. When `sources` is
// given, it gets the cell of every text object added.
YWINDOW_EXPORT void DrawGridText(const GridModel& grid, const TextMeasure& measure, GrobList& grobs,
                                 QList<GridTextSource>* sources = nullptr);

// The grid's lines, none in the graphics-only style: the outer edges black and two pixels wide;
// inside, near-black thin runs wherever neighbouring cells do not merge. Pinned (date) columns
// always have their horizontal lines. In the date-grid style the line above the last (key) row
// runs across the whole width and the inner vertical lines stop at it.
YWINDOW_EXPORT void DrawGridLines(const GridModel& grid, int style, GrobList& grobs);

}  // namespace Ywindow
