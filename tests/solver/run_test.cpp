// A whole solve run: its checks, its steps and polls, how it ends, and the headless road.

#include "Common.h"
#include "HeadlessSolve.h"
#include "ScheduleReport.h"
#include "Poll.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "ShortDate.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "SolverFixture.h"
#include "TestSupport.h"
#include "TrySolve.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

namespace {


class RunTest : public OneTaskTest {
 public:
  // Gives the project and the template a second journal, a week later, and makes it current, so
  // that objects can be left out of it.
  void SecondJournal() {
    staff->AddJournal(At(7, 0));
    project->AddJournal(At(7, 0));
  }
};

TEST_F(SolverTest, WithNoProjectTheRunCompletesAtOnce) {
  Common::FreeAllMemory();
  EXPECT_EQ(SolveAll(), QStringLiteral("No projects loaded"));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_EQ(host.Broadcasts(), 1);
}

TEST_F(RunTest, ACompletedRunBroadcastsOnce) {
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeIdle);
  EXPECT_EQ(host.Broadcasts(), 1);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
}

// A plan journal that was never solved has no finish: the late dates are measured against the
// finish solved just now rather than against day 0.
TEST_F(RunTest, APlanJournalNeverSolvedLeavesLateDatesAtTheCurrentFinish) {
  SecondJournal();
  project->PlanIndex = 0;  // the first journal, which no solve has dated
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
  EXPECT_DOUBLE_EQ(task->LateFinish(), task->EarlyFinish());
  EXPECT_DOUBLE_EQ(task->LateStart(), task->EarlyStart());
}

TEST_F(RunTest, ProjectsOnDifferentJournalsDoNotSolve) {
  Yproject* other = AddProject(QStringLiteral("Other"));
  other->AddJournal(At(1, 0));
  EXPECT_EQ(SolveAll(), QStringLiteral("Journal sync error: project Other is at the journal of %1, not %2")
                           .arg(praxel::ShortDateText(At(1, 0)), praxel::ShortDateText(project->Journal())));
  EXPECT_EQ(Solve::SolveErrorObject(), nullptr);
  EXPECT_EQ(staff->NumJournals, 1);
  EXPECT_EQ(host.Broadcasts(), 0);
}

TEST_F(RunTest, TemplatesFollowTheProjectsJournal) {
  project->AddJournal(At(7, 0));
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(staff->NumJournals, 2);
  EXPECT_EQ(staff->Journal(), At(7, 0));
}

TEST_F(RunTest, EveryIncludedTaskNeedsAStartDependency) {
  Ytask* loose = AddTask(2, 60);
  Assign(loose, resource);
  StartAt(loose, At(0, 8))->SetToPercent(50);
  EXPECT_EQ(SolveAll(), QStringLiteral("Missing to-start dependency"));
  EXPECT_EQ(Solve::SolveErrorObject(), loose);

  SecondJournal();
  loose->SetInclude(false);
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), kComplete) << "an excluded task is not checked";
}

TEST_F(RunTest, EffortNeedsAnAssignmentWithHours) {
  Ytask* other = AddTask(2, 0);
  StartAt(other, At(0, 8));
  CloseProject();
  EXPECT_EQ(SolveAll(), kComplete) << "no effort, no resources needed";
  other->SetMostLikely(60);
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Effort without resources"));
  EXPECT_EQ(Solve::SolveErrorObject(), other);
  Assign(other, resource, 0);
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Effort without resources"));
}

TEST_F(RunTest, ADependencyOnASubprojectTaskStartsAtItsStartOrFinish) {
  Yproject* child = AddProject(QStringLiteral("Child"));
  StartAt(AddTask(1, 0, -60, child), At(0, 8));
  Ytask* standing = AddTask(2, 0);
  standing->SetSubproject(child);
  Ydependency* dependency = Depend(task, standing, 50, 0);
  CloseProject();
  EXPECT_EQ(SolveAll(), QStringLiteral("must be either 0% or 100%"));
  EXPECT_EQ(Solve::SolveErrorObject(), dependency);
  for (const int from : {0, 100}) {
    dependency->SetFromPercent(from);
    project->SetDirty(true);
    EXPECT_EQ(SolveAll(), kComplete) << from;
  }
}

