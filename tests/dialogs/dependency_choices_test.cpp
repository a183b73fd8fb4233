#include "DependencyChoices.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include "CaseName.h"

#include <QSet>

#include <ostream>
#include <string>

namespace {

using namespace DependencyChoices;

// ---------------------------------------------------------------------------------------------
// The sentence

struct SentenceRow {
  const char* name;
  SentenceParts parts;
  const char* sentence;
};
void PrintTo(const SentenceRow& row, std::ostream* out) { *out << row.name; }

class DependencySentence : public testing::TestWithParam<SentenceRow> {};

TEST_P(DependencySentence, ReadsTheDependencyInPlainWords) {
  EXPECT_EQ(Sentence(GetParam().parts), QString::fromUtf8(GetParam().sentence));
}

SentenceParts Parts(int toPercent, OffsetChoice offset, const char* offsetText, bool isDate, int fromPercent) {
  SentenceParts parts;
  parts.label = QStringLiteral("12: Frame walls");
  parts.toPercent = toPercent;
  parts.offset = offset;
  parts.offsetText = QString::fromUtf8(offsetText);
  parts.isDate = isDate;
  parts.dateText = QStringLiteral("3/1/2024");
  parts.taskText = QStringLiteral("7: Pour slab");
  parts.fromPercent = fromPercent;
  return parts;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, DependencySentence,
    testing::Values(
        SentenceRow{"TwoDaysAfterAFinish", Parts(0, OffsetAfter, "2 days", false, 100),
                    "12: Frame walls cannot start until 2 days after prerequisite task 7: Pour slab finishes."},
        SentenceRow{"ANewDependencyOnTheJournalDate", Parts(0, NoOffset, "", true, 100),
                    "12: Frame walls cannot start until prerequisite date 3/1/2024."},
        SentenceRow{"AnOffsetTextNotShownWithoutOffset", Parts(100, NoOffset, "3 hours", false, 0),
                    "12: Frame walls cannot finish until prerequisite task 7: Pour slab starts."},
        SentenceRow{"PartialOnBothSides", Parts(50, NoOffset, "", false, 30),
                    "12: Frame walls cannot proceed beyond 50% until prerequisite task 7: Pour slab is 30% complete."},
        SentenceRow{"HoursBeforeAStart", Parts(100, OffsetBefore, "3 hours", false, 0),
                    "12: Frame walls cannot finish until 3 hours before prerequisite task 7: Pour slab starts."},
        SentenceRow{"ADateHasNoStartOrFinish", Parts(99, OffsetAfter, "1 week", true, 0),
                    "12: Frame walls cannot proceed beyond 99% until 1 week after prerequisite date 3/1/2024."},
        SentenceRow{"TextAsTyped", Parts(1, OffsetAfter, "", false, 100),
                    "12: Frame walls cannot proceed beyond 1% until  after prerequisite task 7: Pour slab finishes."}),
    testsupport::CaseName());

// ---------------------------------------------------------------------------------------------
// Options, scroll bars and quick options

TEST(DependencyOptions, AnOptionFollowsItsBarAndMovesItOnlyOffTheEnds) {
  EXPECT_EQ(PointOf(0), PointStart);
  EXPECT_EQ(PointOf(1), PointPartial);
  EXPECT_EQ(PointOf(99), PointPartial);
  EXPECT_EQ(PointOf(100), PointFinish);

  EXPECT_EQ(PercentFor(PointStart, 30), 0);
  EXPECT_EQ(PercentFor(PointFinish, 30), 100);
  EXPECT_EQ(PercentFor(PointPartial, 0), 50);
  EXPECT_EQ(PercentFor(PointPartial, 100), 50);
  EXPECT_EQ(PercentFor(PointPartial, 30), 30);
}

// Each of the twelve combinations of a prerequisite side (a date or a point of the task) and a
// dependent side has its own quick option; a date ignores the from side.
TEST(DependencyOptions, EveryCombinationHasExactlyOneQuickOption) {
  QSet<int> seen;
  for (const bool isDate : {true, false}) {
    for (const Point from : {PointStart, PointPartial, PointFinish}) {
      for (const Point to : {PointStart, PointPartial, PointFinish}) {
        const QString code = QuickCode(isDate, from, to);
        const int index = QuickIndex(code);
        ASSERT_GE(index, 0) << code.toStdString();
        EXPECT_EQ(QLatin1String(kQuickOptions[index].code), code);
        if (isDate) {
          EXPECT_EQ(code, QuickCode(true, PointFinish, to));
        }
        seen.insert(index);
      }
    }
  }
  EXPECT_EQ(seen.size(), static_cast<qsizetype>(kQuickOptions.size()));
  EXPECT_EQ(QuickIndex(QStringLiteral("FS")), 0);
  EXPECT_EQ(QuickIndex(QStringLiteral("PP")), 11);
  EXPECT_EQ(QuickIndex(QStringLiteral("SD")), -1);
}

}  // namespace
