#pragma once

#include "GrobDrawing.h"
#include "YwindowExport.h"

namespace Ywindow {

class GridModel;

// A rectangle in the control's twips.
struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The screen's twips per pixel, across and down.
struct PixelSize {
  double x = 15;
  double y = 15;
};

// The thickness of the system's scroll bars, in twips: a vertical bar's width, a horizontal
// bar's height.
struct ScrollBarSize {
  double vertical = 0;
  double horizontal = 0;
};

// Which of the grid's scroll bars show: a bar shows when the cells do not fit across (or down),
// and one bar can make the other needed.
struct GridScrollBars {
  bool horizontal = false;
  bool vertical = false;
};
YWINDOW_EXPORT GridScrollBars ScrollBarsShown(const GridModel& grid, const TwipsRect& gridRect, PixelSize pixel,
                                              ScrollBarSize bars);

// How far the grid scrolls: the last left column is the first from which every remaining column
// fits the width left for scrolling columns (twips), never before the first scrolling column; the
// last top row likewise.
YWINDOW_EXPORT int LastLeftCol(const GridModel& grid, double scrollingWidth);
YWINDOW_EXPORT int LastTopRow(const GridModel& grid, double scrollingHeight);

// The cell under a point of the grid as it shows now (twips from the top left of its cells): the
// fixed columns first, then the scrolling ones from the left column on. Cols() (Rows()) when the
// point lies beyond the last column (row).
YWINDOW_EXPORT int ColumnAt(const GridModel& grid, double x);
YWINDOW_EXPORT int RowAt(const GridModel& grid, double y);

// Where the constituents of the control lie. The grid's cells start two pixels inside its edge;
// the drawing surface lies over the scrolling cells, so that objects in chart coordinates land on
// the cells they belong to, and the key lies over the last row left of the surface.

// The drawing surface: from the first scrolling cell to the grid's edge, less the grid's scroll
// bars where they show, but not beyond the last cell. Its width or height is zero or less when
// the scrolling cells have no size.
YWINDOW_EXPORT TwipsRect ScrollPictureRect(const GridModel& grid, const TwipsRect& gridRect, PixelSize pixel,
                                           ScrollBarSize bars);
// The window of the chart that the drawing surface shows, as the grid is scrolled.
YWINDOW_EXPORT ViewWindow ScrollPictureView(const GridModel& grid, const TwipsRect& picture, PixelSize pixel);

// The key: over the last row where it now shows, from the grid's left to the drawing surface.
// False when no part of the row lies over the surface's height, or the grid has no rows.
YWINDOW_EXPORT bool KeyPictureRect(const GridModel& grid, const TwipsRect& gridRect, const TwipsRect& scrollPicture,
                                   PixelSize pixel, TwipsRect* key);
// The window of the chart that the key shows: the key row's area, unscrolled.
YWINDOW_EXPORT ViewWindow KeyPictureView(const GridModel& grid, const TwipsRect& key, PixelSize pixel);

}  // namespace Ywindow
