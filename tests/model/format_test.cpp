#include "Format.h"

#include "Common.h"
#include "Currency.h"
#include "ErrTrap.h"
#include "OleDate.h"
#include "Pool.h"
#include "ScriptedPrompter.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yproject.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>

using praxel::AnswerAbort;
using praxel::AnswerIgnore;
using praxel::Currency;
using testsupport::LocaleScope;

namespace praxel {
void PrintTo(const Currency& value, std::ostream* out) { *out << value.Ticks() << " ticks"; }
}  // namespace praxel

namespace {

// Every test runs with a scripted prompter, so a failure handed to the trap that a test did not
// expect fails it instead of waiting for an answer.
class TrappedTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_TRUE(prompter.AllAnswered()); }

  // The one question asked: the trap's, with the error number and description.
  void ExpectTrapped(const QString& error) const {
    ASSERT_EQ(prompter.Asked().size(), 1);
    EXPECT_EQ(prompter.Asked().front().title, QStringLiteral("Internal Error"));
    EXPECT_EQ(prompter.Asked().front().text, QStringLiteral("Internal error ") + error);
  }

  testsupport::ScriptedPrompter prompter;
};

// A table whose rows hand nothing to the trap: the prompter fails any question asked.
template <class Row>
class TableTest : public testing::TestWithParam<Row> {
 protected:
  testsupport::ScriptedPrompter prompter;
};

QString Text(const char* text) { return QString::fromUtf8(text); }

constexpr double kMinute = 1.0 / 1440;

// ---------------------------------------------------------------------------------------------
// FormatDuration

struct DurationRow {
  const char* name;
  double days;
  const char* longForm;
  const char* shortForm;
};
void PrintTo(const DurationRow& row, std::ostream* out) { *out << row.name; }

class FormatDurationTest : public TableTest<DurationRow> {};

TEST_P(FormatDurationTest, WritesTheLargestUnitReached) {
  const DurationRow& row = GetParam();
  EXPECT_EQ(Common::FormatDuration(row.days, true), Text(row.longForm));
  EXPECT_EQ(Common::FormatDuration(row.days, false), Text(row.shortForm));
}

INSTANTIATE_TEST_SUITE_P(
    Durations, FormatDurationTest,
    testing::Values(DurationRow{"Zero", 0, "0", "0"},
                    DurationRow{"UnderHalfAMinute", 0.0003, "0", "0"},
                    DurationRow{"OneMinute", kMinute, "1 minute", "1mi"},
                    DurationRow{"ThirtyMinutes", 30 * kMinute, "30 minutes", "30mi"},
                    DurationRow{"FiftyNineMinutes", 59 * kMinute, "59 minutes", "59mi"},
                    DurationRow{"SixtyMinutes", 60 * kMinute, "1 hour", "1h"},
                    DurationRow{"NinetyMinutes", 90 * kMinute, "1.5 hours", "1.5h"},
                    DurationRow{"HundredMinutes", 100 * kMinute, "1.67 hours", "1.67h"},
                    DurationRow{"OneMinuteShortOfADay", 1439 * kMinute, "23.98 hours", "23.98h"},
                    DurationRow{"OneDay", 1, "1 day", "1d"},
                    DurationRow{"DayAndAHalf", 2.5, "2.5 days", "2.5d"},
                    DurationRow{"HalfHundredthRoundsUp", 1476 * kMinute, "1.03 days", "1.03d"},
                    DurationRow{"SevenDays", 7, "1 week", "1w"},
                    DurationRow{"TenDays", 10, "1.43 weeks", "1.43w"},
                    DurationRow{"TwentyNineDays", 29, "4.14 weeks", "4.14w"},
                    DurationRow{"ThirtyDays", 30, "1 month", "1mo"},
                    DurationRow{"FortyFiveDays", 45, "1.5 months", "1.5mo"},
                    DurationRow{"HundredDays", 100, "3.33 months", "3.33mo"},
                    DurationRow{"ThreeHundredDays", 300, "10 months", "10mo"},
                    DurationRow{"MinusOneDay", -1, "-1 day", "-1d"},
                    DurationRow{"MinusTwoDays", -2, "-2 days", "-2d"},
                    DurationRow{"MinusNinetyMinutes", -90 * kMinute, "-1.5 hours", "-1.5h"},
                    // Past the 32-bit range of minutes: the span of every date, the largest offset.
                    DurationRow{"FromTheFirstDateToTheLast", 3652058, "121735.27 months", "121735.27mo"},
                    DurationRow{"TheLargestOffset", -2147483647.0, "-71582788.23 months", "-71582788.23mo"}),
    testsupport::CaseName());

using FormatDurationTrapTest = TrappedTest;

// Minutes past the 32-bit range are shown (2.88e9 minutes); only a duration no date or offset can
// reach is an overflow.
TEST_F(FormatDurationTrapTest, OnlyADurationPastAnyDateIsOverflow) {
  EXPECT_EQ(Common::FormatDuration(2e6, true), QStringLiteral("66666.67 months"));
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::FormatDuration(1e300, true), QString());
  ExpectTrapped(QStringLiteral("6: Overflow"));
}

