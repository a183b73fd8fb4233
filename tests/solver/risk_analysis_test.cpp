// The risk analysis: the normal quantiles, the table of deviates, the sampled schedules of both
// variants, the ordered results and the progress texts.

#include "AnalysisFixture.h"
#include "Random.h"
#include "RiskAnalysis.h"
#include "ResourceCalendar.h"
#include "RiskResults.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TestSupport.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslot.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {


std::vector<float> Block(int b, int n) {
  const std::vector<float>& table = Solve::PermuteTable();
  return {table.begin() + b * n, table.begin() + (b + 1) * n};
}

TEST(RiskQuantiles, FollowTheNormalDistributionOnBothTails) {
  const struct {
    float p;
    float z;
  } cases[] = {{0.25f, -0.6742f}, {0.75f, 0.6742f}, {0.005f, -2.5762f}, {0.995f, 2.5762f}, {0.5f, 0.0f}};
  for (const auto& c : cases) EXPECT_NEAR(Solve::PtoZ(c.p), c.z, 5e-5) << c.p;
  EXPECT_NEAR(Solve::PtoZ(0.5f), 0.0f, 1e-6);
}

// The results keep entry 0 apart and the sampled ones in order of finish, each cost with its
// finish; equal finishes stay in the order they came.
TEST(RiskResultsTable, KeepsTheSampledResultsInOrderOfFinish) {
  Solve::RiskResults results;
  results.Clear(5);
  results.RecordUnsampled(9.0, praxel::Currency::FromDouble(90));
  const double finishes[] = {3.0, 2.0, 3.0, 1.0};
  for (int i = 0; i < 4; ++i) results.RecordSampled(finishes[i], praxel::Currency::FromDouble(i + 1));
  EXPECT_EQ(results.FinishDates(), std::vector<double>({9.0, 1.0, 2.0, 3.0, 3.0, 0.0}));
  std::vector<double> costs;
  for (const praxel::Currency cost : results.Costs()) costs.push_back(cost.ToDouble());
  EXPECT_EQ(costs, std::vector<double>({90, 4, 2, 1, 3, 0}));

  results.RecordSampled(0.5, praxel::Currency());
  EXPECT_EQ(results.FinishDates()[1], 0.5);
  EXPECT_THROW(results.RecordSampled(4.0, praxel::Currency()), praxel::RuntimeError) << "more results than iterations";
}

// Three tasks of one slice each and the finish task: four blocks of deviates.
class PermuteTableTest : public AnalysisTest {
 public:
  void SetUp() override {
    AnalysisTest::SetUp();
    for (int id = 1; id <= 3; ++id) WorkTask(id, AddResource(id + 1), 480);
    CloseProject();
    ASSERT_EQ(SolveAll(), kComplete);
    ASSERT_EQ(Solve::SliceList().size(), 4);
  }
};

TEST_F(PermuteTableTest, BlockZeroHoldsTheStrataMidpoints) {
  Solve::SetRiskIterations(4);
  praxel::ScriptedUniform uniform({0.5});
  Solve::BuildPermuteTable();
  ASSERT_EQ(Solve::PermuteTable().size(), 16u);
  const std::vector<float> block = Block(0, 4);
  const float expected[] = {-1.1504f, -0.3182f, 0.3182f, 1.1504f};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(block[i], expected[i], 1e-4) << i;

  // One iteration: the midpoint of the whole distribution for every slice, with no shuffling.
  Solve::SetRiskIterations(1);
  const int drawn = uniform.Draws();
  Solve::BuildPermuteTable();
  for (const float z : Solve::PermuteTable()) EXPECT_NEAR(z, 0.0f, 1e-6);
  EXPECT_EQ(uniform.Draws(), drawn);
}

