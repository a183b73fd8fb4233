#include "CaseName.h"
#include "ErrorNumber.h"
#include "FixedWidthMeasure.h"
#include "GridColumns.h"
#include "GridModel.h"
#include "TestSupport.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

#include <climits>

using Ywindow::GridModel;

namespace {

class GridColumnsTest : public testing::Test {
 protected:
  void Add(const QString& heading, int alignment) { Ywindow::AddColumn(grid, heading, alignment, hiddenCols, measure); }

  GridModel grid;
  QSet<int> hiddenCols;
  FixedWidthMeasure measure;
};

TEST_F(GridColumnsTest, TheFirstColumnBringsTheHeadingRowAndKeepsItsHeadingAsGiven) {
  Add(QStringLiteral(" Task\r\nName "), Ywindow::kAlignLeftCentre);
  EXPECT_EQ(grid.Cols(), 1);
  EXPECT_EQ(grid.Rows(), 1);
  EXPECT_EQ(grid.Text(0, 0), QStringLiteral(" Task\r\nName "));
}

struct AddedColumn {
  const char* name;
  int alignment;
  bool hiddenBefore;  // the user hid this column's index in an earlier layout
  int wantAlignment;
  int wantWidth;  // -1: the default width
  int wantMemory;
};

void PrintTo(const AddedColumn& row, std::ostream* out) { *out << row.name; }

class AddColumnAlignment : public GridColumnsTest, public testing::WithParamInterface<AddedColumn> {};

TEST_P(AddColumnAlignment, SetsAlignmentWidthAndMemory) {
  const AddedColumn& c = GetParam();
  Add(QStringLiteral("First"), Ywindow::kAlignLeftCentre);
  if (c.hiddenBefore) hiddenCols.insert(1);
  Add(QStringLiteral("Second"), c.alignment);

  EXPECT_EQ(grid.Text(0, 1), QStringLiteral("Second"));
  EXPECT_EQ(grid.ColAlignment(1), c.wantAlignment);
  EXPECT_EQ(grid.ColWidth(1), c.wantWidth < 0 ? grid.DefaultColWidth() : c.wantWidth);
  EXPECT_EQ(grid.WidthMemory(1), c.wantMemory);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, AddColumnAlignment,
    testing::Values(AddedColumn{"Right", Ywindow::kAlignRightCentre, false, Ywindow::kAlignRightCentre, -1, 0},
                    // Hidden: width 0, the alignment is not set.
                    AddedColumn{"Hidden", AlignHidden, false, Ywindow::kAlignGeneral, 0, 0},
                    // Pinned to " 88.8 " (six characters of 100 twips); the fitting sets the width.
                    AddedColumn{"DateGrid", AlignDateGrid, false, Ywindow::kAlignRightCentre, -1, -600},
                    // Hidden by the user: hidden again whatever its alignment.
                    AddedColumn{"HiddenByUser", Ywindow::kAlignCentreCentre, true, Ywindow::kAlignGeneral, 0, 0}),
    testsupport::CaseName());

TEST_F(GridColumnsTest, AnAlignmentBeyondAnIntegerIsAnOverflow) {
  EXPECT_EQ(ErrorNumber([&] { Add(QStringLiteral("Wide"), 40000); }), praxel::errOverflow);
}

TEST(GridModel, InsertedRowsPushTheRowsBelowDownAndRemovedRowsTakeTheirCells) {
  GridModel grid;
  grid.SetCols(1);
  grid.SetRows(3);
  for (int row = 0; row < 3; ++row) grid.SetText(row, 0, QString::number(row));

  grid.InsertRow(2);
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_EQ(grid.Text(1, 0), QStringLiteral("1"));
  EXPECT_EQ(grid.Text(2, 0), QString());
  EXPECT_EQ(grid.Text(3, 0), QStringLiteral("2"));

  grid.RemoveRow(1);
  EXPECT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.Text(1, 0), QString());
  EXPECT_EQ(grid.Text(2, 0), QStringLiteral("2"));

  EXPECT_EQ(ErrorNumber([&] { grid.RemoveRow(3); }), praxel::errSubscript);
  EXPECT_EQ(ErrorNumber([&] { grid.InsertRow(-1); }), praxel::errSubscript);
  EXPECT_EQ(ErrorNumber([&] { grid.Text(0, 1); }), praxel::errSubscript);
  EXPECT_EQ(ErrorNumber([&] { grid.SetText(-1, 0, QString()); }), praxel::errSubscript);
  EXPECT_EQ(ErrorNumber([&] { grid.SetRows(-1); }), praxel::errInvalidCall);
}

