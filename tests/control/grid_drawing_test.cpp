#include "CaseName.h"
#include "FixedWidthMeasure.h"
#include "GridDrawing.h"
#include "GridModel.h"
#include "GrobList.h"
#include "TestSupport.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

using Ywindow::GridModel;
using Ywindow::GrobList;

namespace {

QString Describe(const Ywindow::Grob& grob) {
  if (grob.Kind == Ywindow::GrobText) {
    return QStringLiteral("text \"%1\" %2,%3 to %4,%5 align %6 color %7")
        .arg(grob.Text)
        .arg(grob.X1)
        .arg(grob.Y1)
        .arg(grob.X2)
        .arg(grob.Y2)
        .arg(grob.Direction)
        .arg(grob.FillColor);
  }
  return QStringLiteral("line %1,%2 %3,%4 color %5 thickness %6")
      .arg(grob.X1)
      .arg(grob.Y1)
      .arg(grob.X2)
      .arg(grob.Y2)
      .arg(grob.BorderColor)
      .arg(grob.Thickness);
}

QStringList Describe(const GrobList& grobs) {
  QStringList objects;
  for (int index = 0; index < grobs.Count(); ++index) objects.append(Describe(grobs.At(index)));
  return objects;
}

// A grid with the given column widths and row heights (twips), all texts empty.
GridModel Sized(const QList<int>& widths, const QList<int>& heights) {
  GridModel grid;
  grid.SetCols(static_cast<int>(widths.size()));
  grid.SetRows(static_cast<int>(heights.size()));
  for (int col = 0; col < widths.size(); ++col) grid.SetColWidth(col, widths[col]);
  for (int row = 0; row < heights.size(); ++row) grid.SetRowHeight(row, heights[row]);
  return grid;
}

// Ten points: a margin of 50 twips; characters 100 wide, lines 200 high.
class GridTextTest : public testing::Test {
 protected:
  FixedWidthMeasure measure;
  GrobList grobs;
};

// A chart's grid: a task column, three date columns under one month heading (two header rows),
// two data rows that merge in the task column, a key row, and a hidden column.
TEST_F(GridTextTest, EachBlockOfMergedCellsBecomesOneTextPlacedInTheWholeBlock) {
  GridModel grid = Sized({1000, 500, 500, 500, 0}, {300, 300, 300, 300, 300});
  grid.SetColAlignment(0, Ywindow::kAlignLeftCentre);
  for (int col = 1; col <= 3; ++col) {
    grid.SetColAlignment(col, Ywindow::kAlignCentreCentre);
    grid.SetWidthMemory(col, -500);
  }
  const QList<QStringList> texts = {{"Task", "Jan 2024", "Jan 2024", "Jan 2024", ""},
                                    {"Task", "7", "14", "21", ""},
                                    {"Alpha", "", "", "", "Secret"},
                                    {"Alpha", "", "", "", ""}};
  for (int row = 0; row < texts.size(); ++row) {
    for (int col = 0; col < texts[row].size(); ++col) grid.SetText(row, col, texts[row][col]);
  }
  grid.SetMergeRow(0, true);
  grid.SetMergeRow(1, true);
  for (int col = 0; col < grid.Cols(); ++col) grid.SetMergeCol(col, true);

  QList<Ywindow::GridTextSource> sources;
  Ywindow::DrawGridText(grid, measure, grobs, &sources);

  EXPECT_EQ(Describe(grobs), (QStringList{
                                 // Two header rows tall, left with a margin, centred up and down.
                                 "text \"Task\" 50,200 to 650,400 align 1 color 0",
                                 "text \"Alpha\" 50,800 to 750,1000 align 1 color 0",
                                 // Once, centred across the three date columns.
                                 "text \"Jan 2024\" 1750,50 to 2750,250 align 4 color 0",
                                 "text \"7\" 1250,350 to 1550,550 align 4 color 0",
                                 "text \"14\" 1750,350 to 2150,550 align 4 color 0",
                                 "text \"21\" 2250,350 to 2650,550 align 4 color 0",
                             }));
  ASSERT_EQ(sources.size(), 6);
  EXPECT_EQ(sources[2].index, 2);
  EXPECT_EQ(sources[2].row, 0);
  EXPECT_EQ(sources[2].col, 1);
}

struct Placement {
  const char* name;
  int columnAlignment;
  int cellAlignment;
  const char* text;
  QStringList objects;
};

void PrintTo(const Placement& row, std::ostream* out) { *out << row.name; }

class GridTextPlacement : public GridTextTest, public testing::WithParamInterface<Placement> {};

// One cell in a block from x = 1000 to 3000 and y = 0 to 600.
TEST_P(GridTextPlacement, PlacesTheTextByTheCellsOrTheColumnsAlignment) {
  const Placement& p = GetParam();
  GridModel grid = Sized({1000, 2000}, {600});
  grid.SetColAlignment(1, p.columnAlignment);
  grid.SetCellAlignment(0, 1, p.cellAlignment);
  grid.SetText(0, 1, QString::fromUtf8(p.text));

  Ywindow::DrawGridText(grid, measure, grobs);
  EXPECT_EQ(Describe(grobs), p.objects);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, GridTextPlacement,
    testing::Values(
        Placement{"LeftCentre", 1, 0, "Cell", {"text \"Cell\" 1050,200 to 1650,400 align 1 color 0"}},
        Placement{"LeftTop", 0, 0, "Cell", {"text \"Cell\" 1050,50 to 1650,250 align 0 color 0"}},
        Placement{"LeftBottom", 2, 0, "Cell", {"text \"Cell\" 1050,350 to 1650,550 align 2 color 0"}},
        Placement{"Centred", 4, 0, "Cell", {"text \"Cell\" 2000,200 to 2600,400 align 4 color 0"}},
        Placement{
            "RightEndsAMarginBeforeTheEdge", 7, 0, "Cell", {"text \"Cell\" 2950,200 to 3550,400 align 7 color 0"}},
        Placement{"TheCellsOwnAlignmentFirst", 1, 7, "Cell", {"text \"Cell\" 2950,200 to 3550,400 align 7 color 0"}},
        // The general alignment shows text left, centred up and down.
        Placement{"General", Ywindow::kAlignGeneral, 0, "Cell", {"text \"Cell\" 1050,200 to 1650,400 align 1 color 0"}},
        // Blanks around the text are not drawn.
        Placement{"Trimmed", 1, 0, " Cell  ", {"text \"Cell\" 1050,200 to 1650,400 align 1 color 0"}},
        // Two lines are centred together, one object each.
        Placement{
            "TwoLines",
            1,
            0,
            "a\r\nb",
            {"text \"a\" 1050,100 to 1350,300 align 1 color 0", "text \"b\" 1050,300 to 1350,500 align 1 color 0"}},
        // Each line is shortened to the block's width.
        Placement{"Shortened",
                  1,
                  0,
                  "A text much too long for its cell",
                  {"text \"A text much too long\" 1050,200 to 3250,400 align 1 color 0"}}),
    testsupport::CaseName());

struct Lines {
  const char* name;
  int style;
  QStringList objects;
};

void PrintTo(const Lines& row, std::ostream* out) { *out << row.name; }

class GridLines : public testing::TestWithParam<Lines> {};

// Columns 100, 200 and 300 wide (the last a pinned date column), rows 10, 20 and 30 high; row 0
// is the header. Row 0 reads H, "", ""; row 1 a, b, ""; row 2 a, c, "".
TEST_P(GridLines, DrawsEdgesWholeAndInnerLinesWhereCellsDoNotMerge) {
  GridModel grid = Sized({100, 200, 300}, {10, 20, 30});
  grid.SetWidthMemory(2, -300);
  const QList<QStringList> texts = {{"H", "", ""}, {"a", "b", ""}, {"a", "c", ""}};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) grid.SetText(row, col, texts[row][col]);
  }
  grid.SetMergeRow(0, true);
  for (int col = 0; col < 3; ++col) grid.SetMergeCol(col, true);

  GrobList grobs;
  Ywindow::DrawGridLines(grid, GetParam().style, grobs);
  EXPECT_EQ(Describe(grobs), GetParam().objects);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, GridLines,
    testing::Values(Lines{"TextOnly",
                          ywTextOnly,
                          {"line 0,0 600,0 color 0 thickness 2", "line 0,10 600,10 color 2 thickness 1",
                           // No line under the two equal cells of column 0; the date column always has one.
                           "line 100,30 600,30 color 2 thickness 1", "line 0,60 600,60 color 0 thickness 2",
                           "line 0,0 0,60 color 0 thickness 2", "line 100,0 100,60 color 2 thickness 1",
                           // The empty header cell of the date column stays apart from its empty neighbour.
                           "line 300,0 300,60 color 2 thickness 1", "line 600,0 600,60 color 0 thickness 2"}},
                    Lines{"DateGrid",
                          ywDateGrid,
                          {"line 0,0 600,0 color 0 thickness 2", "line 0,10 600,10 color 2 thickness 1",
                           // Above the last (key) row: an edge across the whole width.
                           "line 0,30 600,30 color 0 thickness 2", "line 0,60 600,60 color 0 thickness 2",
                           "line 0,0 0,60 color 0 thickness 2",
                           // Inner verticals stop at the key row.
                           "line 100,0 100,30 color 2 thickness 1", "line 300,0 300,30 color 2 thickness 1",
                           "line 600,0 600,60 color 0 thickness 2"}},
                    Lines{"GraphicsOnly", ywGraphicsOnly, {}}),
    testsupport::CaseName());

}  // namespace