TEST_F(RunTest, ASubprojectBelongsToTheProjectOfItsStandingTask) {
  Yproject* child = AddProject(QStringLiteral("Child"));
  StartAt(AddTask(1, 0, -60, child), At(0, 8));
  Ytask* standing = AddTask(2, 0);
  standing->SetSubproject(child);
  child->SetParent(AddProject(QStringLiteral("Boss")));
  EXPECT_EQ(SolveAll(), QStringLiteral("Subproject Child is claimed by project Boss, not by (Main) ") +
                           standing->BuildNodeText());
  EXPECT_EQ(Solve::SolveErrorObject(), standing);

  child->SetParent(nullptr);
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Subproject Child is claimed by no project, not by (Main) ") +
                           standing->BuildNodeText());
}

// A project that is its own parent, at once or through another, is named.
TEST_F(RunTest, AProjectThatIsItsOwnParentIsNamed) {
  Yproject* child = AddProject(QStringLiteral("Child"));
  child->SetParent(child);
  EXPECT_EQ(SolveAll(), QStringLiteral("Project Child is its own parent"));
  child->SetParent(project);
  project->SetParent(child);
  EXPECT_EQ(SolveAll(), QStringLiteral("Project Main is its own parent through project Child"));
}

// A project that loaded projects name but no loaded file holds is named.
TEST_F(RunTest, ADependencyOnAProjectNoFileHoldsNamesIt) {
  Depend(task, Common::FindOrCreateProject(QStringLiteral("Elsewhere"))->FindOrCreateTask(4));
  EXPECT_EQ(SolveAll(), QStringLiteral("Project Elsewhere is not loaded: loaded projects name it, but no loaded file "
                                       "holds it"));
}

// An assignment to a resource that no loaded template holds stops the solve, naming the resource;
// the placeholder stays as it was.
TEST_F(RunTest, AnAssignmentToAResourceNoTemplateHoldsNamesIt) {
  Yresource* missing = Common::FindOrCreateTemplate(QStringLiteral("Crew"))->FindOrCreateResource(9);
  Yassignment* onMissing = Assign(task, missing);
  EXPECT_EQ(SolveAll(), QStringLiteral("Resource 9 of template Crew, assigned to (Main) ") + task->BuildNodeText() +
                           QStringLiteral(", is not loaded"));
  EXPECT_EQ(Solve::SolveErrorObject(), onMissing);
  EXPECT_EQ(missing->Description, QStringLiteral("<stub>"));
}

TEST_F(RunTest, AFamilyMustEndInOneSlice) {
  Ytask* second = AddTask(2, 60);
  StartAt(second, At(0, 8));
  Assign(second, resource);
  EXPECT_EQ(SolveAll(), QStringLiteral("Dangling tasks"));
  QStringList dangling;
  for (const Yslice* slice : Solve::DanglingList()) dangling.append(slice->BuildNodeText());
  EXPECT_EQ(dangling, (QStringList{"(Main) 1: Task 1", "(Main) 2: Task 2"}));
  EXPECT_EQ(Solve::SolveErrorObject(), task);

  CloseProject();
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), kComplete);
}

TEST_F(RunTest, EachSliceWorksItsShareOfTheEstimate) {
  task->SetMostLikely(45);
  StartAt(task, At(0, 8))->SetToPercent(50);
  Ytask* other = AddTask(2, 45);
  StartAt(other, At(0, 8));
  StartAt(other, At(0, 8))->SetToPercent(30);
  Assign(other, resource);
  CloseProject();
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(Solve::FirstSlice(task)->UseMinutes, 22);   // 22.5, halves to even
  EXPECT_EQ(Solve::FirstSlice(other)->UseMinutes, 14);  // 13.5
  EXPECT_EQ(Solve::FindFromSlice(other, 30)->UseMinutes, 32);  // 31.5
}

TEST_F(RunTest, AnEditDuringAPollStartsTheRunOver) {
  int runs = 0;
  Solve::SetTrySolve([&] {
    ++runs;
    Solve::TrySolve();
  });
  bool edited = false;
  host.SetPumpHook([&] {
    if (!edited && Solve::SolveMessage().startsWith(QLatin1String("Solving "))) {
      edited = true;
      task->SetMostLikely(120);
      project->SetDirty(true);
    }
  });
  Solve::RestartSolve();
  host.RunTimer();
  EXPECT_EQ(Solve::SolveMessage(), kComplete);
  host.SetPumpHook(nullptr);
  EXPECT_TRUE(edited);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(host.Broadcasts(), 1);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Mon 10:00"));
}

// ---- Faults the run reports instead of crashing or keeping stale dates --------------------------