// ---------------------------------------------------------------------------------------------
// TextToDuration

struct ReadRow {
  const char* name;
  const char* text;
  double minutes;
};
void PrintTo(const ReadRow& row, std::ostream* out) { *out << row.name; }

class TextToDurationTest : public TableTest<ReadRow> {};

TEST_P(TextToDurationTest, ReadsNumberAndUnit) {
  EXPECT_NEAR(Common::TextToDuration(Text(GetParam().text)) * 1440, GetParam().minutes, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToDurationTest,
    testing::Values(ReadRow{"DaysWord", "2 days", 2880},
                    ReadRow{"DaysCode", "2d", 2880},
                    ReadRow{"WeeksWithPoint", "1.5w", 15120},
                    ReadRow{"MinutesWord", "30 minutes", 30},
                    ReadRow{"MinutesCode", "30mi", 30},
                    ReadRow{"MinutesCodeUpperCase", "30 MI", 30},
                    ReadRow{"MonthsWord", "3 months", 129600},
                    ReadRow{"MonthsCode", "3mo", 129600},
                    ReadRow{"LoneM", "3m", 129600},
                    ReadRow{"NumberAloneIsHours", "4", 240},
                    ReadRow{"HoursWord", "4 hours", 240},
                    ReadRow{"BlanksAndCapitals", "  2  Days ", 2880},
                    ReadRow{"Negative", "-1 day", -1440},
                    ReadRow{"LeadingPoint", ".5h", 30},
                    ReadRow{"SecondPointEndsTheNumber", "1.5.5h", 90},
                    ReadRow{"Empty", "", 0},
                    ReadRow{"UnitWithoutNumber", "hours", 0}),
    testsupport::CaseName());

// Every text FormatDuration writes reads back to its duration, to its two decimals: writing the
// value read gives the same text, and it lies within half a hundredth of the unit (which is never
// more than the duration itself).
TEST(TextToDurationRoundTrip, ReadsBackEveryTextFormatDurationWrites) {
  testsupport::ScriptedPrompter prompter;
  QList<std::int64_t> minutes;
  for (std::int64_t m = 1; m <= 3000; ++m) minutes << m << -m;
  for (std::int64_t m = 3000; m <= 500000; m += 37) minutes << m << -m;
  for (const std::int64_t m : minutes) {
    for (const bool longForm : {true, false}) {
      const QString text = Common::FormatDuration(double(m) / 1440, longForm);
      const double readBack = Common::TextToDuration(text);
      ASSERT_EQ(Common::FormatDuration(readBack, longForm), text) << m << " minutes";
      ASSERT_LE(std::fabs(readBack * 1440 - double(m)), 0.005 * std::fabs(double(m))) << text.toStdString();
    }
  }
}

using TextToDurationTrapTest = TrappedTest;

TEST_F(TextToDurationTrapTest, UnknownUnitNamesWhatWasTypedAndReadsZero) {
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::TextToDuration(QStringLiteral("2x")), 0.0);
  ExpectTrapped(QStringLiteral("10000: The unit of \"2x\" is not known: use mi, h, d, w or mo."));
}

TEST_F(TextToDurationTrapTest, TextWithoutDigitsIsAllUnit) {
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::TextToDuration(QStringLiteral("soon")), 0.0);
  ExpectTrapped(QStringLiteral("10000: The unit of \"soon\" is not known: use mi, h, d, w or mo."));
}

TEST_F(TextToDurationTrapTest, AbortPassesTheChainUp) {
  prompter.Answer(AnswerAbort);
  try {
    Common::TextToDuration(QStringLiteral("3 fortnights"));
    ADD_FAILURE() << "no call chain";
  } catch (const ErrTrap::CallChain& chain) {
    EXPECT_EQ(chain.Chain(), QStringLiteral("  Common:TextToDuration"));
  }
}

