#include "CaseName.h"
#include "Color.h"
#include "Currency.h"
#include "OleDate.h"
#include "Rounding.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>

using namespace praxel;

namespace {

int OverflowNumber(auto&& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Description(), QStringLiteral("Overflow"));
    return error.Number();
  }
  return 0;
}

struct RoundCase {
  const char* name;
  double value;
  int expected;
};
void PrintTo(const RoundCase& c, std::ostream* out) { *out << c.name; }

class RoundingTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(ToInteger(GetParam().value), GetParam().expected);
  EXPECT_EQ(ToLong(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundingTest,
                         testing::Values(RoundCase{"HalfRoundsDownToZero", 0.5, 0},
                                         RoundCase{"OneAndAHalfRoundsUpToTwo", 1.5, 2},
                                         RoundCase{"TwoAndAHalfRoundsDownToTwo", 2.5, 2},
                                         RoundCase{"ThreeAndAHalfRoundsUpToFour", 3.5, 4},
                                         RoundCase{"MinusHalfRoundsUpToZero", -0.5, 0},
                                         RoundCase{"MinusOneAndAHalfRoundsDownToMinusTwo", -1.5, -2},
                                         RoundCase{"MinusTwoAndAHalfRoundsUpToMinusTwo", -2.5, -2},
                                         RoundCase{"JustUnderAHalfRoundsDown", 2.4999, 2},
                                         RoundCase{"JustOverAHalfRoundsUp", 2.5001, 3},
                                         RoundCase{"NegativeRoundsToTheNearest", -7.6, -8},
                                         RoundCase{"LargestIntegerFromBelow", 32767.4, 32767},
                                         RoundCase{"SmallestIntegerFromAHalfBeyond", -32768.5, -32768}),
                         testsupport::CaseName());

TEST(Rounding, OutOfRangeIsOverflow) {
  EXPECT_EQ(OverflowNumber([] { ToInteger(32767.5); }), errOverflow);  // rounds to 32768
  EXPECT_EQ(OverflowNumber([] { ToInteger(-32768.6); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { ToInteger(std::nan("")); }), errOverflow);
  EXPECT_EQ(ToLong(32767.5), 32768);
  EXPECT_EQ(ToLong(2147483647.4), 2147483647);
  EXPECT_EQ(OverflowNumber([] { ToLong(2147483647.5); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { ToLong(-2147483649.0); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { ToLong(std::numeric_limits<double>::infinity()); }), errOverflow);
  EXPECT_EQ(ToLongLong(3092376453120.5), 3092376453120);  // the largest offset in minutes, a half to the even
  EXPECT_EQ(ToLongLong(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(OverflowNumber([] { ToLongLong(9223372036854775808.0); }), errOverflow);  // 2^63: one past
  EXPECT_EQ(OverflowNumber([] { ToLongLong(std::nan("")); }), errOverflow);
}

TEST(Rounding, CheckedArithmeticRaisesOverflow) {
  EXPECT_EQ(AddChecked<std::int32_t>(2147483646, 1), 2147483647);
  EXPECT_EQ(OverflowNumber([] { AddChecked<std::int32_t>(2147483647, 1); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { SubChecked<std::int16_t>(-32768, 1); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { MulChecked<std::int32_t>(65536, 32768); }), errOverflow);
}

TEST(Currency, SumsAreExact) {
  const Currency tenth = Currency::FromDouble(0.1);
  const Currency fifth = Currency::FromDouble(0.2);
  EXPECT_EQ(tenth + fifth, Currency::FromDouble(0.3));
  EXPECT_EQ((tenth + fifth).Ticks(), 3000);
  Currency total;
  for (int i = 0; i < 1000; ++i) total += Currency::FromDouble(0.01);
  EXPECT_EQ(total, Currency::FromTicks(100000));
  EXPECT_EQ(-(tenth - fifth), tenth);
}

struct ProductCase {
  const char* name;
  std::int64_t a;  // ticks
  std::int64_t b;  // ticks
  std::int64_t expected;
};
void PrintTo(const ProductCase& c, std::ostream* out) { *out << c.name; }

class CurrencyProductTest : public testing::TestWithParam<ProductCase> {};

TEST_P(CurrencyProductTest, RoundsHalfToEven) {
  const ProductCase& c = GetParam();
  EXPECT_EQ((Currency::FromTicks(c.a) * Currency::FromTicks(c.b)).Ticks(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Products, CurrencyProductTest,
                         testing::Values(
                             // 0.0001 * 0.5 = 0.00005 -> 0.0000
                             ProductCase{"HalfATickRoundsDownToZero", 1, 5000, 0},
                             // 0.00015 -> 0.0002
                             ProductCase{"OneAndAHalfTicksRoundUpToTwo", 3, 5000, 2},
                             // 0.00025 -> 0.0002
                             ProductCase{"TwoAndAHalfTicksRoundDownToTwo", 5, 5000, 2},
                             // -0.00015 -> -0.0002
                             ProductCase{"MinusOneAndAHalfTicksRoundDownToMinusTwo", -3, 5000, -2},
                             ProductCase{"ExactProductKeepsEveryTick", 12345, 20000, 24690},
                             // 1.5 * 1.5 = 2.25
                             ProductCase{"OneAndAHalfSquared", 15000, 15000, 22500},
                             ProductCase{"MinusOneTimesOne", -10000, 10000, -10000}),
                         testsupport::CaseName());

TEST(Currency, ConversionsAndOverflow) {
  // Rounded as the decimal the value stands for, half to even.
  EXPECT_EQ(Currency::FromDouble(1.23455).Ticks(), 12346);
  EXPECT_EQ(Currency::FromDouble(1.23465).Ticks(), 12346);
  EXPECT_EQ(Currency::FromDouble(1.234651).Ticks(), 12347);
  EXPECT_EQ(Currency::FromDouble(0.00005).Ticks(), 0);
  EXPECT_EQ(Currency::FromDouble(0.00015).Ticks(), 2);  // a little less than 1.5 ticks in binary
  EXPECT_EQ(Currency::FromDouble(-0.00015).Ticks(), -2);
  EXPECT_EQ(Currency::FromDouble(922337203685477.5).Ticks(), 9223372036854775000);
  EXPECT_EQ(Currency::FromDouble(1e-300).Ticks(), 0);
  // Away from a half the value is rounded without its decimal text: the same tick as the text
  // gives, on both sides of a half, of a whole tick and of zero.
  for (const char* text : {"0.00004", "0.00006", "0.00014", "0.00016", "1.23454", "1.23456", "-0.00006", "-1.23456",
                           "214748.36469", "214748.36471", "12345.678949", "0.99995", "0.999949", "-0.999951"}) {
    const double value = std::strtod(text, nullptr);
    const bool negative = text[0] == '-';
    EXPECT_EQ(Currency::FromDouble(value), Currency::FromDecimal(negative ? text + 1 : text, negative)) << text;
  }
  EXPECT_DOUBLE_EQ(Currency::FromTicks(-12345).ToDouble(), -1.2345);
  EXPECT_EQ((Currency::FromTicks(10000) * 2.5).Ticks(), 25000);
  EXPECT_EQ((Currency::FromTicks(1) * 0.5).Ticks(), 0);
  const Currency largest = Currency::FromTicks(std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(OverflowNumber([&] { (void)(largest + Currency::FromTicks(1)); }), errOverflow);
  EXPECT_EQ(OverflowNumber([&] { (void)(largest * Currency::FromDouble(2.0)); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { Currency::FromDouble(1e16); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { (void)-Currency::FromTicks(std::numeric_limits<std::int64_t>::min()); }),
            errOverflow);
}

// Decimals beyond a double's precision keep every digit: the whole range of money, halves of a
// tick to the even one however far the digits run.
TEST(Currency, FromDecimalIsExact) {
  constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(Currency::FromDecimal("922337203685477.5807", false).Ticks(), kLargest);
  EXPECT_EQ(Currency::FromDecimal("922337203685477.5808", true).Ticks(), kSmallest);
  EXPECT_EQ(Currency::FromDecimal("922337203685477.58074999999", false).Ticks(), kLargest);
  EXPECT_EQ(Currency::FromDecimal("1.00005", false).Ticks(), 10000);
  EXPECT_EQ(Currency::FromDecimal("1.00015", true).Ticks(), -10002);
  EXPECT_EQ(Currency::FromDecimal("1.000050000000000000001", false).Ticks(), 10001);
  EXPECT_EQ(Currency::FromDecimal(".25", false).Ticks(), 2500);
  EXPECT_EQ(Currency::FromDecimal("7.", false).Ticks(), 70000);
  EXPECT_EQ(OverflowNumber([] { Currency::FromDecimal("922337203685477.5808", false); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { Currency::FromDecimal("922337203685477.58075", false); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { Currency::FromDecimal("100000000000000000000000000000000000000000", true); }),
            errOverflow);
}

struct DateCase {
  const char* name;
  double day;
  QDateTime dateTime;
  int weekday;
};

void PrintTo(const DateCase& c, std::ostream* out) { *out << c.name; }

class OleDateTest : public testing::TestWithParam<DateCase> {};

QDateTime At(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC); }

TEST_P(OleDateTest, ConvertsBothWays) {
  const auto& c = GetParam();
  EXPECT_EQ(FromOleDate(c.day), c.dateTime);
  EXPECT_DOUBLE_EQ(ToOleDate(c.dateTime), c.day);
  EXPECT_EQ(Weekday(c.day), c.weekday);
}

INSTANTIATE_TEST_SUITE_P(Days, OleDateTest,
                         testing::Values(DateCase{"DayZeroIsASaturday", 0.0, At(1899, 12, 30), 7},
                                         DateCase{"DayOneIsASunday", 1.0, At(1899, 12, 31), 1},
                                         DateCase{"HalfADayIsNoon", 2.5, At(1900, 1, 1, 12), 2},
                                         DateCase{"BeforeDayZeroTheTimeCountsForward", -1.25, At(1899, 12, 29, 6), 6},
                                         DateCase{"NoonAWeekBeforeDayZero", -6.5, At(1899, 12, 24, 12), 1},
                                         DateCase{"EveningOfTheYear2000", 36526.75, At(2000, 1, 1, 18), 7},
                                         DateCase{"ThursdayInDecember2026", 46366.0, At(2026, 12, 10), 5}),
                         testsupport::CaseName());

TEST(OleDate, RoundsToTheMillisecondAndCarriesMidnight) {
  EXPECT_EQ(FromOleDate(1.0 - 1e-12), At(1899, 12, 31));
  EXPECT_EQ(FromOleDate(0.5 + 0.4 / 86400000.0).time(), QTime(12, 0));
  EXPECT_EQ(ToOleDate(QDate(2000, 1, 1)), 36526.0);
  EXPECT_EQ(OverflowNumber([] { FromOleDate(3e6); }), errOverflow);
  EXPECT_EQ(OverflowNumber([] { FromOleDate(std::nan("")); }), errOverflow);
}

TEST(OleDate, BeforeDayZeroTheTimeStillCountsForward) {
  // 29 December 1899, a hair before midnight, rounds forward to 30 December, not back to the 28th.
  EXPECT_EQ(FromOleDate(-2.0 + 1e-12), At(1899, 12, 30));
  EXPECT_EQ(FromOleDate(-0.0 - 1e-12), At(1899, 12, 30));
  // The first day of the range holds all of its hours, so every date and time converts both ways.
  EXPECT_EQ(FromOleDate(-657434.5), At(100, 1, 1, 12));
  EXPECT_EQ(ToOleDate(At(100, 1, 1, 12)), -657434.5);
  EXPECT_EQ(OverflowNumber([] { FromOleDate(-657435.0); }), errOverflow);
}

TEST(Color, RedIsInTheLowByte) {
  EXPECT_EQ(ColorFromLong(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(ColorFromLong(0x00FF00), QColor(0, 255, 0));
  EXPECT_EQ(ColorFromLong(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(ColorFromLong(0x123456), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(LongFromColor(QColor(0x56, 0x34, 0x12)), 0x123456);
  EXPECT_EQ(LongFromColor(ColorFromLong(0xFFFFFF)), 0xFFFFFF);
  EXPECT_EQ(LongFromColor(QColor(Qt::black)), 0);
}

}  // namespace