TEST_F(RunTest, ADependencyOnATaskThatIsNotScheduledIsReported) {
  Ytask* gone = AddTask(2, 60);
  StartAt(gone, At(0, 8));
  Assign(gone, resource);
  Ydependency* dependency = Depend(task, gone);
  SecondJournal();
  // Excluded from the second journal on, still in the first, with the dependency on it left
  // standing (as a file can hold it: deleting the task would take the dependency along).
  gone->SetInclude(false);
  ASSERT_FALSE(gone->IsFree());
  project->SetDirty(true);
  EXPECT_EQ(SolveAll(), QStringLiteral("Required task (Main) 2: Task 2 is excluded from the current journal"));
  EXPECT_EQ(Solve::SolveErrorObject(), dependency);
}

TEST_F(RunTest, ADependencyOnATaskOfAProjectNoLongerLoadedIsReported) {
  Yproject* closed = AddProject(QStringLiteral("Closed"));
  Ytask* elsewhere = AddTask(1, 0, -60, closed);
  StartAt(elsewhere, At(0, 8));
  Ydependency* dependency = Depend(task, elsewhere);
  closed->Delete();
  EXPECT_EQ(SolveAll(), QStringLiteral("Required task 1: Task 1 is in a project that is not loaded"));
  EXPECT_EQ(Solve::SolveErrorObject(), dependency);
}

// A task that waits for itself, with another task waiting for it, is a cycle like any other: the
// slice search must not follow the self-link for ever.
TEST_F(RunTest, ATaskWaitingForItselfWithASuccessorIsACycle) {
  Ytask* after = AddTask(2, 0);
  Depend(task, task);
  Depend(after, task);
  EXPECT_EQ(SolveAll().left(31), QStringLiteral("Circular dependencies through ("));
  EXPECT_EQ(Solve::SolveErrorObject(), task);

  // Also when a successor waits for half of it, which cuts it in two slices.
  after->DependencyList.First()->SetFromPercent(50);
  EXPECT_EQ(SolveAll().left(31), QStringLiteral("Circular dependencies through ("));
}

TEST_F(RunTest, ADependencyCycleIsReportedOnATaskOfTheCycle) {
  Ytask* b = AddTask(2, 0);
  Ytask* c = AddTask(3, 0);
  Ytask* after = AddTask(4, 0);
  Depend(b, task);
  Depend(c, b);
  Depend(b, c);
  Depend(after, c);
  EXPECT_EQ(SolveAll().left(31), QStringLiteral("Circular dependencies through ("));
  const Ypooled* onCycle = Solve::SolveErrorObject();
  EXPECT_TRUE(onCycle == b || onCycle == c);
  EXPECT_EQ(host.Broadcasts(), 0);
}

// ---- The headless road -------------------------------------------------------------------------

TEST_F(SolverTest, PollsPumpAtMostOncePerInterval) {
  Common::FreeAllMemory();
  generator::WorkloadSize size;
  size.tasks = 1000;
  size.resources = 20;
  generator::GenerateWorkload(size);
  Solve::SetPumpInterval(5);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_LE(host.Pumps(), clock.elapsed() / 5 + 2);
}

TEST_F(SolverTest, TheScheduleIsPrintedAsTheRecordFormatWritesIt) {
  Ytask* first = AddTask(1, 0);
  first->SetEarlyStart(At(0, 8));
  first->SetEarlyFinish(At(1, 13, 5));
  first->SetLateStart(At(0, 0));
  first->SetLateFinish(At(0, 12));
  first->SetLaborCost(praxel::Currency::FromDouble(1234.5));
  AddTask(2, 0)->SetLaborCost(praxel::Currency::FromDouble(0.25));
  Yproject* other = AddProject(QStringLiteral("Other"));
  AddTask(7, 0, -60, other)->SetLaborCost(praxel::Currency::FromDouble(-0.5));
  QString text;
  QTextStream out(&text);
  PrintSchedule(out, QStringLiteral("Solve complete"));
  out.flush();
  const QString none = QStringLiteral("12/30/1899 12:00am");
  EXPECT_EQ(text.split(QLatin1Char('\n')),
            (QStringList{"Solve complete",
                         "Main\t1\t01/01/2024 08:00am\t01/02/2024 01:05pm\t"
                         "01/01/2024 12:00am\t01/01/2024 12:00pm\t1234.5",
                         QStringList{"Main", "2", none, none, none, none, ".25"}.join(QLatin1Char('\t')),
                         QStringList{"Other", "7", none, none, none, none, "-.5"}.join(QLatin1Char('\t')), ""}));
}

TEST_F(RunTest, SolvingHeadlessLeavesTheHostAsItWas) {
  Solve::HeadlessSolverHost own;
  EXPECT_EQ(Solve::SolveHeadless(own), kComplete);
  EXPECT_EQ(&Solve::Host(), &host);
  EXPECT_EQ(own.Broadcasts(), 1);
}

}  // namespace
