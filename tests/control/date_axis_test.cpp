#include "CaseName.h"
#include "DateAxis.h"
#include "FixedWidthMeasure.h"
#include "GridModel.h"
#include "GrobList.h"
#include "OleDate.h"
#include "TestSupport.h"
#include "YwindowEnums.h"

#include <gtest/gtest.h>

#include <QDate>

using Ywindow::DateAxis;
using Ywindow::GridModel;

namespace {

using testsupport::OleDay;

QStringList Row(const GridModel& grid, int row) {
  QStringList texts;
  for (int col = 0; col < grid.Cols(); ++col) texts.append(grid.Text(row, col));
  return texts;
}

// " Wed " is 500 twips wide; 15 twips to the pixel.
constexpr double kTwipsPerPixel = 15;

struct Scale {
  const char* name;
  int days;
  double earliest;
  double latest;
  double firstColumn;  // where Earliest moves
  float unitsPerDay;
  QList<QStringList> labels;  // the header rows
  QList<int> widths;
};

void PrintTo(const Scale& row, std::ostream* out) { *out << row.name; }

class ScaleTable : public testing::TestWithParam<Scale> {};

TEST_P(ScaleTable, LaysOutTheDateColumnsOfTheScale) {
  const Scale& scale = GetParam();
  GridModel grid;
  FixedWidthMeasure measure;
  DateAxis axis;
  axis.Earliest = scale.earliest;
  axis.Latest = scale.latest;
  axis.DaysPerColumn = scale.days;

  axis.LabelColumns(grid, measure, kTwipsPerPixel, {});

  EXPECT_EQ(axis.Earliest, scale.firstColumn);
  EXPECT_FLOAT_EQ(axis.UnitsPerDay, scale.unitsPerDay);
  ASSERT_EQ(grid.Rows(), scale.labels.size());
  for (int row = 0; row < grid.Rows(); ++row) EXPECT_EQ(Row(grid, row), scale.labels[row]) << "header row " << row;
  ASSERT_EQ(grid.Cols(), scale.widths.size());
  for (int col = 0; col < grid.Cols(); ++col) {
    EXPECT_EQ(grid.ColWidth(col), scale.widths[col]) << "column " << col;
    EXPECT_EQ(grid.WidthMemory(col), -scale.widths[col]) << "column " << col;  // pinned
    EXPECT_EQ(grid.ColAlignment(col), Ywindow::kAlignCentreCentre);
  }
  EXPECT_EQ(axis.FirstGraphicRow(), scale.days == 1 ? 3 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, ScaleTable,
    testing::Values(
        // The range of 10 Jan 10:00 to 12 Jan 09:00 stands in the boxes as 10 Jan to 13 Jan: one spare
        // day on each side. Each column is " Wed " and four pixels, 560, in whole pixels 555.
        Scale{"Day",
              1,
              OleDay(2024, 1, 10),
              OleDay(2024, 1, 13),
              OleDay(2024, 1, 9),
              560,
              {{"January 2024", "January 2024", "January 2024", "January 2024", "January 2024", "January 2024"},
               {"9", "10", "11", "12", "13", "14"},
               {"Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}},
              {555, 555, 555, 555, 555, 555}},
        // From the Sunday a week before the week of 10 Jan to the week after 1 Mar.
        Scale{"Week",
              7,
              OleDay(2024, 1, 10),
              OleDay(2024, 3, 1),
              OleDay(2023, 12, 31),
              500.0f / 7,
              {{"Dec 2023", "Jan 2024", "Jan 2024", "Jan 2024", "Jan 2024", "Feb 2024", "Feb 2024", "Feb 2024",
                "Feb 2024", "Mar 2024"},
               {"31", "7", "14", "21", "28", "4", "11", "18", "25", "3"}},
              {495, 495, 495, 495, 495, 495, 495, 495, 495, 495}},
        // Widths follow the months' days: February's 29 give 480, March's 31 give 510.
        Scale{"Month",
              30,
              OleDay(2024, 1, 10),
              OleDay(2024, 4, 20),
              OleDay(2023, 12, 1),
              500.0f / 30,
              {{"2023", "2024", "2024", "2024", "2024", "2024"}, {"Dec", "Jan", "Feb", "Mar", "Apr", "May"}},
              {510, 510, 480, 510, 495, 510}},
        Scale{"Quarter",
              90,
              OleDay(2024, 5, 10),
              OleDay(2025, 1, 15),
              OleDay(2024, 1, 1),
              500.0f / 90,
              {{"2024", "2024", "2024", "2024", "2025", "2025"}, {"Q1", "Q2", "Q3", "Q4", "Q1", "Q2"}},
              {510, 510, 510, 510, 495, 510}}),
    testsupport::CaseName());

TEST(DateAxis, TheWeekScaleMarksItsDayNumbersLeftAligned) {
  GridModel grid;
  FixedWidthMeasure measure;
  DateAxis axis;
  axis.Earliest = OleDay(2024, 1, 10);
  axis.Latest = OleDay(2024, 1, 20);
  axis.DaysPerColumn = 7;
  axis.LabelColumns(grid, measure, kTwipsPerPixel, {});
  EXPECT_EQ(grid.CellAlignment(1, 0), Ywindow::kAlignLeftCentre);
  EXPECT_EQ(grid.CellAlignment(0, 0), 0);
}

struct Choice {
  const char* name;
  int option;  // 0 automatic, -1 none selected, else a scale chosen by the user
  int scaleBefore;
  double rangeDays;
  int scaleAfter;
};

void PrintTo(const Choice& row, std::ostream* out) { *out << row.name; }

class ScaleChoice : public testing::TestWithParam<Choice> {};

// " Wed " is 500 twips and the page 11520: a day column a day needs fewer than 23.04 days, a
// week column a day fewer than 161.28, a month column fewer than 691.2.
TEST_P(ScaleChoice, AutomaticTakesTheFirstScaleOnFromTheOneInUseThatFitsThePage) {
  const Choice& choice = GetParam();
  DateAxis axis;
  axis.Earliest = 1000;
  axis.Latest = 1000 + choice.rangeDays;
  axis.DaysPerColumn = choice.scaleBefore;
  axis.ChooseScale(choice.option, 500, 11520);
  EXPECT_EQ(axis.DaysPerColumn, choice.scaleAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ScaleChoice,
    testing::Values(Choice{"ShortRangeByDay", 0, 0, 23, 1}, Choice{"DaysTooWideWeeksFit", 0, 0, 24, 7},
                    Choice{"NoOptionCountsAsAutomatic", -1, 0, 30, 7}, Choice{"MonthsFit", 0, 0, 691, 30},
                    // Quarters need no test.
                    Choice{"TooLongForMonths", 0, 0, 2000, 90},
                    // A second layout without a new start goes on from the scale reached.
                    Choice{"SecondCallIsCoarser", 0, 1, 3, 7}, Choice{"QuarterIsTheLast", 0, 90, 3, 90},
                    Choice{"TheUsersChoiceStands", 30, 0, 2000, 30}, Choice{"TheUsersDaysStandToo", 1, 7, 2000, 1}),
    testsupport::CaseName());

// A day axis after one locked column 1000 wide, with three header rows, two data rows and a key
// row, each 300 high.
class DayAxisTest : public testing::Test {
 protected:
  DayAxisTest() {
    grid.SetDefaultSizes(1000, 300);
    grid.SetCols(1);
    axis.Earliest = OleDay(2024, 1, 10);
    axis.Latest = OleDay(2024, 1, 13);
    axis.DaysPerColumn = 1;
    axis.LabelColumns(grid, measure, kTwipsPerPixel, {});
    grid.SetRows(6);
    grid.SetFixedCols(1);
  }

  GridModel grid;
  FixedWidthMeasure measure;
  DateAxis axis;
  Ywindow::GrobList grobs;
};

TEST_F(DayAxisTest, DatesMapOntoTheColumnsAfterTheLockedOnes) {
  EXPECT_EQ(axis.DateToX(axis.Earliest, grid), grid.ColPos(1));
  EXPECT_EQ(axis.DateToX(axis.Earliest + 1, grid), 1560);
  EXPECT_EQ(axis.DateToX(axis.Earliest + 0.5, grid), 1280);
}

TEST_F(DayAxisTest, TheTodayLineRunsFromTheFirstGraphicRowToBelowTheKeyRowsTop) {
  const double today = OleDay(2024, 1, 11);  // two days after the first column
  axis.AddTodayLine(grobs, grid, measure, today, 0xFF);
  const int x = 1000 + 2 * 560;
  // From the top of row 3 to the top of row 5 plus one font height (10 points, 200 twips).
  ASSERT_EQ(grobs.Count(), 3);
  const Ywindow::Grob& line = grobs.At(0);
  EXPECT_EQ(line.Kind, Ywindow::GrobLine);
  EXPECT_EQ(QList<int>({line.X1, line.Y1, line.X2, line.Y2, line.BorderColor, line.Thickness}),
            QList<int>({x, 900, x, 1700, 0xFF, 1}));
  const Ywindow::Grob& text = grobs.At(1);
  EXPECT_EQ(text.Kind, Ywindow::GrobText);
  EXPECT_EQ(text.Text, QStringLiteral("Today"));
  EXPECT_EQ(QList<int>({text.X1, text.Y1, text.Direction, text.FillColor}), QList<int>({x, 1700, 3, 0xFF}));
  // A downward triangle whose point sits on the line's foot.
  const Ywindow::Grob& marker = grobs.At(2);
  EXPECT_EQ(marker.Kind, Ywindow::GrobTriangle);
  EXPECT_EQ(
      QList<int>({marker.X1, marker.Y1, marker.X2, marker.Y2, marker.BorderColor, marker.FillColor, marker.Direction}),
      QList<int>({x - 30, 1640, x + 30, 1700, 0xFF, 0xFF, Ywindow::TriangleDown}));
}

TEST_F(DayAxisTest, ATodayOffTheAxisAddsNothing) {
  axis.AddTodayLine(grobs, grid, measure, axis.Earliest - 0.01, 0xFF);
  axis.AddTodayLine(grobs, grid, measure, axis.Latest + 0.01, 0xFF);
  EXPECT_EQ(grobs.Count(), 0);
}

TEST(DateAxis, RoundsLengthsToTheNearestPixelHalvesUp) {
  EXPECT_EQ(Ywindow::RoundToNearestPixel(22, 15), 15);
  EXPECT_EQ(Ywindow::RoundToNearestPixel(23, 15), 30);
  EXPECT_EQ(Ywindow::RoundToNearestPixel(7.5, 15), 15);
}

}  // namespace
