#include "ControlGeometry.h"

#include "GridModel.h"
#include "Rounding.h"

#include <algorithm>

namespace Ywindow {

namespace {

// The width and height scrolled out of view.
double ScrolledWidth(const GridModel& grid) { return grid.ColPos(grid.LeftCol()) - grid.ColPos(grid.FixedCols()); }
double ScrolledHeight(const GridModel& grid) { return grid.RowPos(grid.TopRow()) - grid.RowPos(grid.FixedRows()); }

}  // namespace

TwipsRect ScrollPictureRect(const GridModel& grid, const TwipsRect& gridRect, PixelSize pixel, ScrollBarSize bars) {
  TwipsRect picture;
  picture.left = gridRect.left + grid.ColPos(grid.FixedCols()) + 4 * pixel.x;
  picture.top = gridRect.top + grid.RowPos(grid.FixedRows()) + 4 * pixel.y;

  const double allWidth = grid.ColPos(grid.Cols());
  const double allHeight = grid.RowPos(grid.Rows());
  bool horizontalBar = gridRect.width < allWidth + 7 * pixel.x;
  bool verticalBar = gridRect.height < allHeight + 5 * pixel.y;
  if (gridRect.height - bars.horizontal < allHeight + 3 * pixel.y && horizontalBar) verticalBar = true;
  if (gridRect.width - bars.vertical < allWidth + 5 * pixel.x && verticalBar) horizontalBar = true;

  double right = gridRect.left + gridRect.width - (verticalBar ? bars.vertical + 2 * pixel.x : 0);
  right = std::min(right, gridRect.left + allWidth - ScrolledWidth(grid) + 2 * pixel.x);
  double bottom = gridRect.top + gridRect.height - (horizontalBar ? bars.horizontal + 2 * pixel.y : 0);
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

bool KeyPictureRect(const GridModel& grid, const TwipsRect& gridRect, const TwipsRect& scrollPicture, PixelSize pixel,
                    TwipsRect* key) {
  key->left = gridRect.left + 4 * pixel.x;
  key->top = gridRect.top + grid.RowPos(grid.Rows() - 1) - ScrolledHeight(grid) + 3 * pixel.y;
  key->width = scrollPicture.left - key->left + pixel.x;
  const double room = scrollPicture.top + scrollPicture.height - key->top;
  key->height = std::max(room, 0.0);
  return room > 0;
}

ViewWindow KeyPictureView(const GridModel& grid, const TwipsRect& key, PixelSize pixel) {
  ViewWindow view;
  view.ViewX1 = praxel::ToLong(pixel.x);
  view.ViewX2 = praxel::ToLong(view.ViewX1 + key.width);
  view.ViewY1 = praxel::ToLong(grid.RowPos(grid.Rows() - 1) + pixel.y);
  view.ViewY2 = praxel::ToLong(view.ViewY1 + key.height);
  return view;
}

}  // namespace Ywindow
