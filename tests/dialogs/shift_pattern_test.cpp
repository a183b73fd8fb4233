#include "ShiftPattern.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <QList>
#include <QString>

#include <ostream>
#include <string>

namespace {

// The cell of minute `minute` in hour `hour`.
constexpr int Cell(int hour, int minute) { return hour * ShiftPattern::kCellsPerHour + minute / 5; }

QList<int> SelectedCells(const ShiftPattern& pattern) {
  QList<int> cells;
  for (int cell = 0; cell < ShiftPattern::kCells; ++cell) {
    if (pattern.Selected(cell)) cells << cell;
  }
  return cells;
}

ShiftPattern AllNormal() {
  ShiftPattern pattern;
  for (int hour = 0; hour < ShiftPattern::kHours; ++hour) pattern.SetHour(hour, QString(12, QLatin1Char('N')));
  return pattern;
}

struct DragRow {
  std::string name;
  int anchor;
  QList<int> path;  // the cells the pointer passes, in order
  QList<int> selected;
};
void PrintTo(const DragRow& row, std::ostream* out) { *out << row.name; }

class ShiftPatternDragTest : public testing::TestWithParam<DragRow> {};

TEST_P(ShiftPatternDragTest, RunGoesFromTheAnchorToTheEndInTimeOrder) {
  const DragRow& row = GetParam();
  ShiftPattern pattern = AllNormal();
  pattern.Press(row.anchor);
  for (int cell : row.path) pattern.DragTo(cell);
  EXPECT_EQ(SelectedCells(pattern), row.selected);
  EXPECT_TRUE(pattern.SelectionPending());
}

INSTANTIATE_TEST_SUITE_P(
    Drags, ShiftPatternDragTest,
    testing::Values(
        DragRow{"PressAlone", Cell(8, 50), {}, {Cell(8, 50)}},
        DragRow{"AcrossTheHour",
                Cell(8, 50),
                {Cell(8, 55), Cell(9, 0), Cell(9, 5)},
                {Cell(8, 50), Cell(8, 55), Cell(9, 0), Cell(9, 5)}},
        DragRow{"JumpAcrossTheHour", Cell(8, 50), {Cell(9, 5)}, {Cell(8, 50), Cell(8, 55), Cell(9, 0), Cell(9, 5)}},
        DragRow{"AwayAndBack", Cell(10, 20), {Cell(10, 40), Cell(11, 10), Cell(10, 20)}, {Cell(10, 20)}},
        DragRow{"Backwards", Cell(10, 20), {Cell(10, 5)}, {Cell(10, 5), Cell(10, 10), Cell(10, 15), Cell(10, 20)}},
        DragRow{"ShrinkingGivesCellsUp", Cell(10, 20), {Cell(10, 35), Cell(10, 25)}, {Cell(10, 20), Cell(10, 25)}},
        DragRow{"OverTheAnchorToTheOtherSide",
                Cell(10, 20),
                {Cell(10, 30), Cell(10, 10)},
                {Cell(10, 10), Cell(10, 15), Cell(10, 20)}},
        DragRow{"WholeDay", 0, {ShiftPattern::kCells - 1}, [] {
                  QList<int> all;
                  for (int cell = 0; cell < ShiftPattern::kCells; ++cell) all << cell;
                  return all;
                }()}),
    testsupport::CaseName());

TEST(ShiftPattern, DragReportsOnlyTheCellsThatChanged) {
  ShiftPattern pattern = AllNormal();
  EXPECT_EQ(pattern.Press(Cell(3, 0)), QList<int>{Cell(3, 0)});
  EXPECT_EQ(pattern.DragTo(Cell(3, 10)), (QList<int>{Cell(3, 5), Cell(3, 10)}));
  EXPECT_EQ(pattern.DragTo(Cell(3, 10)), QList<int>{});
  EXPECT_EQ(pattern.DragTo(Cell(3, 5)), QList<int>{Cell(3, 10)});
  EXPECT_EQ(pattern.Press(Cell(3, 5)), QList<int>{});  // already picked
}

TEST(ShiftPattern, CodeGoesIntoEveryRunAndEndsTheSelection) {
  ShiftPattern pattern = AllNormal();
  pattern.Press(Cell(8, 50));
  pattern.DragTo(Cell(9, 5));
  pattern.Press(Cell(14, 0));
  pattern.DragTo(Cell(14, 10));
  EXPECT_EQ(pattern.ReplaceSelected(QStringLiteral("O")).size(), 7);
  EXPECT_FALSE(pattern.SelectionPending());
  EXPECT_EQ(pattern.Hour(8), QStringLiteral("NNNNNNNNNNOO"));
  EXPECT_EQ(pattern.Hour(9), QStringLiteral("OONNNNNNNNNN"));
  EXPECT_EQ(pattern.Hour(14), QStringLiteral("OOONNNNNNNNN"));
  EXPECT_EQ(pattern.Hour(10), QString(12, QLatin1Char('N')));
}

TEST(ShiftPattern, EmptyCodeDropsTheSelectionAndKeepsTheCodes) {
  ShiftPattern pattern = AllNormal();
  pattern.Press(Cell(0, 0));
  pattern.DragTo(Cell(0, 25));
  EXPECT_EQ(pattern.ReplaceSelected(QString()).size(), 6);
  EXPECT_FALSE(pattern.SelectionPending());
  EXPECT_EQ(pattern.Hour(0), QString(12, QLatin1Char('N')));
}

TEST(ShiftPattern, HourTextsRoundTripAndOddLengthsKeepWhatFits) {
  ShiftPattern pattern;
  pattern.SetHour(0, QStringLiteral("NNNNOOOOBBXZ"));  // Z: a letter from elsewhere, kept
  pattern.SetHour(1, QStringLiteral("NNN"));
  pattern.SetHour(2, QStringLiteral("NNNNNNNNNNNNOOO"));
  EXPECT_EQ(pattern.Hour(0), QStringLiteral("NNNNOOOOBBXZ"));
  EXPECT_EQ(pattern.Code(Cell(0, 55)), QStringLiteral("Z"));
  EXPECT_EQ(pattern.Hour(1), QStringLiteral("NNN"));
  EXPECT_EQ(pattern.Code(Cell(1, 15)), QString());
  EXPECT_EQ(pattern.Hour(2), QString(12, QLatin1Char('N')));
}

}  // namespace
