#include "CaseName.h"
#include "ColumnWidths.h"
#include "FixedWidthMeasure.h"
#include "GridModel.h"
#include "TestSupport.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

using Ywindow::GridModel;

namespace {

// Characters 100 twips wide, lines 200 high: a padded text is 100 times its length plus 200, the
// cap of 25 "X" is 2500.
class ColumnWidthsTest : public testing::Test {
 protected:
  ColumnWidthsTest() {
    grid.SetDefaultSizes(960, 999);
    grid.SetCols(6);
    grid.SetRows(4);
  }

  void Fill(int col, const QStringList& texts) {
    for (int row = 0; row < texts.size(); ++row) grid.SetText(row, col, texts[row]);
  }

  GridModel grid;
  FixedWidthMeasure measure;
  QSet<int> hiddenCols;
};

TEST_F(ColumnWidthsTest, AutoFitMakesEachColumnAsWideAsItsWidestTextWithinTheCap) {
  Fill(0, {QStringLiteral("Name"), QStringLiteral("Alpha"), QStringLiteral("  Be  ")});  // blanks do not count
  // Column 1 is empty: it measures "XX".
  Fill(2, {QStringLiteral("Short\r\nA much longer line")});  // the wider line counts
  Fill(3, {QString(40, QLatin1Char('W'))});                  // held at the cap
  grid.SetWidthMemory(4, -555);                              // pinned
  grid.SetColWidth(5, 0);                                    // hidden
  grid.SetWidthMemory(5, 700);

  Ywindow::AutoFit(grid, measure, ywDateGrid, 1);

  const QList<int> widths = {700, 200, 2000, 2500, 555, 0};
  for (int col = 0; col < widths.size(); ++col) {
    EXPECT_EQ(grid.ColWidth(col), widths[col]) << "column " << col;
    EXPECT_EQ(grid.WidthMemory(col), col == 4 ? -555 : widths[col]) << "column " << col;
  }
}

struct RowFit {
  const char* name;
  int style;
  int headerRows;
  QList<int> heights;  // rows 0 to 3; 999 is the height a row had before
};

void PrintTo(const RowFit& row, std::ostream* out) { *out << row.name; }

class AutoFitRows : public ColumnWidthsTest, public testing::WithParamInterface<RowFit> {};

// Row 2 holds two lines (in a hidden column: hidden and pinned columns count for the height).
TEST_P(AutoFitRows, FitsRowsToTheirTallestTextPlusTheStylesMargin) {
  const RowFit& fit = GetParam();
  Fill(0, {QStringLiteral("A"), QStringLiteral("B"), QString(), QStringLiteral("D")});
  grid.SetColWidth(1, 0);
  grid.SetText(2, 1, QStringLiteral("two\r\nlines"));

  Ywindow::AutoFit(grid, measure, fit.style, fit.headerRows);

  for (int row = 0; row < 4; ++row) EXPECT_EQ(grid.RowHeight(row), fit.heights[row]) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(Styles, AutoFitRows,
                         testing::Values(
                             // A line is 200; the margin is three quarters of a line, a quarter in the text-only style.
                             RowFit{"DateGridOneHeaderRow", ywDateGrid, 1, {350, 350, 550, 350}},
                             RowFit{"TextOnlyNoHeaderRow", ywTextOnly, 0, {250, 250, 450, 250}},
                             // Two or more header rows keep their heights (the date headers).
                             RowFit{"ThreeHeaderRowsKeepTheirHeights", ywDateGrid, 3, {999, 999, 999, 350}}),
                         testsupport::CaseName());

TEST_F(ColumnWidthsTest, APinnedColumnDraggedWiderSnapsBackWithoutARedraw) {
  grid.SetColWidth(0, 555);
  grid.SetWidthMemory(0, -555);
  for (int col = 1; col < grid.Cols(); ++col) grid.SetWidthMemory(col, grid.ColWidth(col));
  grid.SetColWidth(0, 900);

  EXPECT_FALSE(Ywindow::WatchColumnWidths(grid, 15, hiddenCols));
  EXPECT_EQ(grid.ColWidth(0), 555);
  EXPECT_TRUE(hiddenCols.isEmpty());
}

TEST_F(ColumnWidthsTest, AColumnDraggedToOnePixelIsHiddenAndRemembered) {
  for (int col = 0; col < grid.Cols(); ++col) grid.SetWidthMemory(col, grid.ColWidth(col));
  grid.SetColWidth(3, 15);

  EXPECT_TRUE(Ywindow::WatchColumnWidths(grid, 15, hiddenCols));
  EXPECT_EQ(grid.ColWidth(3), 0);
  EXPECT_EQ(grid.WidthMemory(3), 0);
  EXPECT_EQ(hiddenCols, QSet<int>{3});
  // Seen once, the change is done with.
  EXPECT_FALSE(Ywindow::WatchColumnWidths(grid, 15, hiddenCols));
}

TEST_F(ColumnWidthsTest, AnyOtherDraggedWidthIsRememberedOnce) {
  for (int col = 0; col < grid.Cols(); ++col) grid.SetWidthMemory(col, grid.ColWidth(col));
  grid.SetColWidth(2, 16);

  EXPECT_TRUE(Ywindow::WatchColumnWidths(grid, 15, hiddenCols));
  EXPECT_EQ(grid.ColWidth(2), 16);
  EXPECT_EQ(grid.WidthMemory(2), 16);
  EXPECT_TRUE(hiddenCols.isEmpty());
  EXPECT_FALSE(Ywindow::WatchColumnWidths(grid, 15, hiddenCols));
}

TEST_F(ColumnWidthsTest, ASingleLineRowGrowsOneLineWhenItsTextNoLongerFits) {
  for (int col = 0; col < grid.Cols(); ++col) {
    grid.SetColWidth(col, 500);
    grid.SetWidthMemory(col, 500);
  }
  for (int row = 0; row < grid.Rows(); ++row) grid.SetRowHeight(row, 350);
  grid.SetText(0, 1, QStringLiteral("Too wide"));  // " Too wide " is 1000
  grid.SetText(1, 1, QStringLiteral("Ok"));        // " Ok " is 400
  grid.SetRowHeight(2, 400);                       // two lines already
  grid.SetText(2, 1, QStringLiteral("Too wide"));
  grid.SetWidthMemory(4, -500);  // pinned and hidden columns are not looked at
  grid.SetText(3, 4, QStringLiteral("Too wide"));
  grid.SetColWidth(5, 0);
  grid.SetWidthMemory(5, 0);
  grid.SetText(3, 5, QStringLiteral("Too wide"));

  Ywindow::ExpandRowsIfNeeded(grid, measure);
  EXPECT_EQ(grid.RowHeight(0), 550);
  EXPECT_EQ(grid.RowHeight(1), 350);
  EXPECT_EQ(grid.RowHeight(2), 400);
  EXPECT_EQ(grid.RowHeight(3), 350);

  // One line at a time: a row now two lines high grows no more.
  Ywindow::ExpandRowsIfNeeded(grid, measure);
  EXPECT_EQ(grid.RowHeight(0), 550);
}

}  // namespace