TEST_F(PermuteTableTest, FurtherBlocksAreSingleCycleShufflesOfBlockZero) {
  Solve::SetRiskIterations(4);
  {
    // Inside out: k = 1 takes r = 0, k = 2 r = 1, k = 3 r = 0.
    praxel::ScriptedUniform uniform({0.9, 0.5, 0.0});
    Solve::BuildPermuteTable();
    EXPECT_EQ(uniform.Draws(), 9) << "three numbers for each block after the first";
  }
  const std::vector<float> z = Block(0, 4);
  EXPECT_EQ(Block(1, 4), std::vector<float>({z[3], z[2], z[0], z[1]}));

  // With the program's generator: every block a permutation of block 0 that moves every entry
  // along one cycle, and a second table continues the sequence rather than repeating it.
  Solve::SetRiskIterations(50);
  Solve::BuildPermuteTable();
  const std::vector<float> midpoints = Block(0, 50);
  std::vector<std::vector<float>> first;
  for (int b = 1; b < 4; ++b) {
    const std::vector<float> block = Block(b, 50);
    first.push_back(block);
    std::vector<int> next(50);  // position i holds the value of position next[i] of block 0
    for (int i = 0; i < 50; ++i) {
      next[i] = static_cast<int>(std::find(midpoints.begin(), midpoints.end(), block[i]) - midpoints.begin());
      ASSERT_LT(next[i], 50);
    }
    int length = 0;
    int at = 0;
    do {
      at = next[at];
      ++length;
    } while (at != 0 && length <= 50);
    EXPECT_EQ(length, 50) << "block " << b;
  }
  Solve::BuildPermuteTable();
  EXPECT_NE(Block(1, 50), first[0]);
  EXPECT_EQ(Block(0, 50), midpoints);
}

// One task of 16 hours (8 to 32 hours) for the worker, from Monday 08:00: a single slice, whose
// deviates are block 0 in rising order.
class RiskTest : public AnalysisTest {
 public:
  void SetUp() override {
    AnalysisTest::SetUp();
    task = WorkTask(1, worker, 960, 480, 1920);
    ASSERT_EQ(SolveAll(), kComplete);
    ASSERT_EQ(Solve::SliceList().size(), 1);
  }
  void Run(bool quick, int iterations) {
    Solve::SetRiskIterations(iterations);
    Analyse([&] { Solve::RunRiskAnalysis(quick); });
  }
  Ytask* task = nullptr;
};

TEST_F(RiskTest, FourDetailedIterationsBookTheStrataOfTheEstimates) {
  Run(false, 4);
  // z = −1.1504, −0.3182, 0.3182, 1.1504 give 776, 909, 1062 and 1328 minutes of work.
  QStringList finishes;
  for (const double finish : Solve::RiskFinishDates()) finishes << When(finish);
  EXPECT_EQ(finishes, QStringList({QStringLiteral("Tue 17:00"), QStringLiteral("Tue 13:56"), QStringLiteral("Tue 16:09"),
                                   QStringLiteral("Wed 09:42"), QStringLiteral("Wed 15:08")}));
  std::vector<double> costs;
  for (const praxel::Currency cost : Solve::RiskCosts()) costs.push_back(cost.ToDouble());
  EXPECT_EQ(costs, std::vector<double>({640, 517.3333, 606, 708, 885.3333}));
  EXPECT_EQ(Solve::RiskIteration(), 4);

  EXPECT_EQ(recorder.StatusTexts(), QStringList({QStringLiteral("Risk solve in progress"), QString()}));
  EXPECT_EQ(recorder.Pumps(), 0) << "the analysis state lets no window message run";
  EXPECT_TRUE(recorder.Messages(QStringLiteral("Solving")).isEmpty());
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00")) << "the closing solve is unsampled";
}

// Estimates near the largest a task holds are sampled and dated: a slice's share of them never
// overflows.
TEST_F(RiskTest, EstimatesNearTheLargestAreSampled) {
  constexpr std::int32_t kMinutes = 21474837;  // a hundred times this is past the largest whole number
  task->SetEffortUnits(1440);
  task->SetOptimistic(kMinutes);
  task->SetMostLikely(kMinutes);
  task->SetPessimistic(kMinutes);
  project->SetDirty(true);
  ASSERT_EQ(SolveAll(), kComplete);
  const double start = task->EarlyStart();
  Run(false, 2);
  const std::vector<double> finishes = Solve::RiskFinishDates();
  ASSERT_EQ(finishes.size(), 3u);
  for (const double finish : finishes) EXPECT_NEAR(finish - start, kMinutes / 1440.0, 1.0);
}

