#include "ControlGeometry.h"

#include "GridModel.h"
#include "Rounding.h"

#include <algorithm>
#include <cmath>

namespace Ywindow {

namespace {

// The width and height scrolled out of view.
double ScrolledWidth(const GridModel& grid) { return grid.ColPos(grid.LeftCol()) - grid.ColPos(grid.FixedCols()); }
double ScrolledHeight(const GridModel& grid) { return grid.RowPos(grid.TopRow()) - grid.RowPos(grid.FixedRows()); }

}  // namespace

GridScrollBars ScrollBarsShown(const GridModel& grid, const TwipsRect& gridRect, PixelSize pixel, ScrollBarSize bars) {
  const double allWidth = grid.ColPos(grid.Cols());
  const double allHeight = grid.RowPos(grid.Rows());
  GridScrollBars shown;
  shown.horizontal = gridRect.width < allWidth + 7 * pixel.x;
  shown.vertical = gridRect.height < allHeight + 5 * pixel.y;
  // In this order: the second test sees the result of the first.
  if (gridRect.height - bars.horizontal < allHeight + 3 * pixel.y && shown.horizontal) shown.vertical = true;
  if (gridRect.width - bars.vertical < allWidth + 5 * pixel.x && shown.vertical) shown.horizontal = true;
  return shown;
}

namespace {

// The first index from which the sizes up to the end fit the room; never before `first`, never
// beyond the last index.
int LastStart(const QList<int>& positions, int first, double room) {
  const int count = static_cast<int>(positions.size()) - 1;
  int start = first;
  while (start < count - 1 && positions[count] - positions[start] > room) ++start;
  return start;
}

// The index under a point: the fixed ones from 0, then, once the fixed ones are passed, the
// scrolling ones from the first shown, with the size scrolled away added.
int IndexAt(const QList<int>& positions, int fixed, int firstShown, double at) {
  const int count = static_cast<int>(positions.size()) - 1;
  int index = 0;
  double offset = 0;
  const auto skipScrolledAway = [&] {
    if (index != fixed) return;
    offset = positions[firstShown] - positions[index];
    index = firstShown;
  };
  skipScrolledAway();
  while (index < count && at + offset > positions[index + 1]) {
    ++index;
    skipScrolledAway();
  }
  return index;
}

}  // namespace

int LastLeftCol(const GridModel& grid, double scrollingWidth) {
  return LastStart(grid.ColPositions(), grid.FixedCols(), scrollingWidth);
}

int LastTopRow(const GridModel& grid, double scrollingHeight) {
  return LastStart(grid.RowPositions(), grid.FixedRows(), scrollingHeight);
}

int ColumnAt(const GridModel& grid, double x) {
  return IndexAt(grid.ColPositions(), grid.FixedCols(), grid.LeftCol(), x);
}

int RowAt(const GridModel& grid, double y) { return IndexAt(grid.RowPositions(), grid.FixedRows(), grid.TopRow(), y); }

TwipsRect ScrollPictureRect(const GridModel& grid, const TwipsRect& gridRect, PixelSize pixel, ScrollBarSize bars) {
  TwipsRect picture;
  picture.left = gridRect.left + grid.ColPos(grid.FixedCols()) + 4 * pixel.x;
  picture.top = gridRect.top + grid.RowPos(grid.FixedRows()) + 4 * pixel.y;

  const double allWidth = grid.ColPos(grid.Cols());
  const double allHeight = grid.RowPos(grid.Rows());
  const GridScrollBars shown = ScrollBarsShown(grid, gridRect, pixel, bars);
  double right = gridRect.left + gridRect.width - (shown.vertical ? bars.vertical + 2 * pixel.x : 0);
  right = std::min(right, gridRect.left + allWidth - ScrolledWidth(grid) + 2 * pixel.x);
  double bottom = gridRect.top + gridRect.height - (shown.horizontal ? bars.horizontal + 2 * pixel.y : 0);
  bottom = std::min(bottom, gridRect.top + allHeight - ScrolledHeight(grid) + 2 * pixel.y);
  picture.width = praxel::ToLong(right) - picture.left;
  picture.height = praxel::ToLong(bottom) - picture.top;
  return picture;
}

ViewWindow ScrollPictureView(const GridModel& grid, const TwipsRect& picture, PixelSize pixel) {
  ViewWindow view;
  view.ViewX1 = praxel::ToLong(grid.ColPos(grid.LeftCol()) + 2 * pixel.x);
  view.ViewX2 = praxel::ToLong(view.ViewX1 + picture.width);
  view.ViewY1 = praxel::ToLong(grid.RowPos(grid.TopRow()) + 2 * pixel.y);
  view.ViewY2 = praxel::ToLong(view.ViewY1 + picture.height);
  return view;
}

QRect PixelRect(const TwipsRect& twips, PixelSize pixel) {
  const auto across = [&](double value) { return static_cast<int>(std::lround(value / pixel.x)); };
  const auto down = [&](double value) { return static_cast<int>(std::lround(value / pixel.y)); };
  return QRect(across(twips.left), down(twips.top), std::max(0, across(twips.width)), std::max(0, down(twips.height)));
}

std::optional<KeyPlacement> KeyPicturePlacement(const GridModel& grid, const TwipsRect& gridRect,
                                                const TwipsRect& scrollPicture, PixelSize pixel) {
  // A grid without rows (emptied for a layout that has not come) has no last row to hold a key.
  const QRect surface = PixelRect(scrollPicture, pixel);
  if (grid.Rows() == 0 || surface.isEmpty()) return std::nullopt;
  // The chart point the surface shows at its top-left pixel once scrolled back across, and the
  // bottom of the chart it shows: the key shows the same, so that it clips where the surface does.
  const ViewWindow surfaceView = ScrollPictureView(grid, scrollPicture, pixel);
  const int originX = praxel::ToLong(grid.ColPos(grid.FixedCols()) + 2 * pixel.x);
  const int originY = surfaceView.ViewY1;
  const int rowTop = surface.top() + static_cast<int>(std::lround((grid.RowPos(grid.Rows() - 1) - originY) / pixel.y));
  const int left = static_cast<int>(std::lround((gridRect.left + 4 * pixel.x) / pixel.x));
  const int top = std::max(rowTop + 1, surface.top());
  KeyPlacement key;
  key.pixels = QRect(QPoint(left, top), QPoint(surface.left(), surface.bottom()));
  if (key.pixels.isEmpty()) return std::nullopt;
  key.view.ViewX1 = originX - praxel::ToLong((surface.left() - left) * pixel.x);
  key.view.ViewY1 = originY - praxel::ToLong((surface.top() - top) * pixel.y);
  key.view.ViewX2 = key.view.ViewX1 + praxel::ToLong(key.pixels.width() * pixel.x);
  key.view.ViewY2 = surfaceView.ViewY2;
  return key;
}

}  // namespace Ywindow
