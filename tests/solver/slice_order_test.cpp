// Cutting tasks into slices, linking them and ranking the waves of the solve order.

#include "Common.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "SliceOrder.h"
#include "SolverFixture.h"
#include "TestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QStringList>

namespace {

// A slice as "task:from-to", e.g. "1:0-50".
QString Name(const Yslice* slice) {
  return QStringLiteral("%1:%2-%3").arg(slice->Task->TaskID()).arg(slice->FromPercent).arg(slice->ToPercent);
}

QStringList Names(const QList<Yslice*>& slices) {
  QStringList names;
  for (const Yslice* slice : slices) names.append(Name(slice));
  return names;
}

// The chain of a task's slices, first to last.
QStringList ChainOf(const Ytask* task) {
  QStringList names;
  for (const Yslice* slice = Solve::FirstSlice(task); slice != nullptr;) {
    names.append(Name(slice));
    const Yslice* next = slice->ForwardList.isEmpty() ? nullptr : slice->ForwardList.last();
    slice = next != nullptr && next->Task == task ? next : nullptr;
  }
  return names;
}

// The waves of the order: slices whose predecessors all came in earlier waves share one.
QList<QStringList> Waves() {
  QHash<const Yslice*, int> waveOf;
  QList<QStringList> waves;
  for (const Yslice* slice : Solve::SliceList()) {
    int wave = 0;
    for (const Yslice* predecessor : slice->BackwardList) wave = std::max(wave, waveOf.value(predecessor) + 1);
    waveOf.insert(slice, wave);
    if (waves.size() <= wave) waves.resize(wave + 1);
    waves[wave].append(Name(slice));
  }
  return waves;
}

class SliceOrderTest : public SolverTest {
 protected:
  void SetUp() override {
    SolverTest::SetUp();
    a = AddTask(1, 600);
    b = AddTask(2, 600);
    StartAt(a, At(0, 8));
  }
  Ytask* a = nullptr;
  Ytask* b = nullptr;
};

TEST_F(SliceOrderTest, DependencyPercentagesCutAndLinkTheSlices) {
  struct Case {
    const char* name;
    int from;
    int to;
    QStringList chainA;
    QStringList chainB;
    QList<QStringList> waves;
  };
  const QList<Case> cases = {
      {"halfway through A, then B starts", 50, 0, {"1:0-50", "1:50-100"}, {"2:0-100"},
       {{"1:0-50"}, {"1:50-100", "2:0-100"}}},
      {"A finished, then B goes beyond 30 %", 100, 30, {"1:0-100"}, {"2:0-30", "2:30-100"},
       {{"1:0-100", "2:0-30"}, {"2:30-100"}}},
      {"A started, then B starts", 0, 0, {"1:0-0", "1:0-100"}, {"2:0-100"},
       {{"1:0-0"}, {"1:0-100", "2:0-100"}}},
      {"A finished, then B finishes", 100, 100, {"1:0-100"}, {"2:0-100", "2:100-100"},
       {{"1:0-100", "2:0-100"}, {"2:100-100"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Depend(b, a, c.from, c.to);
    StartAt(b, At(0, 8));
    OrderOnly();
    EXPECT_EQ(ChainOf(a), c.chainA);
    EXPECT_EQ(ChainOf(b), c.chainB);
    EXPECT_EQ(Waves(), c.waves);
    EXPECT_EQ(Solve::SliceList().size(), Solve::AllSlices().size());
    while (!b->DependencyList.IsEmpty()) {
      Ydependency* gone = b->DependencyList.First();
      Common::FreeY(gone);
    }
  }
}

TEST_F(SliceOrderTest, TwoDependenciesAtOnePercentageCutOnce) {
  StartAt(b, At(0, 8));
  Depend(b, a, 100, 40);
  Depend(b, a, 100, 40);
  OrderOnly();
  EXPECT_EQ(ChainOf(b), (QStringList{"2:0-40", "2:40-100"}));
}

TEST_F(SliceOrderTest, CaptionShowsTheShareOnlyForAPartOfTheTask) {
  project->Description = QStringLiteral("Plant");
  Depend(b, a, 100, 40);
  StartAt(b, At(0, 8));
  OrderOnly();
  EXPECT_EQ(Solve::FirstSlice(a)->BuildNodeText(), QStringLiteral("(Main: Plant) 1: Task 1"));
  EXPECT_EQ(Solve::FindFromSlice(b, 40)->BuildNodeText(), QStringLiteral("40% to 100% of (Main: Plant) 2: Task 2"));
}

TEST_F(SolverTest, WavesRankByPriorityThenNameAsTextThenTaskId) {
  Yproject* alpha = AddProject(QStringLiteral("Alpha"), QStringLiteral("2"));
  Yproject* beta = AddProject(QStringLiteral("Beta"), QStringLiteral("10"));
  Yproject* gamma = AddProject(QStringLiteral("Gamma"), QStringLiteral("2"));
  for (Yproject* owner : {alpha, beta, gamma}) StartAt(AddTask(1, 60, -60, owner), At(0, 8));
  // Within "Main", task 3 is released before task 2 (most recently linked successor first).
  project->SetPriority(QStringLiteral("0"));
  Ytask* first = AddTask(1, 60);
  StartAt(first, At(0, 8));
  Depend(AddTask(2, 60), first);
  Depend(AddTask(3, 60), first);
  OrderOnly();
  QStringList order;
  for (const Yslice* slice : Solve::SliceList()) {
    order.append(slice->Task->Project()->ProjectName() + QLatin1Char(' ') + QString::number(slice->Task->TaskID()));
  }
  EXPECT_EQ(order, (QStringList{"Gamma 1", "Alpha 1", "Beta 1", "Main 1", "Main 2", "Main 3"}));
}

// The order is that of inserting each released slice at its ranked place in its wave; the ranked
// sort must give exactly that on a large mixed set.
TEST_F(SolverTest, OrderEqualsRankedInsertionOnAGeneratedSet) {
  Common::FreeAllMemory();
  generator::WorkloadSize size;
  size.tasks = 900;
  size.resources = 20;
  size.tasksPerProject = 100;
  size.seed = 7;
  const generator::Workload workload = generator::GenerateWorkload(size);
  const QStringList priorities = {"9", "10", "2", "10", "1", "9", "b", "B", "10"};
  for (int i = 0; i < workload.projects.size(); ++i) workload.projects.at(i)->SetPriority(priorities.value(i));
  OrderOnly();

  // The reference: the waves rebuilt from the links, each slice inserted before the first entry
  // it ranks before.
  QHash<const Yslice*, int> waiting;
  for (const Yslice* slice : Solve::AllSlices()) {
    for (const Yslice* successor : slice->ForwardList) waiting[successor] += 1;
  }
  QList<Yslice*> ready;
  const auto addReady = [&](Yslice* slice) {
    qsizetype at = 0;
    while (at < ready.size() && !Solve::RanksBefore(*slice, *ready.at(at))) ++at;
    ready.insert(at, slice);
  };
  for (Yslice* slice : Solve::AllSlices()) {
    if (waiting.value(slice) == 0) addReady(slice);
  }
  QList<Yslice*> expected;
  while (!ready.isEmpty()) {
    const QList<Yslice*> wave = ready;
    ready.clear();
    for (Yslice* slice : wave) {
      expected.append(slice);
      for (Yslice* successor : slice->ForwardList) {
        if (--waiting[successor] == 0) addReady(successor);
      }
    }
  }
  ASSERT_EQ(Solve::SliceList().size(), Solve::AllSlices().size());
  EXPECT_EQ(Names(Solve::SliceList()), Names(expected));
  EXPECT_TRUE(Solve::SliceList() == expected);
}

TEST_F(SolverTest, SubprojectTasksAllComeBeforeTheTaskThatStandsForIt) {
  Yproject* child = AddProject(QStringLiteral("Child"));
  for (int id = 1; id <= 3; ++id) StartAt(AddTask(id, 60, -60, child), At(0, 8));
  Ytask* standing = AddTask(1, 0);
  standing->SetSubproject(child);
  OrderOnly();
  const Yslice* slice = Solve::FirstSlice(standing);
  EXPECT_EQ(slice->BackwardList.size(), 3);
  EXPECT_EQ(Solve::SliceList().last(), slice);
}

TEST_F(SolverTest, ACycleLeavesItsSlicesAndThoseAfterItOutOfTheOrder) {
  Ytask* a = AddTask(1, 60);
  Ytask* b = AddTask(2, 60);
  Ytask* c = AddTask(3, 60);
  StartAt(a, At(0, 8));
  Depend(a, b);
  Depend(b, a);
  Depend(c, b);
  OrderOnly();
  EXPECT_TRUE(Solve::SliceList().isEmpty());
  const Yslice* onCycle = Solve::SliceOnCycle();
  ASSERT_NE(onCycle, nullptr);
  EXPECT_NE(onCycle->Task, c);
}

TEST_F(SolverTest, NewOrderingReturnsEverySliceOfThePreviousOneToThePool) {
  Ytask* a = AddTask(1, 60);
  Ytask* b = AddTask(2, 60);
  Depend(a, b);
  Depend(b, a);  // a cycle: its slices are never ordered
  OrderOnly();
  const QList<Yslice*> previous = Solve::AllSlices();
  ASSERT_EQ(previous.size(), 2);
  OrderOnly();
  for (const Yslice* slice : previous) EXPECT_TRUE(slice->IsFree() || Solve::AllSlices().contains(slice));
}

}  // namespace
