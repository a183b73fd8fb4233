#pragma once

#include "GrobDrawing.h"
#include "YwindowExport.h"

#include <QRect>

#include <optional>

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

// A rectangle of twips on whole pixels: each edge at its nearest pixel.
YWINDOW_EXPORT QRect PixelRect(const TwipsRect& twips, PixelSize pixel);

// The key, placed on the control's pixels, and the window of the chart it shows.
struct KeyPlacement {
  QRect pixels;
  ViewWindow view;
};
// The key lies over the key row (the last) where the row now shows: from four pixels inside the
// grid's left edge to one pixel under the drawing surface, and from one pixel below the row's top
// line down to the surface's bottom. It shows the key row unscrolled
// across and scrolled down as the grid is, every chart point on the pixel where the surface,
// scrolled back to its first column, draws it: a key that runs on past the locked columns goes on
// over the surface without a seam. None when no part of the row lies over the surface, or the
// grid has no rows.
YWINDOW_EXPORT std::optional<KeyPlacement> KeyPicturePlacement(const GridModel& grid, const TwipsRect& gridRect,
                                                               const TwipsRect& scrollPicture, PixelSize pixel);

}  // namespace Ywindow
