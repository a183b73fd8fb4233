// What the analyses share: their preconditions, the way back to a normal solve from every way out
// of them, and the placing of slices in their quick passes.

#include "AnalysisFixture.h"
#include "AnalysisRun.h"
#include "CaseName.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "ErrTrap.h"
#include "ForwardPass.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "ResourceCalendar.h"
#include "RiskAnalysis.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {


struct AnalysisCase {
  const char* name;
  std::function<void()> run;
  QString busyText;
  QString progressText;  // a text the analysis shows while it runs
};

void PrintTo(const AnalysisCase& c, std::ostream* out) { *out << c.name; }

// The four analyses, each of one task of 16 hours (8 to 32) for the worker.
class EveryAnalysisTest : public AnalysisTest, public testing::WithParamInterface<AnalysisCase> {
 public:
  void SetUp() override {
    AnalysisTest::SetUp();
    task = WorkTask(1, worker, 960, 480, 1920);
    Solve::SetRiskIterations(4);
    ASSERT_EQ(SolveAll(), kComplete);
  }
  Ytask* task = nullptr;
};

TEST_P(EveryAnalysisTest, EndsWithANormalSolveAndNoBusyMessage) {
  Analyse(GetParam().run);
  EXPECT_EQ(recorder.StatusTexts(), QStringList({GetParam().busyText, QString()}));
  EXPECT_TRUE(recorder.Messages().contains(GetParam().progressText));
  EXPECT_EQ(recorder.Pumps(), 0) << "nothing may run while an analysis works on the model";
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(recorder.SolveTimerEnabled());
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00"));
}

// An analysis left through the error trap's Abort used to stay in the analysis state, where no
// solve ever runs again and every view waits.
TEST_P(EveryAnalysisTest, AFailureInsideStillEndsWithANormalSolve) {
  recorder.FailOn(GetParam().progressText);
  prompter.Answer(praxel::AnswerAbort);
  Analyse([&] { EXPECT_THROW(GetParam().run(), ErrTrap::CallChain); });
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_EQ(prompter.Asked()[0].title, QStringLiteral("Internal Error"));
  EXPECT_EQ(recorder.StatusTexts(), QStringList({GetParam().busyText, QString()}));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_TRUE(recorder.SolveTimerEnabled());
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00"));
}

