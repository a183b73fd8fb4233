// Iterations run in worker processes: outcomes come back in iteration order, a worker that stops
// or fails hands the rest back to the caller, and a risk analysis gives the same results with one
// process and with several.

#include "AnalysisFixture.h"
#include "AnalysisWorkers.h"
#include "Common.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "Prompter.h"
#include "Random.h"
#include "RiskAnalysis.h"
#include "SolveState.h"

#include <gtest/gtest.h>

#include <QList>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace {

using Solve::IterationOutcome;

// Counts the iterations run in this process.
int touchedHere = 0;

struct WorkerCase {
  const char* name;
  int workers;
  int failAt;        // 0: no iteration fails
  int (*fail)(int);  // how iteration failAt fails in its worker
  int firstLeft;     // the first iteration handed back
};

int StopShort(int) { return 0; }
int AskTheUser(int) {
  return praxel::CurrentPrompter().MsgBox(QStringLiteral("Overflow"), praxel::MsgAbortRetryIgnore, QStringLiteral("Internal Error"));
}
int Die(int) { ::_exit(3); }

class RunIterations : public testing::TestWithParam<WorkerCase> {};

TEST_P(RunIterations, DeliverInIterationOrderUpToTheFirstNotCompleted) {
  const WorkerCase& c = GetParam();
  testsupport::ScriptedPrompter prompter;
  touchedHere = 0;
  std::vector<std::int32_t> delivered;
  std::vector<double> finishes;
  const std::int32_t left = Solve::RunIterationsInWorkers(
      3, 14, c.workers,
      [&](std::int32_t k, IterationOutcome& outcome) {
        ++touchedHere;
        if (k == c.failAt) return c.fail(k) != 0;
        // Later iterations of a worker take longer, so outcomes arrive out of order.
        ::usleep(static_cast<useconds_t>((k % 3) * 2000));
        outcome.finish = k * 1.5;
        outcome.cost = praxel::Currency::FromTicks(k * 7);
        return true;
      },
      [&](std::int32_t k, const IterationOutcome& outcome) {
        delivered.push_back(k);
        finishes.push_back(outcome.finish);
        EXPECT_EQ(outcome.cost.Ticks(), k * 7);
      },
      [] { return true; });

  EXPECT_EQ(left, c.firstLeft);
  std::vector<std::int32_t> expected;
  for (std::int32_t k = 3; k < c.firstLeft; ++k) expected.push_back(k);
  EXPECT_EQ(delivered, expected);
  for (std::size_t i = 0; i < finishes.size(); ++i) EXPECT_EQ(finishes[i], delivered[i] * 1.5);
  EXPECT_EQ(touchedHere, 0) << "every iteration ran in a copy of this process";
  EXPECT_TRUE(prompter.Asked().isEmpty()) << "a worker never asks the user";
}

INSTANTIATE_TEST_SUITE_P(
    Workers, RunIterations,
    testing::Values(WorkerCase{"AllComplete", 3, 0, nullptr, 15}, WorkerCase{"MoreWorkersThanIterations", 40, 0, nullptr, 15},
                    WorkerCase{"OneStopsShort", 3, 9, StopShort, 9}, WorkerCase{"OneAsksTheUser", 4, 5, AskTheUser, 5},
                    WorkerCase{"OneDies", 2, 4, Die, 4}),
    [](const testing::TestParamInfo<WorkerCase>& info) { return std::string(info.param.name); });

TEST(RunIterationsHere, OneWorkerOrOneIterationLeavesEverythingToTheCaller) {
  int runs = 0;
  const auto iterate = [&](std::int32_t, IterationOutcome&) { return ++runs > 0; };
  const auto deliver = [](std::int32_t, const IterationOutcome&) {};
  const auto wait = [] { return true; };
  EXPECT_EQ(Solve::RunIterationsInWorkers(1, 10, 1, iterate, deliver, wait), 1);
  EXPECT_EQ(Solve::RunIterationsInWorkers(4, 4, 8, iterate, deliver, wait), 4);
  EXPECT_EQ(runs, 0);
}

TEST(RunIterationsHere, AFailureWhileDeliveringLeavesNoWorkerBehind) {
  const auto iterate = [](std::int32_t, IterationOutcome&) {
    ::usleep(20000);
    return true;
  };
  const auto deliver = [](std::int32_t k, const IterationOutcome&) {
    if (k == 2) throw std::runtime_error("the user chose Abort");
  };
  EXPECT_THROW(Solve::RunIterationsInWorkers(1, 40, 3, iterate, deliver, [] { return true; }), std::runtime_error);
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD) << "every worker was ended and reaped";
}

TEST(RunIterationsHere, TheWorkerCountCanBeForced) {
  {
    const ForcedWorkers forced("3");
    EXPECT_EQ(Solve::AnalysisWorkerCount(), 3);
  }
  const ForcedWorkers notACount("0");
  EXPECT_GE(Solve::AnalysisWorkerCount(), 1) << "one per core";
}

// Two generated projects of 30 tasks sharing four resources, so bookings of one project push the
// other's; the active project's finish moves with every sample.
class RiskWorkersTest : public AnalysisTest {
 public:
  // The results of a run with the given number of processes, from the same solved schedule (a
  // solve keeps the calendar's splits of the passes before it) and the same draws.
  std::pair<std::vector<double>, std::vector<praxel::Currency>> Results(bool quick, const char* workers) {
    Common::FreeAllMemory();
    generator::GenerateWorkload({60, 4, 30, 3});
    EXPECT_EQ(SolveAll(), kComplete);
    const praxel::ScriptedUniform draws({0.61, 0.07, 0.93, 0.35, 0.48, 0.82, 0.19, 0.74, 0.02, 0.57, 0.3});
    const ForcedWorkers forced(workers);
    Solve::SetRiskIterations(24);
    Analyse([&] { Solve::RunRiskAnalysis(quick); });
    return {Solve::RiskFinishDates(), Solve::RiskCosts()};
  }
};

TEST_F(RiskWorkersTest, SeveralProcessesGiveTheResultsOfOne) {
  for (const bool quick : {false, true}) {
    const auto alone = Results(quick, "1");
    const auto shared = Results(quick, "3");
    EXPECT_EQ(shared.first, alone.first) << quick;
    EXPECT_EQ(shared.second, alone.second) << quick;
    // A plan whose finish does not move would hide a result taken from the wrong iteration.
    ASSERT_EQ(alone.first.size(), 25u);
    EXPECT_LT(alone.first[1], alone.first[24]) << quick;
    EXPECT_NE(alone.second[1], alone.second[24]) << quick;
  }
}

}  // namespace