// ReadDuration reads what TextToDuration reads from a well-formed text, and refuses the rest
// without asking anything.
TEST(ReadDuration, ReadsAWellFormedDurationAndRefusesTheRest) {
  testsupport::ScriptedPrompter prompter;
  for (const char* text : {"2 days", "2d", "1.5w", "30mi", "3mo", "4", "  2  Days ", "-1 day", ".5h", "+3 hours"}) {
    const std::optional<double> read = Common::ReadDuration(Text(text));
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_DOUBLE_EQ(*read, Common::TextToDuration(Text(text))) << text;
  }
  EXPECT_EQ(Common::ReadDuration(QString()), 0.0);
  EXPECT_EQ(Common::ReadDuration(QStringLiteral("  ")), 0.0);
  for (const char* text : {"2x", "soon", "hours", "2 days 3 hours", "1.5.5h", "2 d!", "- 2d", "1e3 days"}) {
    EXPECT_FALSE(Common::ReadDuration(Text(text)).has_value()) << text;
  }
  EXPECT_TRUE(prompter.Asked().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// FormatEffort

struct EffortRow {
  const char* name;
  int effortUnits;
  std::int32_t optimistic, mostLikely, pessimistic;
  bool subproject;
  const char* longForm;
  const char* shortForm;
};
void PrintTo(const EffortRow& row, std::ostream* out) { *out << row.name; }

class FormatEffortTest : public TableTest<EffortRow> {};

TEST_P(FormatEffortTest, WritesTheEstimateInItsUnit) {
  const EffortRow& row = GetParam();
  EXPECT_EQ(Common::FormatEffortOf(row.effortUnits, row.optimistic, row.mostLikely, row.pessimistic, row.subproject,
                                   true),
            Text(row.longForm));
  EXPECT_EQ(Common::FormatEffortOf(row.effortUnits, row.optimistic, row.mostLikely, row.pessimistic, row.subproject,
                                   false),
            Text(row.shortForm));
}

INSTANTIATE_TEST_SUITE_P(
    Estimates, FormatEffortTest,
    testing::Values(
        EffortRow{"WorkingHours", -60, 0, 600, 0, false, "10 hours", "10h"},
        EffortRow{"ThreePoint", -60, 480, 600, 900, false, "8;10;15 hours", "8;10;15h"},
        EffortRow{"ThreePointNeverSingular", 60, 0, 60, 120, false, "0;1;2 hours", "0;1;2h"},
        EffortRow{"EqualBoundsShowMostLikely", -60, 600, 600, 600, false, "10 hours", "10h"},
        EffortRow{"ReversedBoundsShowMostLikely", -60, 900, 600, 480, false, "10 hours", "10h"},
        EffortRow{"Nothing", -60, 0, 0, 0, false, "0", "0"},
        EffortRow{"OneHour", 60, 0, 60, 0, false, "1 hour", "1h"},
        EffortRow{"Subproject", -60, 480, 600, 900, true, "", ""},
        EffortRow{"DatedByDependenciesAlone", 0, 480, 600, 900, false, "", ""},
        EffortRow{"WorkingDays", -480, 0, 960, 0, false, "2 days", "2d"},
        EffortRow{"CalendarDaysCutNotRounded", 1440, 0, 960, 0, false, "0.66 days", "0.66d"},
        EffortRow{"Minutes", -1, 0, 30, 0, false, "30 minutes", "30mi"},
        EffortRow{"WorkingWeeks", -2400, 0, 3600, 0, false, "1.5 weeks", "1.5w"},
        EffortRow{"CalendarWeek", 10080, 0, 10080, 0, false, "1 week", "1w"},
        EffortRow{"WorkingMonths", -9600, 0, 19200, 0, false, "2 months", "2mo"},
        EffortRow{"CalendarMonth", 43200, 0, 43200, 0, false, "1 month", "1mo"},
        EffortRow{"NegativeCutsDown", -60, 0, -1, 0, false, "-0.02 hours", "-0.02h"},
        // Exact hundredths that a single-precision quotient cuts one low.
        EffortRow{"SixtyNineMinutes", -60, 0, 69, 0, false, "1.15 hours", "1.15h"},
        EffortRow{"SixtyThreeMinutes", -60, 0, 63, 0, false, "1.05 hours", "1.05h"},
        EffortRow{"ExactInEveryPlace", -60, 21, 63, 69, false, "0.35;1.05;1.15 hours", "0.35;1.05;1.15h"},
        EffortRow{"ExactInDays", 1440, 0, 1512, 0, false, "1.05 days", "1.05d"},
        EffortRow{"ExactInWorkingWeeks", -2400, 0, 1272, 0, false, "0.53 weeks", "0.53w"}),
    testsupport::CaseName());

using FormatEffortTrapTest = TrappedTest;

TEST_F(FormatEffortTrapTest, UnknownUnitIsAnAssertionAndPrintsQuestionMarks) {
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::FormatEffortOf(7, 0, 630, 0, false, true), QStringLiteral("90 ???"));
  ExpectTrapped(QStringLiteral("10000: Assertion failed"));
}

// The active project "Bridge" with a plan journal (journal 0, day 1000) and a later current one
// (journal 1, day 2000).
class ProjectFixture : public TrappedTest {
 protected:
  void SetUp() override {
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    project = Common::FindOrCreateProject(QStringLiteral("Bridge"));
    project->AddJournal(1000.0);
    project->AddJournal(2000.0);
    project->PlanIndex = 0;
    Common::SetThisProject(project);
  }
  void TearDown() override {
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    TrappedTest::TearDown();
  }
  // A task dated in the journal of that day and every later one.
  Ytask* Dated(int id, double journal, double start, double finish) {
    project->SetJournal(journal);
    Ytask* task = project->FindOrCreateTask(id);
    task->SetEarlyStart(start);
    task->SetEarlyFinish(finish);
    return task;
  }

  Yproject* project = nullptr;
};

using FormatEffortOfTask = ProjectFixture;

TEST_F(FormatEffortOfTask, ReadsTheCurrentJournalsEstimate) {
  project->SetJournal(1000.0);
  Ytask* task = project->FindOrCreateTask(1);
  task->SetEffortUnits(-60);
  task->SetMostLikely(600);
  project->SetJournal(2000.0);
  task->SetEffortUnits(-480);
  task->SetMostLikely(960);
  EXPECT_EQ(Common::FormatEffort(*task, true), QStringLiteral("2 days"));
  EXPECT_EQ(Common::FormatEffort(*task, false), QStringLiteral("2d"));
  project->SetJournal(1000.0);
  EXPECT_EQ(Common::FormatEffort(*task, true), QStringLiteral("10 hours"));

  Yproject* child = Common::FindOrCreateProject(QStringLiteral("Deck"));
  task->SetSubproject(child);
  EXPECT_EQ(Common::FormatEffort(*task, true), QString());
}

using GetDateRangeTest = ProjectFixture;

TEST_F(GetDateRangeTest, WidensToThePlanJournalAndSwitchesBack) {
  Dated(1, 1000.0, 45000.0, 45030.0);  // the plan journal and the current one
  Dated(1, 2000.0, 45002.0, 45008.0);  // the current journal only
  Dated(2, 2000.0, 45004.0, 45020.0);  // added in the current journal
  double start = 0, finish = 0;
  Common::GetDateRange(start, finish, true);
  EXPECT_EQ(start, 45000.0);
  EXPECT_EQ(finish, 45030.0);
  EXPECT_EQ(project->CurrentIndex, 1);

  Common::GetDateRange(start, finish, false);
  EXPECT_EQ(start, 45002.0);
  EXPECT_EQ(finish, 45020.0);
}

TEST_F(GetDateRangeTest, PlanJournalCurrentGivesItsDatesAlone) {
  Dated(1, 1000.0, 45000.0, 45010.0);
  Dated(1, 2000.0, 44990.0, 45030.0);
  project->SetJournal(1000.0);
  double start = 0, finish = 0;
  Common::GetDateRange(start, finish, true);
  EXPECT_EQ(start, 45000.0);
  EXPECT_EQ(finish, 45010.0);
}

TEST_F(GetDateRangeTest, UndatedPlanJournalLeavesTheRange) {
  Dated(2, 2000.0, 45004.0, 45020.0);  // no task is dated in the plan journal
  double start = 0, finish = 0;
  Common::GetDateRange(start, finish, true);
  EXPECT_EQ(start, 45004.0);
  EXPECT_EQ(finish, 45020.0);
}

TEST_F(GetDateRangeTest, UndatedCurrentJournalTakesThePlans) {
  Dated(1, 1000.0, 45000.0, 45010.0);
  Dated(1, 2000.0, 0.0, 0.0);  // not solved since the journal was made
  double start = 0, finish = 0;
  Common::GetDateRange(start, finish, true);
  EXPECT_EQ(start, 45000.0);
  EXPECT_EQ(finish, 45010.0);
}

TEST_F(GetDateRangeTest, NoActiveProjectIsAnAssertion) {
  Common::SetThisProject(nullptr);
  prompter.Answer(AnswerIgnore);
  double start = 1, finish = 2;
  Common::GetDateRange(start, finish, true);
  EXPECT_EQ(start, 1.0);
  EXPECT_EQ(finish, 2.0);
  ExpectTrapped(QStringLiteral("10000: Assertion failed"));
}

// ---------------------------------------------------------------------------------------------
// FormatTwoDecimals (single-precision numbers)

TEST(FormatTwoDecimals, CutsDownToHundredthsInShortestForm) {
  testsupport::ScriptedPrompter prompter;
  const struct {
    float value;
    const char* text;
  } rows[] = {{1.5f, "1.5"},     {2.0f, "2"},        {0.01f, "0.01"}, {0.0f, "0"},
              {0.019f, "0.01"},  {-0.001f, "-0.01"}, {-2.5f, "-2.5"}, {1234.567f, "1234.56"}};
  for (const auto& row : rows) EXPECT_EQ(Common::FormatTwoDecimals(row.value), Text(row.text)) << row.value;
}

// ---------------------------------------------------------------------------------------------
// FormatUnitFigure (minutes shown in a unit)

TEST(FormatUnitFigure, RoundsToHundredthsHalfAwayFromZero) {
  const struct {
    std::int64_t minutes;
    std::int64_t unit;
    const char* text;
  } rows[] = {{100, 480, "0.21"},  {480, 1440, "0.33"},  {720, 60, "12"},     {90, 60, "1.5"},
              {0, 60, "0"},        {60, 480, "0.13"},    {-60, 480, "-0.13"}, {-1, 43200, "0"},
              {6, 2400, "0"},      {12, 2400, "0.01"},   {std::int64_t{1} << 53, 1, "9007199254740992"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Common::FormatUnitFigure(row.minutes, row.unit), Text(row.text)) << row.minutes << " / " << row.unit;
  }
}

// ---------------------------------------------------------------------------------------------
// FormatCurrency, TextToCurrency, TextToNumber

constexpr std::int64_t kLargestTicks = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kSmallestTicks = std::numeric_limits<std::int64_t>::min();

// One locale's texts for the same amounts.
struct LocaleMoneyRow {
  const char* name;
  const char* locale;
  const char* thousands;          // 1,234.50 and its negative
  const char* negativeThousands;
  const char* zero;               // also -0.0049, under half a cent
  const char* halfCent;           // 0.005, a half cent away from zero
  const char* negativeHalfCent;   // -0.125
  const char* largest;            // the largest and smallest money, 922,337,203,685,477.58 whole cents
  const char* smallest;
};
void PrintTo(const LocaleMoneyRow& row, std::ostream* out) { *out << row.name; }

class MoneyInLocaleTest : public TableTest<LocaleMoneyRow> {};

TEST_P(MoneyInLocaleTest, WritesTheLocalesFormAndReadsItBackToTheCent) {
  const LocaleMoneyRow& row = GetParam();
  LocaleScope locale(row.locale);
  const struct {
    std::int64_t ticks;
    const char* text;
    std::int64_t readBack;  // the amount rounded to the cent
  } amounts[] = {{12345000, row.thousands, 12345000},
                 {-12345000, row.negativeThousands, -12345000},
                 {0, row.zero, 0},
                 {-49, row.zero, 0},
                 {50, row.halfCent, 100},
                 {-1250, row.negativeHalfCent, -1300},
                 {kLargestTicks, row.largest, 9223372036854775800},
                 {kSmallestTicks, row.smallest, -9223372036854775800}};
  for (const auto& amount : amounts) {
    EXPECT_EQ(Common::FormatCurrency(Currency::FromTicks(amount.ticks)), Text(amount.text)) << amount.ticks;
    // The amount shown, as the sheets add it, is the amount the text reads back.
    EXPECT_EQ(Common::ShownCurrency(Currency::FromTicks(amount.ticks)).Ticks(), amount.readBack) << amount.ticks;
    const std::optional<Currency> read = Common::TextToCurrency(Text(amount.text));
    ASSERT_TRUE(read.has_value()) << amount.text;
    EXPECT_EQ(read->Ticks(), amount.readBack) << amount.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Locales, MoneyInLocaleTest,
    testing::Values(
        // A locale without a currency symbol: the borrowed "$" goes first.
        LocaleMoneyRow{"C", "C", "$1,234.50", "-$1,234.50", "$0.00", "$0.01", "-$0.13", "$922,337,203,685,477.58",
                       "-$922,337,203,685,477.58"},
        LocaleMoneyRow{"en_US", "en_US", "$1,234.50", "($1,234.50)", "$0.00", "$0.01", "($0.13)",
                       "$922,337,203,685,477.58", "($922,337,203,685,477.58)"},
        LocaleMoneyRow{"en_GB", "en_GB", "£1,234.50", "(£1,234.50)", "£0.00", "£0.01", "(£0.13)",
                       "£922,337,203,685,477.58", "(£922,337,203,685,477.58)"},
        LocaleMoneyRow{"de_DE", "de_DE", "1.234,50\u00a0€", "-1.234,50\u00a0€", "0,00\u00a0€", "0,01\u00a0€",
                       "-0,13\u00a0€", "922.337.203.685.477,58\u00a0€", "-922.337.203.685.477,58\u00a0€"},
        LocaleMoneyRow{"fr_FR", "fr_FR", "1\u202f234,50\u00a0€", "(1\u202f234,50\u00a0€)", "0,00\u00a0€",
                       "0,01\u00a0€", "(0,13\u00a0€)", "922\u202f337\u202f203\u202f685\u202f477,58\u00a0€",
                       "(922\u202f337\u202f203\u202f685\u202f477,58\u00a0€)"}),
    testsupport::CaseName());

// Whatever a locale writes reads back in it to the same cents, in every locale Qt knows: its own
// digits, marks around signs, symbols with dots and a sign after a leading symbol included.
TEST(MoneyInEveryLocale, ReadsBackWhatItWrites) {
  testsupport::ScriptedPrompter prompter;
  const std::int64_t amounts[] = {12345678912345, -12345678912345, -49, kLargestTicks, kSmallestTicks};
  for (const QLocale& each : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    LocaleScope locale(each);
    for (const std::int64_t ticks : amounts) {
      const QString text = Common::FormatCurrency(Currency::FromTicks(ticks));
      const std::int64_t cents = ticks / 100 + (ticks % 100 >= 50 ? 1 : ticks % 100 <= -50 ? -1 : 0);
      EXPECT_EQ(Common::TextToCurrency(text), Currency::FromTicks(cents * 100)) << each.name().toStdString() << " " << text.toStdString();
    }
    EXPECT_EQ(Common::TextToNumber(Common::FormatCurrency(-1234567.89)), -1234567.89) << each.name().toStdString();
  }
}

struct MoneyRow {
  const char* name;
  Currency value;
  const char* text;
};
void PrintTo(const MoneyRow& row, std::ostream* out) { *out << row.name; }

class FormatCurrencyTest : public TableTest<MoneyRow> {};

TEST_P(FormatCurrencyTest, SymbolGroupsAndCents) {
  EXPECT_EQ(Common::FormatCurrency(GetParam().value), Text(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, FormatCurrencyTest,
    testing::Values(MoneyRow{"Billions", Currency::FromTicks(12345678901250), "$1,234,567,890.13"},
                    MoneyRow{"UnderHalfACent", Currency::FromTicks(49), "$0.00"},
                    MoneyRow{"CarryIntoANewGroup", Currency::FromTicks(9999950), "$1,000.00"}),
    testsupport::CaseName());

using FormatCurrencyTrapTest = TrappedTest;

TEST_F(FormatCurrencyTrapTest, NumbersAndTexts) {
  EXPECT_EQ(Common::FormatCurrency(1234.5), QStringLiteral("$1,234.50"));
  EXPECT_EQ(Common::FormatCurrency(-1234.5), QStringLiteral("($1,234.50)"));
  EXPECT_EQ(Common::FormatCurrency(0.125), QStringLiteral("$0.13"));
  EXPECT_EQ(Common::FormatCurrency(QString()), QStringLiteral("$0.00"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("")), QStringLiteral("$0.00"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("1234.5")), QStringLiteral("$1,234.50"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("1,234.5")), QStringLiteral("$1,234.50"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("-7")), QStringLiteral("($7.00)"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("$-7")), QStringLiteral("($7.00)"));
  // Read exactly, not through a double: 0.125 and 922,337,203,685,477.58 keep their last digit.
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("0.00005")), QStringLiteral("$0.00"));
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("922,337,203,685,477.58")), QStringLiteral("$922,337,203,685,477.58"));
}

