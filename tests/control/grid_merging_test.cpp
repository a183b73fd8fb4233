#include "CaseName.h"
#include "ErrorNumber.h"
#include "GridMerging.h"
#include "GridModel.h"
#include "TestSupport.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

using Ywindow::GridModel;
using Ywindow::MergeBlock;

namespace Ywindow {
void PrintTo(const MergeBlock& block, std::ostream* out) {
  *out << "rows " << block.Row1 << " to " << block.Row2 << ", columns " << block.Col1 << " to " << block.Col2;
}
}  // namespace Ywindow

namespace {

// A grid whose rows are given as lists of texts; the first headerRows of them are the header.
GridModel GridOf(const QList<QStringList>& rows, const QList<int>& alignments = {}) {
  GridModel grid;
  grid.SetRows(static_cast<int>(rows.size()));
  grid.SetCols(static_cast<int>(rows.first().size()));
  for (int row = 0; row < rows.size(); ++row) {
    for (int col = 0; col < rows[row].size(); ++col) grid.SetText(row, col, rows[row][col]);
  }
  for (int col = 0; col < alignments.size(); ++col) grid.SetColAlignment(col, alignments[col]);
  return grid;
}

QStringList Column(const GridModel& grid, int col) {
  QStringList texts;
  for (int row = 0; row < grid.Rows(); ++row) texts.append(grid.Text(row, col));
  return texts;
}

// A cell and the block found along the cross through it.
struct BorderCase {
  const char* name;
  int row;
  int col;
  MergeBlock block;
};
void PrintTo(const BorderCase& c, std::ostream* out) { *out << c.name; }

// Row 0 merges side by side, the other rows do not; columns 0 to 2 merge up and down, column 3
// does not.
class FindBorderTest : public testing::TestWithParam<BorderCase> {
 protected:
  FindBorderTest()
      : grid(GridOf({{"H", "H", "H", ""}, {"a", "b", "b", "x"}, {"a", "c", "b", "x"}, {"", "", "b", "x"}})) {
    grid.SetMergeRow(0, true);
    for (int col = 0; col < 3; ++col) grid.SetMergeCol(col, true);
  }
  GridModel grid;
};

TEST_P(FindBorderTest, FindsTheBlockAlongTheCrossThroughTheCell) {
  const BorderCase& c = GetParam();
  EXPECT_EQ(Ywindow::FindBorder(grid, c.row, c.col), c.block);
}

INSTANTIATE_TEST_SUITE_P(Cells, FindBorderTest,
                         testing::Values(
                             // A heading across three columns of the mergeable row.
                             BorderCase{"HeadingAcrossAMergingRow", 0, 1, MergeBlock{-1, -1, 1, 3}},
                             // Equal texts down a mergeable column, stopping at a different one.
                             BorderCase{"EqualTextsDownAMergingColumn", 1, 0, MergeBlock{0, -1, 3, 1}},
                             BorderCase{"EqualTextsDownToTheLastRow", 2, 2, MergeBlock{0, 1, 4, 3}},
                             // Empty cells never merge, not even with each other.
                             BorderCase{"EmptyCellUnderTheSameTextsStaysAlone", 3, 0, MergeBlock{2, -1, 4, 1}},
                             BorderCase{"EmptyCellBesideAnEmptyOne", 3, 1, MergeBlock{2, 0, 4, 2}},
                             // Equal texts in a column that does not merge.
                             BorderCase{"EqualTextsInAColumnThatDoesNotMerge", 1, 3, MergeBlock{0, 2, 2, 4}}),
                         testsupport::CaseName());

TEST(FindBorder, ACellOutsideTheGridIsTheGridsError) {
  const GridModel grid = GridOf({{"a"}});
  EXPECT_EQ(ErrorNumber([&] { Ywindow::FindBorder(grid, 1, 0); }), praxel::errSubscript);
}

TEST(AutoMerge, MarksTheHeaderRowsAndEveryColumnMergeable) {
  GridModel grid = GridOf({{"a", "b"}, {"c", "d"}, {"e", "f"}});
  Ywindow::AutoMerge(grid, 2, ywDateGrid);
  EXPECT_TRUE(grid.MergeRow(0));
  EXPECT_TRUE(grid.MergeRow(1));
  EXPECT_FALSE(grid.MergeRow(2));
  EXPECT_TRUE(grid.MergeCol(0));
  EXPECT_TRUE(grid.MergeCol(1));
}

TEST(AutoMerge, EqualCellsMergeOnlyWhereTheirLeftNeighboursMerge) {
  using namespace Ywindow;
  GridModel grid =
      GridOf({{"Group", "Item", "Mid", "End"}, {"A", "x", "y", "z"}, {"A", "x", "y", "z"}, {"B", "x", "y", "z"}},
             {kAlignLeftCentre, kAlignLeftCentre, kAlignCentreCentre, kAlignRightCentre});
  AutoMerge(grid, 1, ywDateGrid);

  // Column 0 is left alone; each later column stands apart where the one before it does, with a
  // blank on the side its alignment hides.
  EXPECT_EQ(Column(grid, 0), (QStringList{"Group", "A", "A", "B"}));
  EXPECT_EQ(Column(grid, 1), (QStringList{"Item", "x", "x", "x "}));
  EXPECT_EQ(Column(grid, 2), (QStringList{"Mid", "y", "y", " y "}));
  EXPECT_EQ(Column(grid, 3), (QStringList{"End", "z", "z", " z"}));
  EXPECT_EQ(FindBorder(grid, 1, 1), (MergeBlock{0, 0, 3, 2}));
  EXPECT_EQ(FindBorder(grid, 3, 3), (MergeBlock{2, 2, 4, 4}));
}

TEST(AutoMerge, TheLastHeaderRowIsTheCellAboveTheFirstDataRow) {
  GridModel grid = GridOf({{"Group", "Item"}, {"A", "Item"}, {"Group", "Item"}}, {1, 1});
  Ywindow::AutoMerge(grid, 1, ywDateGrid);
  // Its left neighbour differs from the heading's, so it is kept apart from the heading.
  EXPECT_EQ(grid.Text(1, 1), QStringLiteral("Item "));
}

// Without a header row the first row has no cell above it: the comparisons start with row 1.
TEST(AutoMerge, WithoutAHeaderRowTheOutlineStartsAtTheFirstRow) {
  GridModel grid = GridOf({{"A", "x"}, {"A", "x"}, {"B", "x"}}, {1, 1});
  Ywindow::AutoMerge(grid, 0, ywDateGrid);
  EXPECT_EQ(Column(grid, 1), (QStringList{"x", "x", "x "}));
}

TEST(AutoMerge, TheTextOnlyStyleBandsGroupsOfEqualFirstColumnText) {
  GridModel grid = GridOf({{"Key", "Value"}, {"A", "1"}, {"A", "2"}, {"B", "3"}, {"C", "4"}});
  grid.SetCellBackColor(3, 1, 0xFF);  // coloured by the host
  Ywindow::AutoMerge(grid, 1, ywTextOnly);

  const int white = grid.BackColor();
  const QList<int> bands = {0, white, white, Ywindow::kBandColor, white};
  for (int row = 0; row < grid.Rows(); ++row) EXPECT_EQ(grid.CellBackColor(row, 0), bands[row]) << "row " << row;
  EXPECT_EQ(grid.CellBackColor(2, 1), white);
  EXPECT_EQ(grid.CellBackColor(3, 1), 0xFF);

  // Other styles have no bands.
  GridModel chart = GridOf({{"Key"}, {"A"}, {"B"}});
  Ywindow::AutoMerge(chart, 1, ywDateGrid);
  EXPECT_EQ(chart.CellBackColor(2, 0), 0);
}

TEST(AutoMerge, WithoutAHeaderRowTheFirstRowStartsTheFirstBand) {
  GridModel grid = GridOf({{"A"}, {"A"}, {"B"}});
  Ywindow::AutoMerge(grid, 0, ywTextOnly);
  EXPECT_EQ(grid.CellBackColor(0, 0), grid.BackColor());
  EXPECT_EQ(grid.CellBackColor(1, 0), grid.BackColor());
  EXPECT_EQ(grid.CellBackColor(2, 0), Ywindow::kBandColor);
}

}  // namespace
