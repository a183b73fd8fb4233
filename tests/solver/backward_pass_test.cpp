// The backward pass: late dates against the family's planned finish, offsets mirrored.

#include "BackwardPass.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "SolverFixture.h"
#include "TestSupport.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

namespace {

// Dates set by hand on an ordered model, so each case states its own early dates in plain days.
class BackwardPassTest : public SolverTest {
 public:
  // The task's only slice and the task itself get these early dates.
  void Dates(Ytask* task, double start, double finish) {
    task->SetEarlyStart(start);
    task->SetEarlyFinish(finish);
    for (Yslice* slice : Solve::SliceList()) {
      if (slice->Task != task) continue;
      slice->EarlyStart = start;
      slice->EarlyFinish = finish;
    }
  }
  void Reverse() {
    Solve::SetSolveMode(Solve::ModeSolving);
    Solve::ReverseSolve();
    Solve::SetSolveMode(Solve::ModeIdle);
  }
  double LateFinishOf(const Ytask* task) { return Solve::FindToSlice(task, 100)->LateFinish; }
};

TEST_F(BackwardPassTest, APredecessorMustFinishByEachSuccessorsLateStartLessTheOffset) {
  Ytask* a = AddTask(1, 0);
  Ytask* b = AddTask(2, 0);
  Ytask* c = AddTask(3, 0);
  StartAt(a, 1);
  Depend(b, a);
  Depend(c, a, 100, 0, 2.0);
  OrderOnly();
  Dates(a, 1, 5);
  Dates(b, 20, 30);  // the project's finish: day 30
  Dates(c, 10, 22);
  Reverse();
  EXPECT_DOUBLE_EQ(LateFinishOf(b), 30) << "nothing waits for it: the target finish";
  EXPECT_DOUBLE_EQ(b->LateStart(), 20);
  EXPECT_DOUBLE_EQ(c->LateStart(), 18);
  EXPECT_DOUBLE_EQ(a->LateFinish(), 16);
  EXPECT_DOUBLE_EQ(a->LateStart(), 12);
}

TEST_F(BackwardPassTest, ANegativeOffsetLetsThePredecessorFinishLaterButNotPastTheTarget) {
  Ytask* a = AddTask(1, 0);
  Ytask* b = AddTask(2, 0);
  StartAt(a, 1);
  Depend(b, a, 100, 0, -1.0);
  OrderOnly();
  Dates(a, 1, 5);
  Dates(b, 20, 25);
  Reverse();
  EXPECT_DOUBLE_EQ(a->LateFinish(), 21);
  Dates(b, 20, 20.5);
  Reverse();
  EXPECT_DOUBLE_EQ(a->LateFinish(), 20.5);
}

TEST_F(BackwardPassTest, ATaskInSlicesTakesItsLateDatesFromItsFirstAndLastSlice) {
  Ytask* task = AddTask(1, 0);
  StartAt(task, 1);
  StartAt(task, 1)->SetToPercent(30);
  StartAt(task, 1)->SetToPercent(60);
  Ytask* longer = AddTask(2, 0);
  StartAt(longer, 1);
  OrderOnly();
  const double starts[] = {1, 2, 3};
  int i = 0;
  for (Yslice* slice : Solve::SliceList()) {
    if (slice->Task != task) continue;
    slice->EarlyStart = starts[i];
    slice->EarlyFinish = starts[i] + 1;
    ++i;
  }
  task->SetEarlyStart(1);
  task->SetEarlyFinish(4);
  Dates(longer, 1, 10);
  Reverse();
  EXPECT_DOUBLE_EQ(task->LateStart(), 7);
  EXPECT_DOUBLE_EQ(task->LateFinish(), 10);
}

TEST_F(BackwardPassTest, AnEarlierPlanJournalGivesNegativeFloat) {
  Ytask* task = AddTask(1, 0);
  StartAt(task, 1);
  OrderOnly();
  Dates(task, 1, 5);  // in the plan journal
  staff->AddJournal(At(7, 0));
  project->AddJournal(At(7, 0));
  ASSERT_EQ(project->PlanIndex, 0);
  Dates(task, 1, 8);  // in the current journal
  Reverse();
  EXPECT_DOUBLE_EQ(task->LateFinish(), 5);
  EXPECT_DOUBLE_EQ(task->LateStart(), -2);
}

TEST_F(BackwardPassTest, OnlyAnIncludedDependencyWithTheseExactPercentagesGivesItsOffset) {
  Ytask* required = AddTask(1, 0);
  Ytask* dependent = AddTask(2, 0);
  Ydependency* dependency = Depend(dependent, required, 100, 0, 2.0);
  EXPECT_DOUBLE_EQ(Solve::FindOffset(required, 100, dependent, 0), 2.0);
  EXPECT_DOUBLE_EQ(Solve::FindOffset(required, 50, dependent, 0), 0.0);
  EXPECT_DOUBLE_EQ(Solve::FindOffset(required, 100, dependent, 30), 0.0);
  EXPECT_DOUBLE_EQ(Solve::FindOffset(dependent, 100, required, 0), 0.0);
  staff->AddJournal(At(7, 0));
  project->AddJournal(At(7, 0));
  dependency->SetInclude(false);
  EXPECT_DOUBLE_EQ(Solve::FindOffset(required, 100, dependent, 0), 0.0);
}

TEST_F(SolverTest, TheCriticalChainHasNoFloatAndAStandingTaskTakesItsSubprojectsDates) {
  Yresource* resource = AddResource(1);
  Yproject* child = AddProject(QStringLiteral("Child"));
  Ytask* design = AddTask(1, 480, -60, child);
  StartAt(design, At(0, 8));
  Assign(design, resource);
  Ytask* standing = AddTask(1, 0);
  standing->SetSubproject(child);
  Ytask* build = AddTask(2, 240);
  Depend(build, standing);
  Assign(build, resource);
  Ytask* side = AddTask(3, 60);
  StartAt(side, At(0, 8));
  Assign(side, AddResource(2));
  CloseProject();
  ASSERT_EQ(SolveAll(), QStringLiteral("Solve complete"));
  EXPECT_EQ(When(build->LateFinish()), When(build->EarlyFinish()));
  EXPECT_EQ(When(build->EarlyFinish()), QStringLiteral("Tue 12:00"));
  EXPECT_EQ(When(design->LateFinish()), When(design->EarlyFinish()));
  EXPECT_EQ(When(side->LateFinish()), QStringLiteral("Tue 12:00"));
  EXPECT_EQ(standing->LateStart(), child->LateStart());
  EXPECT_EQ(standing->LateFinish(), child->LateFinish());
}

}  // namespace
