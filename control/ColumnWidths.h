#pragma once

#include "YwindowExport.h"

#include <QSet>

namespace Ywindow {

class GridModel;
class TextMeasure;

// Column widths and row heights. Each column remembers a width (GridModel::WidthMemory): a
// negative -w pins the column to width w (date columns); 0 with width 0 is a hidden column;
// anything else is the width last fitted here or last seen by the width watch.

// Fits the grid at the end of a layout: a pinned column takes its pinned width, a hidden one
// stays hidden, every other column gets the padded width of its widest text (at most that of 25
// "X") and remembers it. Every row gets the height of its tallest text plus a margin (a quarter of
// a line in the text-only style, three quarters otherwise); header rows keep their heights when
// there are two or more of them.
YWINDOW_EXPORT void AutoFit(GridModel& grid, const TextMeasure& measure, int style, int headerRows);

// One look at the widths the user may have dragged: a pinned column snaps back; a column dragged
// to one pixel or less (but not to nothing) is hidden and its index remembered in hiddenCols;
// every other new width is remembered. Returns whether a remembered width changed, that is
// whether the drawing must be rebuilt (snapping back alone does not).
YWINDOW_EXPORT bool WatchColumnWidths(GridModel& grid, double twipsPerPixelX, QSet<int>& hiddenCols);

// Lets each single-line row grow by one line when one of its texts no longer fits its (normal,
// visible) column.
YWINDOW_EXPORT void ExpandRowsIfNeeded(GridModel& grid, const TextMeasure& measure);

}  // namespace Ywindow
