#include "CaseName.h"
#include "EntryValues.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Whole numbers as the dialogs read them (the locale is en_US): decimals round a half to the
// even neighbour before the range is checked; anything but a number is none.
struct WholeNumber {
  const char* name;
  const char* text;
  std::optional<int> value;
};

void PrintTo(const WholeNumber& c, std::ostream* out) { *out << c.name; }

class ReadWholeNumber : public testing::TestWithParam<WholeNumber> {};

TEST_P(ReadWholeNumber, FromZeroTo255) {
  EXPECT_EQ(EntryValues::ReadWholeNumber(QString::fromLatin1(GetParam().text), 0, 255), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadWholeNumber,
    testing::Values(WholeNumber{"Plain", "12", 12}, WholeNumber{"BlanksAround", " 7 ", 7},
                    WholeNumber{"HalfDown", "2.5", 2}, WholeNumber{"HalfUp", "3.5", 4}, WholeNumber{"Low", "0", 0},
                    WholeNumber{"High", "255", 255}, WholeNumber{"RoundsAboveHigh", "255.5", std::nullopt},
                    WholeNumber{"RoundsToLow", "-0.4", 0}, WholeNumber{"BelowLow", "-1", std::nullopt},
                    WholeNumber{"Grouped", "1,000", std::nullopt}, WholeNumber{"Letters", "ten", std::nullopt},
                    WholeNumber{"TrailingLetters", "12a", std::nullopt}, WholeNumber{"Empty", "", std::nullopt},
                    WholeNumber{"Huge", "1e300", std::nullopt}, WholeNumber{"NotANumber", "nan", std::nullopt}),
    testsupport::CaseName());

TEST(ReadNumber, TakesTheUsersFormOnly) {
  EXPECT_EQ(EntryValues::ReadNumber(QStringLiteral("1,250.5")), 1250.5);
  EXPECT_EQ(EntryValues::ReadNumber(QStringLiteral("-3")), -3.0);
  EXPECT_EQ(EntryValues::ReadNumber(QStringLiteral("3 days")), std::nullopt);
  EXPECT_EQ(EntryValues::ReadNumber(QStringLiteral("inf")), std::nullopt);
}

}  // namespace
