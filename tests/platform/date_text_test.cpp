// Dates shown and typed in the user's locale: what is shown reads back as itself, what users type
// in their own format is read, anything else is no date.

#include "CaseName.h"
#include "OleDate.h"
#include "ShortDate.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <optional>
#include <ostream>

using namespace praxel;
using testsupport::LocaleScope;

namespace {

// The locales of the machines Praxel runs on: a fresh Debian machine (C.UTF-8), and four whose
// short dates differ in order, separators, month names and the digits of the year.
constexpr const char* kLocales[] = {"C.UTF-8", "en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"};

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return ToOleDate(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

TEST(DateText, EveryDateShownReadsBackAsItselfInEveryLocale) {
  const double dates[] = {
      At(2026, 5, 26),            // a day with two digits in May (a short month name)
      At(2028, 2, 29),            // a leap day
      At(100, 1, 1),              // the first date a file can hold
      At(9999, 12, 31, 23, 59),   // the last minute a file can hold
      At(2026, 3, 2, 9, 5),       // before noon, a one-digit hour and day
      At(2026, 12, 11, 17, 17),   // after noon
      At(2026, 1, 1, 0, 1),       // just after midnight
      At(2026, 6, 30, 12, 0),     // noon
      At(2026, 6, 30, 12, 30),    // just after noon (12:30 PM)
      At(1930, 9, 1),             // a year a two-digit year could stand for
  };
  for (const char* name : kLocales) {
    LocaleScope locale(name);
    for (const double date : dates) {
      const QString text = DateTimeText(date);
      EXPECT_EQ(ParseDateTime(text), date) << name << ": " << text.toStdString();
      const double day = std::floor(date);
      EXPECT_EQ(ParseShortDate(ShortDateText(date)), day) << name << ": " << ShortDateText(date).toStdString();
      EXPECT_EQ(ParseDateTime(ShortDateText(date)), day) << name;
    }
  }
}

struct ShownDate {
  const char* name;
  const char* locale;
  double date;
  const char* text;
};
void PrintTo(const ShownDate& c, std::ostream* out) { *out << c.name; }

class DateShown : public testing::TestWithParam<ShownDate> {};

// The short date with a four-digit year, and the time to the minute in the locale's short time
// (no seconds, where the C locale's short time has them).
TEST_P(DateShown, InTheLocalesShortFormats) {
  LocaleScope locale(GetParam().locale);
  EXPECT_EQ(DateTimeText(GetParam().date), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateShown,
    testing::Values(ShownDate{"C_Date", "C.UTF-8", At(2026, 3, 16), "16 Mar 2026"},
                    ShownDate{"C_TimeWithoutSeconds", "C.UTF-8", At(2026, 5, 6, 17, 17, 9), "6 May 2026 17:17"},
                    ShownDate{"US_FourDigitYear", "en_US.UTF-8", At(2026, 5, 26), "5/26/2026"},
                    ShownDate{"US_AfterNoon", "en_US.UTF-8", At(2026, 5, 26, 17, 17, 9), "5/26/2026 5:17 PM"},
                    ShownDate{"US_JustAfterMidnight", "en_US.UTF-8", At(2026, 5, 26, 0, 5), "5/26/2026 12:05 AM"},
                    ShownDate{"GB", "en_GB.UTF-8", At(2026, 5, 6, 9, 5), "06/05/2026 09:05"},
                    ShownDate{"DE_FourDigitYear", "de_DE.UTF-8", At(2026, 5, 26, 17, 17), "26.05.2026 17:17"},
                    ShownDate{"FR", "fr_FR.UTF-8", At(2026, 5, 26), "26/05/2026"},
                    ShownDate{"FirstYear", "C.UTF-8", At(100, 1, 1), "1 Jan 0100"}),
    testsupport::CaseName());

struct TypedDate {
  const char* name;
  const char* locale;
  const char* text;
  std::optional<double> date;
};
void PrintTo(const TypedDate& c, std::ostream* out) { *out << c.name; }

class DateTyped : public testing::TestWithParam<TypedDate> {};

TEST_P(DateTyped, IsReadInTheUsersFormatOrRefused) {
  LocaleScope locale(GetParam().locale);
  EXPECT_EQ(ParseDateTime(QString::fromUtf8(GetParam().text)), GetParam().date);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateTyped,
    testing::Values(
        // A fresh machine: the date holds blanks, and so may a time.
        TypedDate{"C_Date", "C.UTF-8", "11 Dec 2026", At(2026, 12, 11)},
        TypedDate{"C_BlanksAroundAndBetween", "C.UTF-8", "  11  Dec 2026 ", At(2026, 12, 11)},
        TypedDate{"C_MonthInSmallLetters", "C.UTF-8", "11 dec 2026", At(2026, 12, 11)},
        TypedDate{"C_TwoDigitYear", "C.UTF-8", "11 Dec 26", At(2026, 12, 11)},
        TypedDate{"C_Time", "C.UTF-8", "26 May 2026 17:17", At(2026, 5, 26, 17, 17)},
        TypedDate{"C_OneDigitHour", "C.UTF-8", "26 May 2026 9:05", At(2026, 5, 26, 9, 5)},
        TypedDate{"C_Seconds", "C.UTF-8", "6 May 2026 17:17:09", At(2026, 5, 6, 17, 17, 9)},
        TypedDate{"C_NumericDateIsNotThisFormat", "C.UTF-8", "26/05/2026", std::nullopt},
        TypedDate{"C_NoSuchDay", "C.UTF-8", "30 Feb 2026", std::nullopt},
        TypedDate{"C_NotALeapYear", "C.UTF-8", "29 Feb 2027", std::nullopt},
        TypedDate{"C_BadTime", "C.UTF-8", "26 May 2026 noon", std::nullopt},
        TypedDate{"C_HourPastTheDay", "C.UTF-8", "26 May 2026 24:30", std::nullopt},
        TypedDate{"C_BeforeTheFirstYear", "C.UTF-8", "31 Dec 0099", std::nullopt},
        TypedDate{"C_PastTheLastYear", "C.UTF-8", "1 Jan 10000", std::nullopt},
        TypedDate{"Empty", "C.UTF-8", "", std::nullopt}, TypedDate{"Blanks", "C.UTF-8", "   ", std::nullopt},
        TypedDate{"Words", "C.UTF-8", "tomorrow", std::nullopt},
        // Month first, twelve hours.
        TypedDate{"US_Date", "en_US.UTF-8", "3/1/2026", At(2026, 3, 1)},
        TypedDate{"US_LeadingZeros", "en_US.UTF-8", "03/01/2026", At(2026, 3, 1)},
        TypedDate{"US_TwoDigitYearBefore1930", "en_US.UTF-8", "9/1/29", At(2029, 9, 1)},
        TypedDate{"US_TwoDigitYearFrom1930", "en_US.UTF-8", "9/1/30", At(1930, 9, 1)},
        TypedDate{"US_Morning", "en_US.UTF-8", "3/1/2026 6:00 AM", At(2026, 3, 1, 6, 0)},
        TypedDate{"US_AfternoonSmallLetters", "en_US.UTF-8", "3/1/2026 5:17 pm", At(2026, 3, 1, 17, 17)},
        TypedDate{"US_Midnight", "en_US.UTF-8", "3/1/2026 12:00 AM", At(2026, 3, 1)},
        TypedDate{"US_Noon", "en_US.UTF-8", "3/1/2026 12:00 PM", At(2026, 3, 1, 12, 0)},
        TypedDate{"US_TwentyFourHours", "en_US.UTF-8", "3/1/2026 17:17", At(2026, 3, 1, 17, 17)},
        TypedDate{"US_LeapDay", "en_US.UTF-8", "2/29/2028", At(2028, 2, 29)},
        TypedDate{"US_DayFirstIsRefused", "en_US.UTF-8", "26/5/2026", std::nullopt},
        TypedDate{"US_NoSuchDay", "en_US.UTF-8", "2/30/2026", std::nullopt},
        // Day first with slashes, dots; two-digit fields typed with one digit.
        TypedDate{"GB_Date", "en_GB.UTF-8", "26/05/2026", At(2026, 5, 26)},
        TypedDate{"GB_OneDigitFields", "en_GB.UTF-8", "6/5/2026", At(2026, 5, 6)},
        TypedDate{"GB_Time", "en_GB.UTF-8", "26/05/2026 17:17", At(2026, 5, 26, 17, 17)},
        TypedDate{"DE_Date", "de_DE.UTF-8", "26.05.2026", At(2026, 5, 26)},
        TypedDate{"DE_TwoDigitYear", "de_DE.UTF-8", "26.5.26", At(2026, 5, 26)},
        TypedDate{"DE_Time", "de_DE.UTF-8", "26.05.2026 9:05", At(2026, 5, 26, 9, 5)},
        TypedDate{"DE_MonthFirstIsRefused", "de_DE.UTF-8", "5/26/2026", std::nullopt},
        TypedDate{"FR_Date", "fr_FR.UTF-8", "26/05/2026", At(2026, 5, 26)},
        TypedDate{"FR_Time", "fr_FR.UTF-8", "26/05/2026 17:17", At(2026, 5, 26, 17, 17)}),
    testsupport::CaseName());

TEST(DateText, TheShortTimeIsToTheMinute) {
  for (const auto& [locale, format] : {std::pair{"C.UTF-8", "HH:mm"}, std::pair{"en_US.UTF-8", "h:mm AP"},
                                       std::pair{"de_DE.UTF-8", "HH:mm"}}) {
    LocaleScope scope(locale);
    EXPECT_EQ(ShortTimeFormat(), QString::fromLatin1(format)) << locale;
  }
}

}  // namespace
