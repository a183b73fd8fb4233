#include "ControlGeometry.h"
#include "GridModel.h"

#include <gtest/gtest.h>

namespace {

using Ywindow::TwipsRect;

constexpr Ywindow::PixelSize kPixel{15, 15};
constexpr Ywindow::ScrollBarSize kBars{255, 255};

// Four columns of 1000 twips and four rows of 300, the first of each fixed.
Ywindow::GridModel FourByFour() {
  Ywindow::GridModel grid;
  grid.SetDefaultSizes(1000, 300);
  grid.SetRows(4);
  grid.SetCols(4);
  grid.SetFixedRows(1);
  grid.SetFixedCols(1);
  return grid;
}

TEST(GridHitTest, FindsTheCellUnderAPointAsTheGridIsScrolled) {
  Ywindow::GridModel grid = FourByFour();
  grid.SetLeftCol(2);  // column 1 scrolled out of view
  grid.SetTopRow(3);
  const struct {
    double at;
    int col;
    int row;
  } cases[] = {
      {500, 0, 0},     // the fixed column and row
      {1000, 0, 0},    // an edge belongs to the cell before it
      {1001, 2, 3},    // the first scrolling cell shown
      {2001, 3, 4},    // beyond the last row
      {3500, 4, 4},    // beyond the last column
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ywindow::ColumnAt(grid, c.at), c.col) << c.at;
    EXPECT_EQ(Ywindow::RowAt(grid, c.at / 1000 * 300), c.row) << c.at;
  }
  // Without fixed columns the scrolled-away width counts from the first column on.
  grid.SetFixedCols(0);
  grid.SetLeftCol(2);
  EXPECT_EQ(Ywindow::ColumnAt(grid, 500), 2);
  EXPECT_EQ(Ywindow::ColumnAt(grid, 1500), 3);
}

TEST(GridHitTest, TheGridScrollsUntilItsLastCellsFillTheRoom) {
  const Ywindow::GridModel grid = FourByFour();
  EXPECT_EQ(Ywindow::LastLeftCol(grid, 2000), 2);  // columns 2 and 3 fill 2000 twips
  EXPECT_EQ(Ywindow::LastLeftCol(grid, 5000), 1);  // everything fits: no scrolling
  EXPECT_EQ(Ywindow::LastLeftCol(grid, 500), 3);   // never beyond the last column
  EXPECT_EQ(Ywindow::LastTopRow(grid, 600), 2);
}

// The grid of four by four in grids of several sizes: which bars show, and where the drawing
// surface goes. The cells are 4000 twips wide and 1200 tall.
TEST(ControlGeometry, ScrollBarsShowWhereTheCellsDoNotFitAndOneCanBringTheOther) {
  const Ywindow::GridModel grid = FourByFour();
  const struct {
    double width, height;
    bool horizontal, vertical;
    const char* why;
  } cases[] = {
      {5000, 2000, false, false, "everything fits"},
      {3000, 2000, true, false, "too narrow; the rows still fit above the bar"},
      {3000, 1400, true, true, "the horizontal bar leaves the rows no room"},
      {4200, 1000, true, true, "too low; the vertical bar leaves the columns no room"},
      {4400, 1000, false, true, "too low; the columns still fit beside the bar"},
  };
  for (const auto& c : cases) {
    const Ywindow::GridScrollBars shown = Ywindow::ScrollBarsShown(grid, {0, 0, c.width, c.height}, kPixel, kBars);
    EXPECT_EQ(shown.horizontal, c.horizontal) << c.why;
    EXPECT_EQ(shown.vertical, c.vertical) << c.why;
  }
}

TEST(ControlGeometry, TheDrawingCoversTheScrollingCellsUpToTheBarsOrTheLastCell) {
  Ywindow::GridModel grid = FourByFour();
  // Everything fits: the surface ends two pixels past the last cell.
  TwipsRect picture = Ywindow::ScrollPictureRect(grid, {0, 0, 5000, 2000}, kPixel, kBars);
  EXPECT_EQ(picture.left, 1060);  // the fixed column and four pixels
  EXPECT_EQ(picture.top, 360);
  EXPECT_EQ(picture.width, 4030 - 1060);
  EXPECT_EQ(picture.height, 1230 - 360);

  // Both bars: the surface stops a bar and two pixels short of the grid's edges.
  picture = Ywindow::ScrollPictureRect(grid, {0, 0, 3000, 1400}, kPixel, kBars);
  EXPECT_EQ(picture.width, 3000 - 285 - 1060);
  EXPECT_EQ(picture.height, 1400 - 285 - 360);

  // Scrolled one column on: the last cell ends that much further left.
  grid.SetLeftCol(2);
  picture = Ywindow::ScrollPictureRect(grid, {0, 0, 5000, 2000}, kPixel, kBars);
  EXPECT_EQ(picture.width, 3030 - 1060);
  const Ywindow::ViewWindow view = Ywindow::ScrollPictureView(grid, picture, kPixel);
  EXPECT_EQ(view.ViewX1, 2030);  // the left column's edge, two pixels in
  EXPECT_EQ(view.ViewX2, 2030 + 3030 - 1060);
}

// The key over the last row, on whole pixels: four pixels in from the grid's edge, one pixel over
// the drawing surface, from just below the row's top line to the surface's bottom; its window of
// the chart puts each point on the pixel where the surface would put it.
TEST(ControlGeometry, TheKeyLiesOverTheLastRowWhileItHasRoomThere) {
  Ywindow::GridModel grid = FourByFour();
  const TwipsRect gridRect{0, 0, 5000, 2000};
  const TwipsRect picture = Ywindow::ScrollPictureRect(grid, gridRect, kPixel, kBars);
  // The surface: twips 1060 to 4030 across, 360 to 1230 down.
  EXPECT_EQ(Ywindow::PixelRect(picture, kPixel), QRect(71, 24, 269 - 71, 82 - 24));
  std::optional<Ywindow::KeyPlacement> key = Ywindow::KeyPicturePlacement(grid, gridRect, picture, kPixel);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->pixels, QRect(QPoint(4, 63), QPoint(71, 81)));  // the row's top line at pixel 62
  EXPECT_EQ(key->view.ViewX1, 1030 - 67 * 15);
  EXPECT_EQ(key->view.ViewY1, 330 + 39 * 15);
  EXPECT_EQ(key->view.ViewX2 - key->view.ViewX1, 68 * 15);
  EXPECT_EQ(key->view.ViewY2, 330 + 1230 - 360);  // where the surface's window ends

  // Scrolled one row down, the key goes up with its row.
  grid.SetTopRow(2);
  key = Ywindow::KeyPicturePlacement(grid, gridRect, picture, kPixel);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->pixels.top(), 63 - 20);
  EXPECT_EQ(key->view.ViewY1, 630 + 19 * 15);

  // A row below the surface has no key; nor has a grid without rows.
  EXPECT_FALSE(Ywindow::KeyPicturePlacement(grid, gridRect, {1060, 360, 2970, 270}, kPixel));
  grid.SetRows(0);
  EXPECT_FALSE(Ywindow::KeyPicturePlacement(grid, gridRect, picture, kPixel));
}

}  // namespace