TEST_F(RiskTest, FourQuickIterationsScaleTheSolvedDurationAndCost) {
  Run(true, 4);
  // The solved 33 hours and 640 scaled by 776, 909, 1062 and 1328 over 960, with no regard to
  // working time.
  const double hours[] = {33, 26.675, 31.246875, 36.50625, 45.65};
  ASSERT_EQ(Solve::RiskFinishDates().size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR((Solve::RiskFinishDates()[i] - At(0, 8)) * 24, hours[i], 1e-6) << i;
  std::vector<double> costs;
  for (const praxel::Currency cost : Solve::RiskCosts()) costs.push_back(cost.ToDouble());
  EXPECT_EQ(costs, std::vector<double>({640, 517.3333, 606, 708, 885.3333}));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeRequested);
}

// A cost near the largest amount is scaled exactly: its product with the sampled minutes is past
// 64 bits, the scaled cost is not.
TEST_F(RiskTest, QuickIterationsScaleACostNearTheLargest) {
  worker->SetBurdenedRate(praxel::Currency::FromDouble(1e11));
  project->SetDirty(true);
  ASSERT_EQ(SolveAll(), kComplete);
  const praxel::Currency solved = task->LaborCost();
  ASSERT_GT(static_cast<double>(solved.Ticks()) * 1328, 9.3e18);
  Run(true, 4);
  const std::vector<praxel::Currency> costs = Solve::RiskCosts();
  ASSERT_EQ(costs.size(), 5u);
  const int sampled[] = {776, 909, 1062, 1328};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(costs[i + 1].ToDouble(), solved.ToDouble() * sampled[i] / 960, 1.0) << i;
  }
}

TEST_F(RiskTest, OneIterationSamplesTheMostLikelyEstimates) {
  for (const bool quick : {false, true}) {
    Run(quick, 1);
    ASSERT_EQ(Solve::RiskFinishDates().size(), 2u);
    EXPECT_EQ(When(Solve::RiskFinishDates()[1]), QStringLiteral("Tue 17:00")) << quick;
    EXPECT_EQ(Solve::RiskCosts()[1], Solve::RiskCosts()[0]) << quick;
    ASSERT_EQ(SolveAll(), kComplete);
  }
}

// Each pass books other lengths of work and unbooking keeps the splits, so the analysis gives every
// pass fresh calendar days; else each day's chain of slots, and the time of a pass, would grow
// with the iterations.
TEST_F(RiskTest, PassesDoNotPileUpSplitsInTheCalendar) {
  const ForcedWorkers here("1");  // the passes run in this process, on its calendar
  Run(false, 40);
  int pieces = 0;
  for (const Yslot* slot = Solve::FindSlot(*worker, At(1, 0)); slot != nullptr; slot = slot->NextSlot) ++pieces;
  EXPECT_LE(pieces, 8) << "Tuesday: the shift's six runs and the last pass's one split";
}

TEST_F(RiskTest, ProgressShowsEachPercentOnceBelowAHundred) {
  Run(true, 100);
  QStringList expected{QStringLiteral("Risk 0% ...")};
  for (int percent = 1; percent <= 99; ++percent) expected << QStringLiteral("Risk %1% ...").arg(percent);
  EXPECT_EQ(recorder.Messages(QStringLiteral("Risk")), expected);
}

// A task dated by its dependencies alone has no most likely estimate to scale by: the quick
// variant keeps its solved duration (here all of Monday) whatever its sampled minutes.
TEST_F(RiskTest, ATaskWithoutAMostLikelyEstimateKeepsItsDuration) {
  Ytask* wait = AddTask(2, 0, 0);
  wait->SetPessimistic(600);
  StartAt(wait, At(0, 0));
  CloseProject();
  task->SetMostLikely(480);
  task->SetOptimistic(480);
  task->SetPessimistic(480);
  project->SetDirty(true);
  ASSERT_EQ(SolveAll(), kComplete);
  ASSERT_EQ(When(wait->EarlyFinish()), QStringLiteral("Tue 00:00"));
  Run(true, 4);
  for (const double finish : Solve::RiskFinishDates()) EXPECT_EQ(When(finish), QStringLiteral("Tue 00:00"));
}

}  // namespace
