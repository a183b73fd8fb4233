// The crash analysis: which slices may be crashed, the steps of both variants, their rows and
// progress, and the closing normal solve.

#include "AnalysisFixture.h"
#include "CaseName.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "ErrTrap.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <functional>

namespace {


QList<Ycrash> Rows() {
  const QList<Ycrash>* items = Solve::CrashItems();
  return items != nullptr ? *items : QList<Ycrash>();
}

// The IDs of the tasks whose slices SetCrashableFlags marks.
QList<int> CrashableTasks() {
  Solve::SetCrashableFlags();
  QList<int> ids;
  for (const Yslice* slice : Solve::SliceList()) {
    if (slice->Crashable) ids.append(slice->Task->TaskID());
  }
  return ids;
}

// One task of 16 hours for the worker, from Monday 08:00: normally it ends on Tuesday at 17:00 and
// costs 640 (16 hours at 40).
class CrashTest : public AnalysisTest {
 public:
  void SetUp() override {
    AnalysisTest::SetUp();
    task = WorkTask(1, worker, 960);
    ASSERT_EQ(SolveAll(), kComplete);
  }
  Ytask* task = nullptr;
};

TEST_F(CrashTest, DetailedStepsGrowTheCriticalTeamOneIncrementAtATime) {
  Analyse([] { Solve::DetailedCrashSolve(); });
  const QList<Ycrash> rows = Rows();
  ASSERT_GE(rows.size(), 3);

  // The baseline: the solved schedule before any crashing.
  EXPECT_EQ(rows[0].Task, nullptr);
  EXPECT_EQ(rows[0].Multiplier, 0.0f);
  EXPECT_EQ(When(rows[0].EndDate), QStringLiteral("Tue 17:00"));
  EXPECT_EQ(rows[0].TotalCost, praxel::Currency::FromDouble(640));

  // 1.25 people at 0.85 efficiency: 960 ÷ (1.25 × 0.85^0.25) = 800 minutes, each priced at 1.25 × 40.
  EXPECT_EQ(rows[1].Task, task);
  EXPECT_EQ(rows[1].FromPercent, 0);
  EXPECT_EQ(rows[1].ToPercent, 100);
  EXPECT_EQ(rows[1].Multiplier, 1.25f);
  EXPECT_EQ(When(rows[1].EndDate), QStringLiteral("Tue 14:20"));
  EXPECT_EQ(rows[1].TotalCost, praxel::Currency::FromDouble(666.6667));
  // The same slice chosen again: 960 ÷ (1.5 × 0.85^0.5) = 694 minutes at 60 an hour.
  EXPECT_EQ(rows[2].Task, task);
  EXPECT_EQ(rows[2].Multiplier, 1.5f);
  EXPECT_EQ(When(rows[2].EndDate), QStringLiteral("Tue 11:34"));
  EXPECT_EQ(rows[2].TotalCost, praxel::Currency::FromDouble(694));

  // Every step finishes earlier and costs more, until a larger team no longer helps: beyond
  // m = −1 ÷ ln 0.85 ≈ 6.15 a further increment lengthens the slice.
  for (qsizetype i = 2; i < rows.size(); ++i) {
    EXPECT_LT(rows[i].EndDate, rows[i - 1].EndDate) << i;
    EXPECT_GT(rows[i].TotalCost, rows[i - 1].TotalCost) << i;
    EXPECT_EQ(rows[i].Multiplier, rows[i - 1].Multiplier + 0.25f) << i;
  }
  EXPECT_LE(rows.last().Multiplier, 6.5f);

  // The run ends by asking for a normal solve, which brings back the uncrashed schedule.
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(recorder.SolveTimerEnabled());
  EXPECT_EQ(recorder.StatusTexts(), QStringList({QStringLiteral("Crash solve in progress"), QString()}));
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00"));
  // To the cent: the crashed bookings left their splits in the calendar, and each piece of a
  // booking is priced on its own.
  EXPECT_NEAR(task->LaborCost().ToDouble(), 640, 0.005);
  EXPECT_EQ(Solve::SliceList().first()->Multiplier, 1.0f);
  EXPECT_EQ(Rows().size(), rows.size()) << "the rows outlive the closing solve";
}

// The rows outlive the analysis, but never the model objects they name: a freed task is handed out
// again by the pool, and the clear-all deletes it.
TEST_F(CrashTest, RowsNeverNameAFreedTask) {
  Analyse([] { Solve::DetailedCrashSolve(); });
  const qsizetype steps = Rows().size();
  ASSERT_GE(steps, 2);
  ASSERT_EQ(Rows()[1].Task, task);

  task->Delete();
  ASSERT_TRUE(task->IsFree());
  const QList<Ycrash> rows = Rows();
  ASSERT_EQ(rows.size(), steps) << "the steps stay, without their task";
  for (const Ycrash& row : rows) EXPECT_EQ(row.Task, nullptr);
  EXPECT_EQ(rows[1].Multiplier, 1.25f);

  Common::FreeAllMemory();
  EXPECT_EQ(Solve::CrashItems(), nullptr) << "the clear-all drops the results of the model it empties";
}

TEST_F(CrashTest, QuickStepsScaleTheSolvedDurationAndCost) {
  Analyse([] { Solve::QuickCrashSolve(); });
  const QList<Ycrash> rows = Rows();
  ASSERT_GE(rows.size(), 3);
  EXPECT_EQ(When(rows[0].EndDate), QStringLiteral("Tue 17:00"));
  // The solved 33 hours (1.375 days) divided by m × 0.85^(m−1), the cost 640 by 0.85^(m−1),
  // with no regard to working time.
  EXPECT_EQ(rows[1].Multiplier, 1.25f);
  EXPECT_EQ(When(rows[1].EndDate), QStringLiteral("Tue 11:30"));
  EXPECT_NEAR(rows[1].TotalCost.ToDouble(), 666.538, 0.001);
  EXPECT_EQ(rows[2].Multiplier, 1.5f);
  EXPECT_EQ(When(rows[2].EndDate), QStringLiteral("Tue 07:52"));
  EXPECT_NEAR(rows[2].TotalCost.ToDouble(), 694.177, 0.001);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
}

// Tasks 1 and 2 are alike, for two resources, and task 3 waits for both.
class TwinCrashTest : public AnalysisTest {
 public:
  void SetUp() override {
    AnalysisTest::SetUp();
    first = WorkTask(1, worker, 960);
    second = WorkTask(2, AddResource(2), 960);
    CloseProject();
    ASSERT_EQ(SolveAll(), kComplete);
  }
  Ytask* first = nullptr;
  Ytask* second = nullptr;
};

TEST_F(TwinCrashTest, EqualRatiosChooseTheEarlierSliceAndProgressNeverGoesBack) {
  Analyse([] { Solve::DetailedCrashSolve(); });
  const QList<Ycrash> rows = Rows();
  ASSERT_GE(rows.size(), 4);
  // Both are critical; on equal ratios the earlier slice is crashed, which alone moves nothing.
  EXPECT_EQ(rows[1].Task, first);
  EXPECT_EQ(rows[1].Multiplier, 1.25f);
  EXPECT_EQ(rows[1].EndDate, rows[0].EndDate);
  // Task 1 now has float: only task 2 is critical, and crashing it moves the finish.
  EXPECT_EQ(rows[2].Task, second);
  EXPECT_EQ(rows[2].Multiplier, 1.25f);
  EXPECT_EQ(When(rows[2].EndDate), QStringLiteral("Tue 14:20"));
  EXPECT_EQ(rows[3].Task, first);
  EXPECT_EQ(rows[3].Multiplier, 1.5f);

  // At 0.85 and multiplier 1 each crashable slice has gone 100 × 0.1625 % of the way: 16 %. The
  // second step (one slice at 1) shows nothing new; the third (two at 1.25) shows 20 %.
  const QStringList progress = recorder.Messages(QStringLiteral("Crashing"));
  ASSERT_GE(progress.size(), 3);
  EXPECT_EQ(progress.mid(0, 3), QStringList({QStringLiteral("Crashing 0% ..."), QStringLiteral("Crashing 16% ..."),
                                             QStringLiteral("Crashing 20% ...")}));
  for (qsizetype i = 1; i < progress.size(); ++i) {
    EXPECT_NE(progress[i], QStringLiteral("Crashing 100% ..."));
    EXPECT_GT(progress[i].split(QLatin1Char(' '))[1].chopped(1).toInt(),
              progress[i - 1].split(QLatin1Char(' '))[1].chopped(1).toInt());
  }
  // The analysis state lets no window message run, and the passes write no per-slice text.
  EXPECT_EQ(recorder.Pumps(), 0);
  EXPECT_TRUE(recorder.Messages(QStringLiteral("Solving")).isEmpty());
}

TEST_F(TwinCrashTest, OnlySlicesWithTheSmallestFloatAreCrashable) {
  second->SetMostLikely(480);
  project->SetDirty(true);
  ASSERT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(CrashableTasks(), QList<int>({1})) << "task 2 has a day of float";
}

// Tasks that are never crashed: each case changes task 1 of CrashTest (or the active project), and
// the analysis writes the baseline row only.
struct UncrashableCase {
  const char* name;
  std::function<void(AnalysisTest&, Ytask&)> change;
};

void PrintTo(const UncrashableCase& c, std::ostream* out) { *out << c.name; }

class UncrashableTest : public CrashTest, public testing::WithParamInterface<UncrashableCase> {};

TEST_P(UncrashableTest, LeavesOnlyTheBaseline) {
  GetParam().change(*this, *task);
  project->SetDirty(true);
  ASSERT_EQ(SolveAll(), kComplete);
  EXPECT_TRUE(CrashableTasks().isEmpty());
  for (const bool quick : {false, true}) {
    Analyse([&] { quick ? Solve::QuickCrashSolve() : Solve::DetailedCrashSolve(); });
    EXPECT_EQ(Rows().size(), 1) << (quick ? "quick" : "detailed");
    EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
    ASSERT_EQ(SolveAll(), kComplete);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Crash, UncrashableTest,
    testing::Values(UncrashableCase{"FullEfficiency", [](AnalysisTest&, Ytask& t) { t.SetEfficiency(1.0); }},
                    // No crash model without a logarithm and a power of the efficiency.
                    UncrashableCase{"ZeroEfficiency", [](AnalysisTest&, Ytask& t) { t.SetEfficiency(0.0); }},
                    UncrashableCase{"NegativeEfficiency", [](AnalysisTest&, Ytask& t) { t.SetEfficiency(-0.5); }},
                    UncrashableCase{"CalendarTime", [](AnalysisTest&, Ytask& t) { t.SetEffortUnits(1440); }},
                    UncrashableCase{"NoEstimate", [](AnalysisTest&, Ytask& t) { t.SetMostLikely(0); }},
                    UncrashableCase{"ActiveProjectIsASubproject",
                                    [](AnalysisTest& test, Ytask&) {
                                      // Its tasks belong to the tree of the project above it.
                                      Yproject* child = test.AddProject(QStringLiteral("Child"));
                                      child->SetSolveRules(1);
                                      Ytask* part = test.AddTask(1, 480, -60, child);
                                      test.StartAt(part, At(0, 8));
                                      test.Assign(part, test.AddResource(2));
                                      test.AddTask(2, 0)->SetSubproject(child);
                                      test.CloseProject();
                                      Common::SetThisProject(child);
                                    }}),
    testsupport::CaseName());

// Values that carry a crashed task or the project's total past what it can hold stop the
// analysis with a message naming the task or the project, and the field.
TEST_F(CrashTest, AnOverflowNamesTheTaskOrTheProjectAndTheField) {
  struct Case {
    const char* name;
    std::function<void(Ytask&)> spoil;
    QString message;
  };
  const Case cases[] = {
      {"tiny efficiency", [](Ytask& t) { t.SetEfficiency(1e-300); },
       QStringLiteral("Overflow while crashing (Main) %1: its Efficiency is 1e-300, its most likely estimate 960 "
                      "minutes.")},
      {"costs past the largest amount",
       [](Ytask& t) { t.SetMaterialCost(praxel::Currency::FromDouble(922337203685000.0)); },
       QStringLiteral("Overflow: the labor and material costs of project Main add up past the largest amount.")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.spoil(*task);
    for (const bool quick : {true, false}) {
      SolveAll();  // an analysis stopped by an error leaves the schedule to solve again
      prompter.Answer(praxel::AnswerAbort);
      Analyse([&] { EXPECT_THROW(quick ? Solve::QuickCrashSolve() : Solve::DetailedCrashSolve(), ErrTrap::CallChain); });
      ASSERT_FALSE(prompter.Asked().isEmpty());
      const QString message = c.message.contains(QLatin1String("%1")) ? c.message.arg(task->BuildNodeText()) : c.message;
      EXPECT_EQ(prompter.Asked().last().text, QStringLiteral("Internal error 10000: ") + message);
    }
    task->SetEfficiency(0.9);
  }
}

TEST_F(CrashTest, AnIncrementOfZeroIsRefused) {
  Solve::SetTeamIncrement(0.0f);
  prompter.Answer(praxel::AnswerAbort);
  Analyse([] { EXPECT_THROW(Solve::DetailedCrashSolve(), ErrTrap::CallChain); });
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_TRUE(prompter.Asked()[0].text.contains(QStringLiteral("The team increment must be greater than 0.")));
  EXPECT_EQ(Solve::CrashItems(), nullptr);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_TRUE(recorder.StatusTexts().isEmpty());
}

// The detailed passes start where they differ from the last pass of their kind, from a journal of
// their changes; the rows must be exactly those of passes that start from fresh calendars. Two
// generated projects sharing three resources give many steps, crash slices all along the solve
// order and change which slices are critical.
TEST_F(AnalysisTest, DetailedPassesFromTheLastOnesGiveTheRowsOfFreshPasses) {
  const auto rows = [&](bool reuse) {
    Common::FreeAllMemory();
    generator::GenerateWorkload({40, 3, 20, 5});
    EXPECT_EQ(SolveAll(), kComplete);
    Solve::SetCrashPassReuse(reuse);
    Analyse([] { Solve::DetailedCrashSolve(); });
    Solve::SetCrashPassReuse(true);
    QStringList texts;
    for (const Ycrash& row : Rows()) {
      texts << QStringLiteral("%1 %2-%3 x%4 %5 %6")
                   .arg(row.Task != nullptr ? row.Task->BuildNodeText() : QString())
                   .arg(row.FromPercent)
                   .arg(row.ToPercent)
                   .arg(row.Multiplier)
                   .arg(row.EndDate, 0, 'g', 17)
                   .arg(row.TotalCost.Ticks());
    }
    return texts;
  };
  const QStringList fresh = rows(false);
  EXPECT_EQ(rows(true), fresh);
  EXPECT_GT(fresh.size(), 30) << fresh.size();
}

}  // namespace