TEST_F(FormatCurrencyTrapTest, TextThatIsNoNumberIsATypeMismatch) {
  const QStringList texts{QStringLiteral("abc"), QStringLiteral("  "), QStringLiteral("12 dollars"),
                          QStringLiteral("1e300")};
  for (const QString& text : texts) {
    prompter.Answer(AnswerIgnore);
    EXPECT_EQ(Common::FormatCurrency(text), QString()) << text.toStdString();
  }
  ASSERT_EQ(prompter.Asked().size(), texts.size());
  for (const auto& asked : prompter.Asked()) EXPECT_EQ(asked.text, QStringLiteral("Internal error 13: Type mismatch"));
}

TEST_F(FormatCurrencyTrapTest, NumberBeyondCurrencyIsOverflow) {
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::FormatCurrency(1e300), QString());
  prompter.Answer(AnswerIgnore);
  EXPECT_EQ(Common::FormatCurrency(QStringLiteral("922,337,203,685,477.5808")), QString());
  ASSERT_EQ(prompter.Asked().size(), 2);
  for (const auto& asked : prompter.Asked()) EXPECT_EQ(asked.text, QStringLiteral("Internal error 6: Overflow"));
}

// What the user types, read (or refused) in the user's locale.
struct NumberTextRow {
  const char* name;
  const char* locale;
  const char* text;
  std::optional<double> number;
};
void PrintTo(const NumberTextRow& row, std::ostream* out) { *out << row.name; }