TEST(GridModel, AShrinkingGridTakesItsFixedAreaAndScrollPositionAlong) {
  GridModel grid;
  grid.SetCols(2);
  grid.SetRows(6);
  grid.SetFixedRows(2);
  grid.SetTopRow(5);

  grid.SetRows(3);
  EXPECT_EQ(grid.FixedRows(), 2);
  EXPECT_EQ(grid.TopRow(), 2);
  grid.SetRows(1);
  EXPECT_EQ(grid.FixedRows(), 1);
  grid.SetRows(0);
  EXPECT_EQ(grid.FixedRows(), 0);
  EXPECT_EQ(grid.TopRow(), 0);

  EXPECT_EQ(ErrorNumber([&] { grid.SetFixedCols(3); }), praxel::errSubscript);

  // The top row never lies in the fixed area.
  grid.SetRows(2);
  grid.SetFixedRows(1);
  EXPECT_EQ(grid.TopRow(), 1);
  EXPECT_EQ(ErrorNumber([&] { grid.SetTopRow(0); }), praxel::errSubscript);
}

TEST(GridModel, PositionsAddTheWidthsBeforeAndHiddenColumnsAddNothing) {
  GridModel grid;
  grid.SetRows(2);
  grid.SetCols(3);
  grid.SetColWidth(0, 100);
  grid.SetColWidth(1, 0);
  grid.SetColWidth(2, 300);
  grid.SetRowHeight(0, 240);
  grid.SetRowHeight(1, 360);

  EXPECT_EQ(grid.ColPos(0), 0);
  EXPECT_EQ(grid.ColPos(1), 100);
  EXPECT_EQ(grid.ColPos(2), 100);
  EXPECT_EQ(grid.ColPos(3), 400);
  EXPECT_EQ(grid.RowPos(2), 600);
  EXPECT_EQ(grid.ColPositions(), (QList<int>{0, 100, 100, 400}));
  EXPECT_EQ(ErrorNumber([&] { grid.ColPos(4); }), praxel::errSubscript);

  grid.SetColWidth(0, INT_MAX);
  EXPECT_EQ(ErrorNumber([&] { grid.ColPos(3); }), praxel::errOverflow);
}

// Row tops are kept between calls: every change of the rows must show in the next RowPos.
TEST(GridModel, RowPositionsFollowEveryChangeOfTheRows) {
  GridModel grid;
  grid.SetCols(1);
  grid.SetRows(3);
  for (int row = 0; row < 3; ++row) grid.SetRowHeight(row, 100 * (row + 1));
  EXPECT_EQ(grid.RowPos(3), 600);
  grid.SetRowHeight(0, 50);
  EXPECT_EQ(grid.RowPos(1), 50);
  EXPECT_EQ(grid.RowPos(3), 550);
  grid.InsertRow(1);  // a new row of the default height
  EXPECT_EQ(grid.RowPos(2), 50 + grid.RowHeight(1));
  grid.RemoveRow(1);
  EXPECT_EQ(grid.RowPos(3), 550);
  grid.SetRows(2);
  EXPECT_EQ(grid.RowPos(2), 250);
  EXPECT_EQ(ErrorNumber([&] { grid.RowPos(3); }), praxel::errSubscript);
  grid.SetRowHeight(1, INT_MAX);
  EXPECT_EQ(ErrorNumber([&] { grid.RowPos(2); }), praxel::errOverflow);
}

TEST(GridModel, ScreenPositionsTakeOffTheWidthScrolledOutOfView) {
  GridModel grid;
  grid.SetDefaultSizes(100, 200);
  grid.SetCols(8);
  grid.SetRows(8);
  grid.SetFixedCols(2);
  grid.SetFixedRows(1);
  grid.SetLeftCol(5);
  grid.SetTopRow(4);

  // Locked columns and the first scrolling column keep their place.
  EXPECT_EQ(grid.ScreenColPos(1), 100);
  EXPECT_EQ(grid.ScreenColPos(2), grid.ColPos(2));
  EXPECT_EQ(grid.ScreenColPos(6), grid.ColPos(6) - (grid.ColPos(5) - grid.ColPos(2)));
  EXPECT_EQ(grid.ScreenRowPos(1), 200);
  EXPECT_EQ(grid.ScreenRowPos(5), 1000 - (800 - 200));
}

}  // namespace
