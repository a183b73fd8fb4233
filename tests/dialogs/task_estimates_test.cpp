#include "TaskEstimates.h"

#include "RuntimeError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <QLocale>
#include <QStringList>

#include <cstdint>
#include <ostream>
#include <string>

namespace {

using Fault = TaskEstimates::Fault;

constexpr int kHour = 60;
constexpr int kWorkingDay = 480;

// The nine cells as shown, row by row.
QStringList Cells(const TaskEstimates& grid, int unitMinutes) {
  QStringList cells;
  for (int cell = 0; cell < TaskEstimates::kCells; ++cell) cells << grid.CellText(cell, unitMinutes);
  return cells;
}

QStringList Row(const char* a, const char* b, const char* c) {
  return {QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(c)};
}

// ---------------------------------------------------------------------------------------------
// Units

struct UnitRow {
  const char* name;
  int unit;
  int effortMinutes;
  int calendarMinutes;
  const char* effortCaption;
  const char* calendarCaption;
};
void PrintTo(const UnitRow& row, std::ostream* out) { *out << row.name; }

class UnitTest : public testing::TestWithParam<UnitRow> {};

TEST_P(UnitTest, MinutesAndCaptionByKindOfTime) {
  const UnitRow& row = GetParam();
  EXPECT_EQ(TaskEstimates::UnitMinutes(row.unit, true), row.effortMinutes);
  EXPECT_EQ(TaskEstimates::UnitMinutes(row.unit, false), row.calendarMinutes);
  EXPECT_EQ(TaskEstimates::UnitCaption(row.unit, true), QString::fromLatin1(row.effortCaption));
  EXPECT_EQ(TaskEstimates::UnitCaption(row.unit, false), QString::fromLatin1(row.calendarCaption));
  // A task stored in either kind of this unit comes back in it.
  EXPECT_EQ(TaskEstimates::UnitOf(-row.effortMinutes), row.unit);
  EXPECT_EQ(TaskEstimates::UnitOf(row.calendarMinutes), row.unit);
}

INSTANTIATE_TEST_SUITE_P(
    Units, UnitTest,
    testing::Values(UnitRow{"Minutes", TaskEstimates::Minutes, 1, 1, "minutes", "minutes"},
                    UnitRow{"Hours", TaskEstimates::Hours, 60, 60, "hours", "hours"},
                    UnitRow{"Days", TaskEstimates::Days, 480, 1440, "days (8 hours each)", "days (24 hours each)"},
                    UnitRow{"Weeks", TaskEstimates::Weeks, 2400, 10080, "weeks (5 days each)", "weeks (7 days each)"},
                    UnitRow{"Months", TaskEstimates::Months, 9600, 43200, "months (20 days each)",
                            "months (30 days each)"}),
    testsupport::CaseName());

TEST(TaskEstimates, AnyOtherEffortUnitShowsDays) {
  for (int effortUnits : {0, 7, -1440, 480, -10080, 2400}) EXPECT_EQ(TaskEstimates::UnitOf(effortUnits), TaskEstimates::Days) << effortUnits;
}

TEST(TaskEstimates, NoSuchUnitIsAnAssertion) {
  EXPECT_THROW(TaskEstimates::UnitMinutes(TaskEstimates::kUnitCount, true), praxel::RuntimeError);
  EXPECT_THROW(TaskEstimates::UnitMinutes(-1, false), praxel::RuntimeError);
}

// ---------------------------------------------------------------------------------------------
// Which cells can be typed in

struct EnabledRow {
  const char* name;
  bool threeEstimates;
  bool otherJournal;
  const char* cells;  // one letter a cell: x enabled, - not
};
void PrintTo(const EnabledRow& row, std::ostream* out) { *out << row.name; }

class EnabledCellsTest : public testing::TestWithParam<EnabledRow> {};

TEST_P(EnabledCellsTest, ByColumnAndRowHeading) {
  const EnabledRow& row = GetParam();
  std::string cells;
  for (int cell = 0; cell < TaskEstimates::kCells; ++cell) {
    cells += TaskEstimates::CellEnabled(cell, row.threeEstimates, row.otherJournal) ? 'x' : '-';
  }
  EXPECT_EQ(cells, row.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, EnabledCellsTest,
    testing::Values(EnabledRow{"OneEstimatePlanJournal", false, false, "----x----"},
                    EnabledRow{"OneEstimateOtherJournal", false, true, "-x--x--x-"},
                    EnabledRow{"ThreeEstimatesPlanJournal", true, false, "---xxx---"},
                    EnabledRow{"ThreeEstimatesOtherJournal", true, true, "xxxxxxxxx"}),
    testsupport::CaseName());

// ---------------------------------------------------------------------------------------------
// Drawing and typing

TEST(TaskEstimates, CellsShowPriorRemainderAndTotal) {
  TaskEstimates grid;
  grid.Load(2 * kHour, 6 * kHour, 10 * kHour, 15 * kHour);
  EXPECT_EQ(Cells(grid, kHour), Row("2", "2", "2") + Row("4", "8", "13") + Row("6", "10", "15"));
  EXPECT_EQ(grid.TypedCell(), -1);
}

TEST(TaskEstimates, TwelveHoursShowAsOneAndAHalfWorkingDays) {
  TaskEstimates grid;
  grid.Load(0, 0, 12 * kHour, 0);
  EXPECT_EQ(grid.CellText(4, kWorkingDay), QStringLiteral("1.5"));
}

// Showing an estimate in another unit keeps its minutes, however the figure is rounded.
TEST(TaskEstimates, AnotherUnitKeepsTheExactMinutes) {
  TaskEstimates grid;
  grid.Load(0, 100, 100, 100);
  EXPECT_EQ(grid.CellText(7, kWorkingDay), QStringLiteral("0.21"));
  EXPECT_EQ(grid.CellText(7, 1440), QStringLiteral("0.07"));
  ASSERT_FALSE(grid.Check(QString(), kWorkingDay, false));
  const TaskEstimates::Estimates stored = grid.ToStore(false);
  EXPECT_EQ(stored.optimistic, 100);
  EXPECT_EQ(stored.mostLikely, 100);
  EXPECT_EQ(stored.pessimistic, 100);

  grid.Load(0, 480, 480, 480);
  EXPECT_EQ(grid.CellText(7, 1440), QStringLiteral("0.33"));  // a working day in calendar days
  EXPECT_EQ(grid.ToStore(false).mostLikely, 480);
}

// What the user types is what is stored: 0.21 working days are 100.8 minutes, so 101.
TEST(TaskEstimates, ATypedFigureIsStoredAtItsOwnPrecision) {
  TaskEstimates grid;
  grid.Load(0, 100, 100, 100);
  grid.Type(4, QStringLiteral("0.21"), kWorkingDay);
  EXPECT_EQ(grid.TypedCell(), 4);
  ASSERT_FALSE(grid.Check(QStringLiteral("0.21"), kWorkingDay, false));
  EXPECT_EQ(grid.ToStore(false).mostLikely, 101);
}

struct TypingRow {
  const char* name;
  int cell;
  const char* typed;
  int unitMinutes;
  std::int64_t prior;
  std::int64_t optimistic;
  std::int64_t mostLikely;
  std::int64_t pessimistic;
};
void PrintTo(const TypingRow& row, std::ostream* out) { *out << row.name; }

class TypingTest : public testing::TestWithParam<TypingRow> {};

// The grid starts at a prior effort of 2 hours and totals of 6, 10 and 15 hours.
TEST_P(TypingTest, SetsTheWorkingValues) {
  const TypingRow& row = GetParam();
  TaskEstimates grid;
  grid.Load(2 * kHour, 6 * kHour, 10 * kHour, 15 * kHour);
  grid.Type(row.cell, QString::fromLatin1(row.typed), row.unitMinutes);
  EXPECT_EQ(grid.Prior(), row.prior);
  EXPECT_EQ(grid.Total(0), row.optimistic);
  EXPECT_EQ(grid.Total(1), row.mostLikely);
  EXPECT_EQ(grid.Total(2), row.pessimistic);
  EXPECT_EQ(grid.TypedCell(), row.cell);
}

INSTANTIATE_TEST_SUITE_P(
    Typing, TypingTest,
    testing::Values(
        // The prior row moves the split and keeps the totals.
        TypingRow{"PriorRowKeepsTotals", 1, "3", kHour, 180, 360, 600, 900},
        // The "and later" row sets the total to the figure plus the prior effort: 8 + 2 hours.
        TypingRow{"LaterRowAddsThePrior", 4, "8", kHour, 120, 360, 600, 900},
        TypingRow{"TotalRowSetsTheTotal", 8, "20", kHour, 120, 360, 600, 1200},
        TypingRow{"DecimalFigureInWorkingDays", 3, "1.5", kWorkingDay, 120, 840, 600, 900},
        TypingRow{"TrailingWordsAreIgnored", 7, "3 hours", kHour, 120, 360, 180, 900},
        TypingRow{"NothingReadableCountsAsZero", 7, "abc", kHour, 120, 360, 0, 900},
        TypingRow{"EmptyCountsAsZero", 6, "", kHour, 120, 0, 600, 900},
        TypingRow{"NegativeFigure", 7, "-1", kHour, 120, 360, -60, 900},
        TypingRow{"HalfMinuteToEvenDown", 7, "2.5", 1, 120, 360, 2, 900},
        TypingRow{"HalfMinuteToEvenUp", 7, "3.5", 1, 120, 360, 4, 900}),
    testsupport::CaseName());

TEST(TaskEstimates, TypingInTheLaterRowShowsTheNewTotal) {
  TaskEstimates grid;
  grid.Load(2 * kHour, 0, 0, 0);
  grid.Type(4, QStringLiteral("8"), kHour);
  EXPECT_EQ(grid.CellText(7, kHour), QStringLiteral("10"));
  ASSERT_FALSE(grid.Check(QStringLiteral("8"), kHour, false));
  const TaskEstimates::Estimates stored = grid.ToStore(false);
  EXPECT_EQ(stored.optimistic, 600);
  EXPECT_EQ(stored.mostLikely, 600);
  EXPECT_EQ(stored.pessimistic, 600);
}

TEST(TaskEstimates, ThreeEstimatesStoreTheirOwnTotals) {
  TaskEstimates grid;
  grid.Load(0, 60, 120, 180);
  const TaskEstimates::Estimates three = grid.ToStore(true);
  EXPECT_EQ(three.optimistic, 60);
  EXPECT_EQ(three.mostLikely, 120);
  EXPECT_EQ(three.pessimistic, 180);
  EXPECT_EQ(grid.ToStore(false).optimistic, 120);
}

TEST(TaskEstimates, DrawingAgainForgetsTheTypedCell) {
  TaskEstimates grid;
  grid.Load(0, 0, 0, 0);
  grid.Type(4, QStringLiteral("x"), kHour);
  grid.ForgetTyped();
  EXPECT_EQ(grid.TypedCell(), -1);
  EXPECT_FALSE(grid.Check(QStringLiteral("x"), kHour, false));  // the cell shows "0" again
}

// ---------------------------------------------------------------------------------------------
// The check on OK

struct CheckRow {
  const char* name;
  int cell;
  const char* typed;
  int unitMinutes;
  bool threeEstimates;
  int refusedCell;  // -1: accepted
  Fault fault = Fault::NotANumber;
};
void PrintTo(const CheckRow& row, std::ostream* out) { *out << row.name; }

class CheckTest : public testing::TestWithParam<CheckRow> {};

// The grid starts at a prior effort of 10 hours and totals of 6, 10 and 15 hours.
TEST_P(CheckTest, RefusesWhatCannotBeStored) {
  const CheckRow& row = GetParam();
  TaskEstimates grid;
  grid.Load(10 * kHour, 6 * kHour, 10 * kHour, 15 * kHour);
  const QString typed = QString::fromLatin1(row.typed);
  grid.Type(row.cell, typed, row.unitMinutes);
  const auto refusal = grid.Check(typed, row.unitMinutes, row.threeEstimates);
  ASSERT_EQ(refusal.has_value(), row.refusedCell >= 0);
  if (refusal) {
    EXPECT_EQ(refusal->cell, row.refusedCell);
    EXPECT_EQ(refusal->fault, row.fault);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Check, CheckTest,
    testing::Values(CheckRow{"PlainNumber", 7, "12.5", kHour, false, -1},
                    CheckRow{"BlanksAround", 7, " 12 ", kHour, false, -1},
                    CheckRow{"SignedAndPointFirst", 7, "+.5", kHour, false, -1},
                    CheckRow{"Empty", 7, "", kHour, false, 7, Fault::NotANumber},
                    CheckRow{"Letters", 4, "abc", kHour, false, 4, Fault::NotANumber},
                    CheckRow{"TrailingWord", 7, "3 hours", kHour, false, 7, Fault::NotANumber},
                    CheckRow{"Grouping", 7, "1,000", kHour, false, 7, Fault::NotANumber},
                    CheckRow{"Exponent", 7, "1e3", kHour, false, 7, Fault::NotANumber},
                    CheckRow{"TwoPoints", 7, "1.2.3", kHour, false, 7, Fault::NotANumber},
                    CheckRow{"FigureBeyondALong", 7, "40000000", kHour, false, 7, Fault::OutOfRange},
                    CheckRow{"FigureBelowALong", 7, "-40000000", kHour, false, 7, Fault::OutOfRange},
                    CheckRow{"LargestEstimate", 7, "2147483647", 1, false, -1},
                    // The figure fits, but with the prior effort added the total does not.
                    CheckRow{"TotalBeyondALong", 4, "2147483647", 1, false, 7, Fault::OutOfRange},
                    CheckRow{"HugeFigure", 7, "99999999999999999999999", kHour, false, 7, Fault::OutOfRange},
                    // With one estimate the optimistic column is not stored, so it is not read.
                    CheckRow{"UnstoredColumnIsNotRead", 6, "abc", kHour, false, -1},
                    CheckRow{"StoredOptimisticIsRead", 6, "abc", kHour, true, 6, Fault::NotANumber}),
    testsupport::CaseName());

// Where the decimal separator is a comma, cells are read and shown with it.
TEST(TaskEstimates, TheUsersDecimalSeparator) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TaskEstimates grid;
  grid.Load(0, 0, 0, 0);
  grid.Type(7, QStringLiteral("1,5"), kHour);
  EXPECT_EQ(grid.Total(1), 90);
  EXPECT_EQ(grid.CellText(4, kHour), QStringLiteral("1,5"));
  EXPECT_FALSE(grid.Check(QStringLiteral("1,5"), kHour, false));
  grid.Type(7, QStringLiteral("1.5"), kHour);  // a point ends the number here
  EXPECT_EQ(grid.Total(1), 60);
  EXPECT_TRUE(grid.Check(QStringLiteral("1.5"), kHour, false));
  QLocale::setDefault(saved);
}

}  // namespace
