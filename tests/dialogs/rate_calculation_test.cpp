#include "RateCalculation.h"

#include "Currency.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <optional>
#include <ostream>
#include <string>

using praxel::Currency;

namespace {

// An amount in ten-thousandths, as money holds it.
std::optional<Currency> Money(std::int64_t ticks) { return Currency::FromTicks(ticks); }
constexpr std::int64_t kDollar = 10000;

struct RateRow {
  std::string name;
  RateInputs inputs;
  RateResults expected;
};
void PrintTo(const RateRow& row, std::ostream* out) { *out << row.name; }

// The calculator's starting multipliers.
RateInputs Standard(std::optional<double> hourly) {
  return {hourly, QStringLiteral("1.5"), QStringLiteral("1.5"), QStringLiteral("2"), QStringLiteral("3")};
}

RateInputs With(RateInputs inputs, QString RateInputs::*multiplier, const QString& text) {
  inputs.*multiplier = text;
  return inputs;
}

class ComputeRatesTest : public testing::TestWithParam<RateRow> {};

TEST_P(ComputeRatesTest, WorksOutEachRateWithTheSameOverhead) {
  const RateRow& row = GetParam();
  RateResults results;
  ComputeRates(row.inputs, results);
  EXPECT_EQ(results.hourly, row.expected.hourly);
  EXPECT_EQ(results.burdened, row.expected.burdened);
  EXPECT_EQ(results.overhead, row.expected.overhead);
  EXPECT_EQ(results.overtime, row.expected.overtime);
  EXPECT_EQ(results.offDay, row.expected.offDay);
  EXPECT_EQ(results.holiday, row.expected.holiday);
  EXPECT_EQ(results.Complete(), row.expected.Complete());
}

INSTANTIATE_TEST_SUITE_P(
    Rates, ComputeRatesTest,
    testing::Values(
        // A burdened rate of 15.00 opens on an hourly rate of 15 / 1.5.
        RateRow{"BurdenedFifteen", Standard(15.0 / 1.5),
                {Money(10 * kDollar), Money(15 * kDollar), Money(5 * kDollar), Money(20 * kDollar),
                 Money(25 * kDollar), Money(35 * kDollar)}},
        RateRow{"Zero", Standard(0.0), {Money(0), Money(0), Money(0), Money(0), Money(0), Money(0)}},
        // 10.00 / 1.5 kept whole gives back 10.00, where the rounded 6.67 would give 10.005.
        RateRow{"BurdenedTenKeepsItsHourlyRateWhole", Standard(10.0 / 1.5),
                {Money(66667), Money(10 * kDollar), Money(33333), Money(133333), Money(166666), Money(233333)}},
        RateRow{"TypedHourlyRateCountsAllItsDecimals", Standard(6.66666),
                {Money(66667), Money(100000), Money(33333), Money(133333), Money(166666), Money(233333)}},
        RateRow{"NoHourlyRate", Standard(std::nullopt), {}},
        RateRow{"BurdenedMultiplierOfOneHasNoOverhead",
                With(Standard(10.0), &RateInputs::burdenedMultiplier, QStringLiteral("1")),
                {Money(10 * kDollar), Money(10 * kDollar), Money(0), Money(15 * kDollar), Money(20 * kDollar),
                 Money(30 * kDollar)}},
        RateRow{"BurdenedMultiplierBelowOneHasNegativeOverhead",
                With(Standard(10.0), &RateInputs::burdenedMultiplier, QStringLiteral("0.5")),
                {Money(10 * kDollar), Money(5 * kDollar), Money(-5 * kDollar), Money(10 * kDollar),
                 Money(15 * kDollar), Money(25 * kDollar)}},
        RateRow{"LettersInTheBurdenedMultiplierLeaveOnlyTheHourlyRate",
                With(Standard(10.0), &RateInputs::burdenedMultiplier, QStringLiteral("x")),
                {Money(10 * kDollar), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}},
        RateRow{"LettersInTheHolidayMultiplierEmptyOnlyTheHolidayRate",
                With(Standard(10.0), &RateInputs::holidayMultiplier, QStringLiteral("triple")),
                {Money(10 * kDollar), Money(15 * kDollar), Money(5 * kDollar), Money(20 * kDollar),
                 Money(25 * kDollar), std::nullopt}},
        RateRow{"EmptyOvertimeMultiplierEmptiesOnlyTheOvertimeRate",
                With(Standard(10.0), &RateInputs::overtimeMultiplier, QString()),
                {Money(10 * kDollar), Money(15 * kDollar), Money(5 * kDollar), std::nullopt, Money(25 * kDollar),
                 Money(35 * kDollar)}}),
    testsupport::CaseName());

TEST(ComputeRates, AmountBeyondMoneyStopsWithTheEarlierResultsKept) {
  RateResults results;
  const RateInputs inputs =
      With(Standard(1e14), &RateInputs::overtimeMultiplier, QStringLiteral("1000000"));
  try {
    ComputeRates(inputs, results);
    FAIL() << "no overflow";
  } catch (const praxel::RuntimeError& error) {
    EXPECT_EQ(error.Number(), praxel::errOverflow);
  }
  EXPECT_EQ(results.burdened, Money(15 * kDollar * 10'000'000'000'000));
  EXPECT_TRUE(results.overhead.has_value());
  EXPECT_FALSE(results.overtime.has_value());
  EXPECT_FALSE(results.Complete());
}

}  // namespace