// Every analysis refuses a loaded project whose solve rule halts, as the crash command does: a
// pass that halted would leave half-solved dates. Nothing starts.
TEST_P(EveryAnalysisTest, AHaltingSolveRuleIsRefused) {
  Yproject* other = AddProject(QStringLiteral("Other"));
  other->SetSolveRules(2);
  ASSERT_EQ(Solve::FirstHaltingProject(), other);
  const QString refusal = Solve::AnalysisRefusal(QStringLiteral("Risk analysis"));
  EXPECT_EQ(refusal, QStringLiteral("The project Other has a solve rule that halts on an error.  Risk analysis requires "
                                    "that the rule be changed so that it will continue (extend) and not halt."));
  const std::vector<double> before = Solve::RiskFinishDates();
  prompter.Answer(praxel::AnswerIgnore);
  Analyse(GetParam().run);
  ASSERT_EQ(prompter.Asked().size(), 1);
  EXPECT_TRUE(prompter.Asked()[0].text.contains(QStringLiteral("has a solve rule that halts on an error.")));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_TRUE(recorder.StatusTexts().isEmpty());
  EXPECT_TRUE(recorder.Messages().isEmpty());
  EXPECT_EQ(Solve::CrashItems(), nullptr);
  EXPECT_EQ(Solve::RiskFinishDates(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Analyses, EveryAnalysisTest,
    testing::Values(AnalysisCase{"DetailedCrash", [] { Solve::DetailedCrashSolve(); },
                                 QStringLiteral("Crash solve in progress"), QStringLiteral("Crashing 16% ...")},
                    AnalysisCase{"QuickCrash", [] { Solve::QuickCrashSolve(); },
                                 QStringLiteral("Crash solve in progress"), QStringLiteral("Crashing 16% ...")},
                    AnalysisCase{"DetailedRisk", [] { Solve::RunRiskAnalysis(false); },
                                 QStringLiteral("Risk solve in progress"), QStringLiteral("Risk 40% ...")},
                    AnalysisCase{"QuickRisk", [] { Solve::RunRiskAnalysis(true); },
                                 QStringLiteral("Risk solve in progress"), QStringLiteral("Risk 40% ...")}),
    testsupport::CaseName());

TEST_F(AnalysisTest, NeedsASolvedActiveProject) {
  WorkTask(1, worker, 480);
  project->SetDirty(true);
  EXPECT_EQ(Solve::AnalysisRefusal(QStringLiteral("Crash")),
            QStringLiteral("The schedule must be solved before an analysis can run."));
  ASSERT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(Solve::AnalysisRefusal(QStringLiteral("Crash")), QString());
  Common::SetThisProject(nullptr);
  EXPECT_EQ(Solve::AnalysisRefusal(QStringLiteral("Crash")), QStringLiteral("There is no active project to analyse."));
}

// Should a sampled pass still halt (the run's precondition was not checked), the half-solved
// iteration is not recorded: the run stops with the error shown.
TEST_F(AnalysisTest, ASampledPassThatHaltsIsNotRecorded) {
  // Task 1 on Monday and task 2 of two days from Tuesday share the worker; a long enough sample
  // of task 1 runs into Tuesday, where task 2 then finds its time booked.
  project->SetSolveRules(0);
  WorkTask(1, worker, 480, 240, 1440);
  Ytask* second = AddTask(2, 960);
  second->SetOptimistic(960);
  second->SetPessimistic(960);
  StartAt(second, At(1, 8));
  Assign(second, worker);
  CloseProject();
  ASSERT_EQ(SolveAll(), kComplete);

  Solve::SetRiskIterations(4);
  Analyse([] {
    Solve::SetSolveMode(Solve::ModeAnalysis);
    Solve::PrepareRiskSolve();
    Solve::DetailedRiskSolve();
  });
  // Deviates −1.15 and −0.32 keep task 1 on Monday; +0.32 gives it 582 minutes.
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeError);
  EXPECT_EQ(recorder.SolveMessage(), QStringLiteral("Overtime needed"));
  const std::vector<double>& finishes = Solve::RiskFinishDates();
  EXPECT_EQ(When(finishes[1]), QStringLiteral("Wed 17:00"));
  EXPECT_EQ(When(finishes[2]), QStringLiteral("Wed 17:00"));
  EXPECT_EQ(finishes[3], 0.0);
  EXPECT_EQ(finishes[4], 0.0);
}

// Task 1 is cut at its half, where a milestone waits for it. The quick passes place its second
// half after its first, as a solve does, not side by side with it from the task's start.
TEST_F(AnalysisTest, QuickPassesKeepTheSlicesOfATaskInTurn) {
  Ytask* cut = WorkTask(1, worker, 960);
  Depend(AddTask(2, 0), cut, 50, 0);
  CloseProject();
  ASSERT_EQ(SolveAll(), kComplete);
  ASSERT_EQ(When(cut->EarlyFinish()), QStringLiteral("Tue 17:00"));

  Solve::SetRiskIterations(1);
  Analyse([] { Solve::RunRiskAnalysis(true); });
  EXPECT_EQ(When(Solve::RiskFinishDates()[1]), QStringLiteral("Tue 17:00")) << "the most likely sample";
  ASSERT_EQ(SolveAll(), kComplete);

  // The second half (24 hours from Monday 17:00) gains the most per cost: 24 ÷ (1.25 × 0.85^0.25)
  // hours after Monday 17:00.
  Analyse([] { Solve::QuickCrashSolve(); });
  const QList<Ycrash>* rows = Solve::CrashItems();
  ASSERT_NE(rows, nullptr);
  ASSERT_GE(rows->size(), 2);
  EXPECT_EQ(rows->at(1).FromPercent, 50);
  EXPECT_EQ(When(rows->at(1).EndDate), QStringLiteral("Tue 13:00"));
}

}  // namespace

// Every pass of an analysis starts from fresh calendar days made of the slots of the last pass's
// days: two generated projects sharing four resources must be dated on them exactly as on the
// slots the pool gave the solve.
TEST_F(AnalysisTest, PassesOnTheSlotsOfThePassBeforeDateAsAFreshSolve) {
  Common::FreeAllMemory();
  generator::GenerateWorkload({60, 4, 30, 3});
  ASSERT_EQ(SolveAll(), kComplete);
  const auto schedule = [] {
    QList<std::tuple<double, double, std::int64_t>> rows;
    for (const Yslice* slice : Solve::SliceList()) {
      rows.append({slice->EarlyStart, slice->EarlyFinish, slice->Task->LaborCost().Ticks()});
    }
    return rows;
  };
  const auto fresh = schedule();
  Solve::SetSolveMode(Solve::ModeAnalysis);
  for (int pass = 1; pass <= 2; ++pass) {
    Solve::ResetPriorToPass();
    for (Yslice* slice : Solve::SliceList()) Solve::SolveOneSlice(*slice);
    EXPECT_EQ(schedule(), fresh) << "pass " << pass;
  }
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ReleaseSpareSlots();
}
