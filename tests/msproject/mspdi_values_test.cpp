#include "MspdiValues.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace MSProject;

TEST(MspdiValues, DurationsAreReadInMinutes) {
  struct Case {
    const char* text;
    double minutes;
  };
  for (const Case& c : {Case{"PT12H30M0S", 750}, Case{"PT0H0M0S", 0}, Case{"PT9H31M30.5S", 571.50833333333333},
                        Case{"-PT1H0M0S", -60}, Case{"P2DT4H", 3120}, Case{"PT90M", 90}, Case{" PT8H0M0S ", 480}}) {
    SCOPED_TRACE(c.text);
    const std::optional<double> minutes = ParseDuration(QLatin1String(c.text));
    ASSERT_TRUE(minutes.has_value());
    EXPECT_NEAR(*minutes, c.minutes, 1e-9);
  }
  for (const char* text : {"", "12h", "PT", "P", "PTxH"}) {
    EXPECT_FALSE(ParseDuration(QLatin1String(text)).has_value()) << text;
  }
}

// Written to the millisecond, a duration reads back within a millisecond: effort that the import
// multiplies by the units comes back to the same whole minute.
TEST(MspdiValues, DurationsReadBackAsWritten) {
  EXPECT_EQ(FormatDuration(750), QStringLiteral("PT12H30M0S"));
  EXPECT_EQ(FormatDuration(2400 / 4.2), QStringLiteral("PT9H31M25.714S"));
  EXPECT_EQ(FormatDuration(-60), QStringLiteral("-PT1H0M0S"));
  for (double minutes : {0.0, 1.0, 2400 / 4.2, 2400 / 0.95, 123456.789}) {
    SCOPED_TRACE(minutes);
    EXPECT_NEAR(ParseDuration(FormatDuration(minutes)).value(), minutes, 1.0 / 60000);
  }
}

TEST(MspdiValues, DatesAreDayNumbers) {
  const double monday = testsupport::OleDay(2024, 1, 8);
  EXPECT_DOUBLE_EQ(ParseDateTime(QStringLiteral("2024-01-08T08:00:00")).value(), monday + 1.0 / 3);
  EXPECT_DOUBLE_EQ(ParseDateTime(QStringLiteral("2024-01-08T08:00:00.000+01:00")).value(), monday + 1.0 / 3);
  EXPECT_DOUBLE_EQ(ParseDateTime(QStringLiteral("2024-01-08")).value(), monday);
  EXPECT_DOUBLE_EQ(ParseDateTime(QStringLiteral("2024-01-08T25:00:00")).value(), monday) << "no such time: midnight";
  EXPECT_DOUBLE_EQ(ParseDateTime(QStringLiteral("1899-12-29T06:00:00")).value(), -1.25) << "the hours count forward";
  EXPECT_FALSE(ParseDateTime(QStringLiteral("next Monday")).has_value());
  EXPECT_EQ(FormatDateTime(monday + 0.75), QStringLiteral("2024-01-08T18:00:00"));
}

// A duration longer than the range of dates reads as none, so every duration read can be written
// again (found by fuzzing: 4E+71 hours were written as "PT-2562047788015H-12M-55.-808S").
TEST(MspdiValues, DurationsPastTheRangeOfDatesReadAsNone) {
  EXPECT_FALSE(ParseDuration(QStringLiteral("PT433333333333333333333333333333333333333333333333333333333333333330H0M0S")).has_value());
  EXPECT_FALSE(ParseDuration(QStringLiteral("P99999Y")).has_value());
  const std::optional<double> longest = ParseDuration(QStringLiteral("P9000Y"));
  ASSERT_TRUE(longest.has_value());
  EXPECT_NEAR(ParseDuration(FormatDuration(*longest)).value(), *longest, 1.0 / 60000);
}

// Only the years the program keeps are read, so every date read can be written again (found by
// fuzzing: a project starting in the year 24 was read and then stopped the writer).
TEST(MspdiValues, DatesOutsideTheKeptYearsReadAsNone) {
  EXPECT_FALSE(ParseDateTime(QStringLiteral("0024-03-04T08:00:00")).has_value());
  EXPECT_FALSE(ParseDateTime(QStringLiteral("0099-12-31T23:59:59")).has_value());
  const std::optional<double> first = ParseDateTime(QStringLiteral("0100-01-01T00:00:00"));
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(FormatDateTime(*first), QStringLiteral("0100-01-01T00:00:00"));
  const std::optional<double> last = ParseDateTime(QStringLiteral("9999-12-31T23:59:00"));
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(FormatDateTime(*last), QStringLiteral("9999-12-31T23:59:00"));
}

// LinkLag is always in tenths of a minute; the format only picks the unit it is shown in.
TEST(MspdiValues, LagsShowInTheUnitOfTheirFormat) {
  struct Case {
    double tenths;
    int format;
    const char* text;
  };
  const WorkingTime time;
  for (const Case& c : {Case{9600, 5, "+16h"}, Case{9600, 6, "+16eh"}, Case{14400, 8, "+1ed"}, Case{-4800, 7, "-1d"},
                        Case{600, 3, "+60m"}, Case{24000, 9, "+1w"}, Case{7200, 7, "+1.5d"}, Case{4800, 39, "+1d"},
                        Case{4800, 19, "+1d"}, Case{0, 7, ""}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatLag(c.tenths, c.format, time), QLatin1String(c.text));
  }
}

// A lag's unit decides its length: "+16h" is two working days of 8 hours, not sixteen days.
TEST(MspdiValues, LagsReadAsDaysInTheirUnit) {
  struct Case {
    const char* text;
    double days;
  };
  WorkingTime time;
  for (const Case& c : {Case{"+16h", 2}, Case{"+16eh", 16.0 / 24}, Case{"+2d", 2}, Case{"+2ed", 2}, Case{"-1.5d", -1.5},
                        Case{"+1w", 5}, Case{"+1ew", 7}, Case{"+60m", 0.125}, Case{"+3 days", 3}, Case{"-2 ehrs", -2.0 / 24},
                        Case{"+2", 2}, Case{"+1mo", 20}, Case{"+6.94444444444444e-05ed", 6.94444444444444e-05},
                        Case{"-1.5E+2d", -150}}) {
    SCOPED_TRACE(c.text);
    const std::optional<Lag> lag = ParseLag(QLatin1String(c.text), time);
    ASSERT_TRUE(lag.has_value());
    EXPECT_NEAR(LagDays(*lag, time), c.days, 1e-12);
  }
  EXPECT_FALSE(ParseLag(QStringLiteral("+2x"), time).has_value());
  EXPECT_FALSE(ParseLag(QStringLiteral("soon"), time).has_value());
  // A document of 10-hour days counts its working hours in those days.
  time.minutesPerDay = 600;
  EXPECT_DOUBLE_EQ(LagDays(ParseLag(QStringLiteral("+20h"), time).value(), time), 2.0);
}

}  // namespace