class TextToNumberTest : public TableTest<NumberTextRow> {};

TEST_P(TextToNumberTest, ReadsTypedNumbersAndMoneyTexts) {
  const NumberTextRow& row = GetParam();
  LocaleScope locale(row.locale);
  EXPECT_EQ(Common::TextToNumber(Text(row.text)), row.number);
  // Money reads the same texts.
  const std::optional<Currency> money = Common::TextToCurrency(Text(row.text));
  EXPECT_EQ(money.has_value(), row.number.has_value());
  if (money && row.number) {
    EXPECT_EQ(money->Ticks(), Currency::FromDouble(*row.number).Ticks());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumberTest,
    testing::Values(
        NumberTextRow{"Whole", "en_US", "15", 15.0}, NumberTextRow{"Decimal", "en_US", "6.66666", 6.66666},
        NumberTextRow{"BlanksAround", "en_US", "  1.5 ", 1.5}, NumberTextRow{"Grouped", "en_US", "1,250", 1250.0},
        NumberTextRow{"Negative", "en_US", "-3", -3.0}, NumberTextRow{"PlusSign", "en_US", "+2", 2.0},
        NumberTextRow{"MoneyFormat", "en_US", "$1,234.50", 1234.5},
        NumberTextRow{"NegativeMoneyFormat", "en_US", "($1,234.50)", -1234.5},
        NumberTextRow{"ParenthesesWithoutSymbol", "en_US", "( 5 )", -5.0},
        NumberTextRow{"SignBeforeSymbol", "en_US", "-$5", -5.0},
        NumberTextRow{"SignAfterSymbol", "en_US", "$-1,234.50", -1234.5},
        NumberTextRow{"SymbolAfter", "en_US", "5 $", 5.0}, NumberTextRow{"BlankAfterSymbol", "en_US", "$ 5", 5.0},
        NumberTextRow{"SymbolAlone", "en_US", "$", std::nullopt},
        NumberTextRow{"Empty", "en_US", "", std::nullopt}, NumberTextRow{"Blanks", "en_US", "   ", std::nullopt},
        NumberTextRow{"Word", "en_US", "double", std::nullopt},
        NumberTextRow{"TrailingWord", "en_US", "12 dollars", std::nullopt},
        NumberTextRow{"TwoSigns", "en_US", "--5", std::nullopt},
        NumberTextRow{"TwoSignsAroundSymbol", "en_US", "-$-5", std::nullopt},
        NumberTextRow{"SignInsideParentheses", "en_US", "($-5)", std::nullopt},
        NumberTextRow{"SignBeforeParentheses", "en_US", "-($5)", std::nullopt},
        NumberTextRow{"OpenParenthesis", "en_US", "($5", std::nullopt},
        NumberTextRow{"TwoSymbols", "en_US", "$5$", std::nullopt},
        NumberTextRow{"SignAfterNumber", "en_US", "5-", std::nullopt},
        NumberTextRow{"GroupInTheWrongPlace", "en_US", "12,50", std::nullopt},
        NumberTextRow{"BlankGroupWhereTheLocaleHasNone", "en_US", "1 250", std::nullopt},
        NumberTextRow{"AnotherCurrency", "en_US", "€5", std::nullopt},
        NumberTextRow{"Exponent", "en_US", "1e5", std::nullopt},
        NumberTextRow{"Infinity", "en_US", "inf", std::nullopt},
        NumberTextRow{"NotANumber", "en_US", "nan", std::nullopt},
        NumberTextRow{"BeyondDouble", "en_US", "1e400", std::nullopt},
        NumberTextRow{"CDecimal", "C", "12.5", 12.5}, NumberTextRow{"CGrouped", "C", "1,250", 1250.0},
        NumberTextRow{"CMoneyFormat", "C", "-$1,234.50", -1234.5},
        NumberTextRow{"CParentheses", "C", "($5)", -5.0},
        NumberTextRow{"CDecimalComma", "C", "12,5", std::nullopt},
        NumberTextRow{"GermanDecimal", "de_DE", "12,5", 12.5}, NumberTextRow{"GermanGrouped", "de_DE", "1.250", 1250.0},
        NumberTextRow{"GermanMoneyFormat", "de_DE", "-1.234,50\u00a0€", -1234.5},
        NumberTextRow{"GermanSymbolWithoutBlank", "de_DE", "1.234,50€", 1234.5},
        NumberTextRow{"GermanSymbolFirst", "de_DE", "€ -5", -5.0},
        NumberTextRow{"GermanPointAsDecimal", "de_DE", "12.5", std::nullopt},
        NumberTextRow{"GermanDollar", "de_DE", "$5", std::nullopt},
        NumberTextRow{"FrenchMoneyFormat", "fr_FR", "(1\u202f234,50\u00a0€)", -1234.5},
        NumberTextRow{"FrenchGroupedByABlank", "fr_FR", "1 234,5", 1234.5},
        NumberTextRow{"FrenchGroupedByANoBreakSpace", "fr_FR", "-1\u00a0234,5 €", -1234.5},
        NumberTextRow{"FrenchTwoSignsInParentheses", "fr_FR", "(-1 234 €)", std::nullopt},
        NumberTextRow{"BritishMoneyFormat", "en_GB", "(£1,234.50)", -1234.5},
        NumberTextRow{"BritishSignAfterSymbol", "en_GB", "£-5", -5.0},
        NumberTextRow{"BritishDollar", "en_GB", "$5", std::nullopt}),
    testsupport::CaseName());

// A number of more digits than a double can hold is no number; money keeps every digit up to its
// range.
TEST(TextToNumber, RefusesDigitsBeyondADouble) {
  EXPECT_EQ(Common::TextToNumber(QStringLiteral("1") + QString(400, QLatin1Char('0'))), std::nullopt);
  EXPECT_EQ(Common::TextToCurrency(QStringLiteral("1") + QString(20, QLatin1Char('0'))), std::nullopt);
  EXPECT_EQ(Common::TextToCurrency(QStringLiteral("$0.12345")), Currency::FromTicks(1234));
}

TEST(FormatUnitFigure, UsesTheUsersDecimalSeparatorWithoutGrouping) {
  LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(Common::FormatUnitFigure(100, 480), QStringLiteral("0,21"));
  EXPECT_EQ(Common::FormatUnitFigure(123456 * 60 + 30, 60), QStringLiteral("123456,5"));
}

// ---------------------------------------------------------------------------------------------
// FormatHours, FormatHour, DayName

TEST(FormatHours, OneDecimalOrBlank) {
  testsupport::ScriptedPrompter prompter;
  const struct {
    float hours;
    bool blankZero;
    const char* text;
  } rows[] = {{0, true, ""},        {0, false, "0.0"},     {7.5f, true, "7.5"},       {8, false, "8.0"},
              {0.45f, false, "0.5"}, {0.25f, false, "0.3"}, {9.95f, false, "10.0"},    {1234567, false, "1234567.0"},
              {-7.5f, false, "-7.5"}, {-0.04f, false, "0.0"}, {0.04f, true, "0.0"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Common::FormatHours(row.hours, row.blankZero), Text(row.text)) << row.hours << " " << row.blankZero;
  }
}

TEST(FormatHour, TwelveHourLabels) {
  testsupport::ScriptedPrompter prompter;
  const struct {
    int hour;
    const char* plain;
    const char* padded;
  } rows[] = {{0, "12am", "12am"}, {1, "1am", "01am"},  {7, "7am", "07am"},   {9, "9am", "09am"},
              {10, "10am", "10am"}, {11, "11am", "11am"}, {12, "12pm", "12pm"}, {13, "1pm", "01pm"},
              {21, "9pm", "09pm"},  {22, "10pm", "10pm"}, {23, "11pm", "11pm"}, {24, "12am", "12am"},
              {25, "", "0"},        {-1, "", "0"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Common::FormatHour(row.hour, false), Text(row.plain)) << row.hour;
    EXPECT_EQ(Common::FormatHour(row.hour, true), Text(row.padded)) << row.hour;
  }
}

using DayNameTest = TrappedTest;

TEST_F(DayNameTest, NamesEveryDayKind) {
  const char* names[] = {"Holiday",  "Sunday", "Monday",   "Tuesday", "Wednesday",
                         "Thursday", "Friday", "Saturday", "Shutdown"};
  for (int kind = 0; kind <= 8; ++kind) EXPECT_EQ(Common::DayName(kind), Text(names[kind])) << kind;
}

TEST_F(DayNameTest, OtherKindIsAnAssertionAndGivesEmptyText) {
  for (const int kind : {-1, 9}) {
    prompter.Answer(AnswerIgnore);
    EXPECT_EQ(Common::DayName(kind), QString()) << kind;
  }
  ASSERT_EQ(prompter.Asked().size(), 2);
  for (const auto& asked : prompter.Asked()) {
    EXPECT_EQ(asked.title, QStringLiteral("Internal Error"));
    EXPECT_EQ(asked.text, QStringLiteral("Internal error 10000: Assertion failed"));
  }
}

// ---------------------------------------------------------------------------------------------
// AddMinutes

struct MinutesRow {
  const char* name;
  QDateTime from;
  std::int32_t minutes;
  QDateTime to;
};
void PrintTo(const MinutesRow& row, std::ostream* out) { *out << row.name; }

QDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

class AddMinutesTest : public TableTest<MinutesRow> {};

TEST_P(AddMinutesTest, MovesByWholeMinutes) {
  const MinutesRow& row = GetParam();
  EXPECT_EQ(praxel::FromOleDate(Common::AddMinutes(praxel::ToOleDate(row.from), row.minutes)), row.to);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, AddMinutesTest,
    testing::Values(MinutesRow{"SameDay", At(2024, 3, 14, 10, 0), 90, At(2024, 3, 14, 11, 30)},
                    MinutesRow{"IntoTheNextDay", At(2024, 3, 14, 23, 30), 60, At(2024, 3, 15, 0, 30)},
                    MinutesRow{"TimeRoundedToTheMinute", At(2024, 3, 14, 10, 0, 40), 0, At(2024, 3, 14, 10, 1)},
                    MinutesRow{"BackIntoThePreviousDay", At(2024, 3, 1, 0, 30), -60, At(2024, 2, 29, 23, 30)},
                    MinutesRow{"BackSeveralDays", At(2024, 3, 14, 10, 0), -3 * 1440 - 15, At(2024, 3, 11, 9, 45)},
                    MinutesRow{"BeforeDayZero", At(1899, 12, 29, 6, 0), 60, At(1899, 12, 29, 7, 0)},
                    MinutesRow{"BackBeforeDayZero", At(1899, 12, 30, 0, 30), -60, At(1899, 12, 29, 23, 30)},
                    MinutesRow{"ForwardOverDayZero", At(1899, 12, 29, 23, 30), 60, At(1899, 12, 30, 0, 30)},
                    MinutesRow{"FarBeforeDayZero", At(1850, 6, 1, 12, 0), 14 * 1440 + 30, At(1850, 6, 15, 12, 30)}),
    testsupport::CaseName());

using AddMinutesTrapTest = TrappedTest;

TEST_F(AddMinutesTrapTest, MinuteCountBeyondALongIsOverflow) {
  prompter.Answer(AnswerIgnore);
  Common::AddMinutes(praxel::ToOleDate(At(2024, 3, 14, 10, 0)), std::numeric_limits<std::int32_t>::max());
  ExpectTrapped(QStringLiteral("6: Overflow"));
}

}  // namespace
