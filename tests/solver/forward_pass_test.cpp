// The forward pass: effort booked day by day under the seven solve rules, calendar-time and
// dependency-dated tasks, subprojects, and the overage errors of the halting rules.

#include "CaseName.h"
#include "Common.h"
#include "ForwardPass.h"
#include "OleDate.h"
#include "Pool.h"
#include "ResourceCalendar.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "SolverFixture.h"
#include "TestSupport.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Yslice.h"
#include "Yslot.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <ostream>

namespace {


// The stretches of a day booked to the task, as "08:00-12:00" (type 9 stretches marked "*").
QStringList BookedOn(const Yresource& resource, double day, const Ytask* task) {
  QStringList stretches;
  for (const Yslot* slot = Solve::FindSlot(resource, day); slot != nullptr; slot = slot->NextSlot) {
    if (slot->TaskRequired() != task) continue;
    const QString end = slot->EndTime == std::floor(day) + 1 ? QStringLiteral("24:00") : When(slot->EndTime).mid(4);
    stretches.append(When(slot->StartTime).mid(4) + QLatin1Char('-') + end +
                     (slot->SlotType == Yslot::Overload ? QStringLiteral("*") : QString()));
  }
  return stretches;
}

class ForwardPassTest : public OneTaskTest {
 public:
  // Another project, ranked before "Main", whose task holds the resource's time first.
  Ytask* HoldFirst(int minutes, double hours = 8.0) {
    Yproject* other = AddProject(QStringLiteral("Other"));
    Ytask* holder = AddTask(1, minutes, -60, other);
    StartAt(holder, At(0, 8));
    Assign(holder, resource, hours);
    return holder;
  }
};

TEST_F(ForwardPassTest, ATeamDayThenAPiecemealDay) {
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyStart()), QStringLiteral("Mon 08:00"));
  EXPECT_EQ(BookedOn(*resource, At(0, 0), task), (QStringList{"08:00-12:00", "13:00-17:00"}));
  EXPECT_EQ(BookedOn(*resource, At(1, 0), task), (QStringList{"08:00-10:00"}));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
  EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(10 * 40));
}

// An estimate of any size the task holds is dated: its slices' shares of it never overflow.
TEST_F(ForwardPassTest, AnEstimateNearTheLargestIsDated) {
  task->SetEffortUnits(1440);
  task->SetMostLikely(21474837);  // a hundred times this is past the largest whole number
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_NEAR(task->EarlyFinish() - task->EarlyStart(), 21474837 / 1440.0, 1.0);
}

// A labour cost past the money range stops the solve naming the task and the resource, instead
// of an internal error.
TEST_F(ForwardPassTest, ACostPastTheMoneyRangeNamesTheTaskAndTheResource) {
  resource->SetBurdenedRate(praxel::Currency::FromDouble(9e14));
  const QString message = SolveAll();
  EXPECT_TRUE(message.startsWith(QStringLiteral("Cost out of range: (Main) 1: "))) << message.toStdString();
  EXPECT_TRUE(message.endsWith(QStringLiteral(" for ") + resource->BuildNodeText())) << message.toStdString();
  EXPECT_EQ(Solve::SolveErrorObject(), task);
}

TEST_F(ForwardPassTest, TimeHeldByAnEarlierTaskMeetsTheSolveRule) {
  struct Case {
    int rule;
    QString message;
    QString finish;
    QStringList monday;
  };
  const QList<Case> cases = {
      {0, QStringLiteral("Overtime needed"), QStringLiteral("Tue 00:00"), {"13:00-17:00"}},
      {1, kComplete, QStringLiteral("Tue 15:00"), {"13:00-17:00"}},
      {2, kComplete, QStringLiteral("Tue 10:00"), {"13:00-17:00", "17:00-21:00"}},
  };
  Ytask* holder = HoldFirst(240);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    project->SetSolveRules(c.rule);
    project->SetDirty(true);
    EXPECT_EQ(SolveAll(), c.message);
    EXPECT_EQ(BookedOn(*resource, At(0, 0), holder), (QStringList{"08:00-12:00"}));
    EXPECT_EQ(BookedOn(*resource, At(0, 0), task), c.monday);
    EXPECT_EQ(When(task->EarlyFinish()), c.finish);
  }
}

TEST_F(ForwardPassTest, TheHaltingRuleReportsTheOverage) {
  HoldFirst(240);
  project->SetSolveRules(0);
  EXPECT_EQ(SolveAll(), QStringLiteral("Overtime needed"));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeError);
  EXPECT_EQ(Solve::SolveErrorObject(), assignment);
  EXPECT_DOUBLE_EQ(Solve::OverageHoursRequested(), 8.0);
  EXPECT_DOUBLE_EQ(Solve::OverageHoursExcess(), 4.0);
  EXPECT_EQ(When(Solve::OverageDay()), QStringLiteral("Mon 08:00"));
  EXPECT_EQ(host.Broadcasts(), 0);

}

TEST_F(ForwardPassTest, EachHaltingRuleHasItsMessage) {
  // Normal time is held all day; sixteen hours asked: overtime and the time outside the shift
  // after the start cannot give them all.
  HoldFirst(480);
  assignment->SetHours(16);
  task->SetMostLikely(2000);
  struct Case {
    int rule;
    QString message;
    double booked;
  };
  const QList<Case> cases = {{0, QStringLiteral("Overtime needed"), 0},
                             {2, QStringLiteral("Overload detected"), 4},
                             {4, QStringLiteral("Overload > 24 hours"), 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    project->SetSolveRules(c.rule);
    project->SetDirty(true);
    EXPECT_EQ(SolveAll(), c.message);
    EXPECT_DOUBLE_EQ(Solve::OverageHoursRequested(), 16.0);
    EXPECT_DOUBLE_EQ(Solve::OverageHoursExcess(), c.booked);
  }
}

TEST_F(ForwardPassTest, OvertimeIsUsedOnlyAfterMeetingBookedTime) {
  assignment->SetHours(10);
  task->SetMostLikely(1200);
  project->SetSolveRules(2);
  EXPECT_EQ(SolveAll(), kComplete);
  for (int day = 0; day < 3; ++day) {
    for (const QString& stretch : BookedOn(*resource, At(day, 0), task)) {
      EXPECT_FALSE(stretch.startsWith(QLatin1String("17:00"))) << day;
    }
  }
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Wed 12:00"));
  EXPECT_EQ(task->LaborCost(), praxel::Currency::FromDouble(20 * 40));
}

TEST_F(ForwardPassTest, UnlimitedRuleCountsHeldMinutesAsDone) {
  project->SetSolveRules(6);
  OrderOnly();
  Yslice* slice = Solve::FirstSlice(task);
  // Every minute of Monday is held by another task.
  Ytask* holder = AddTask(2, 0);
  Yslice holding;
  holding.Task = holder;
  Solve::Allocate(*resource, holding, At(0, 0), 0.0, 1440, 4);
  task->SetEarlyFinish(At(0, 0));
  std::int32_t remaining = 1000;
  double dontGoBeyond = 0.0;
  Solve::SolveSomeMore(*slice, {resource}, remaining, dontGoBeyond);
  EXPECT_EQ(remaining, 1000 - 480);
  EXPECT_TRUE(BookedOn(*resource, At(0, 0), task).isEmpty());
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 00:00"));
}

TEST_F(ForwardPassTest, DaysTheAssignmentDoesNotWorkBookNothing) {
  task->DependencyList.First()->SetDepDate(At(5, 8));  // Saturday
  task->SetMostLikely(480);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyStart()), QStringLiteral("Sat 08:00"));
  EXPECT_EQ(Solve::FindSlot(*resource, At(5, 0)), nullptr);
  EXPECT_EQ(Solve::FindSlot(*resource, At(6, 0)), nullptr);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Mon 08 Jan 17:00"));
}

TEST_F(ForwardPassTest, HoursBecomeWholeMinutesRoundedHalfToEven) {
  task->SetMostLikely(1000);
  const QList<std::pair<double, int>> cases = {{7.5, 450}, {0.125, 8}, {0.375, 22}, {8, 480}};
  for (const auto& [hours, minutes] : cases) {
    SCOPED_TRACE(hours);
    assignment->SetHours(hours);
    project->SetSolveRules(1);
    project->SetDirty(true);
    SolveAll();
    EXPECT_EQ(Solve::CountMinutes(*resource, task, At(0, 0), At(0, 0)), minutes);
  }
}

TEST_F(ForwardPassTest, TwoAssignmentsOfOneResourceAddUp) {
  assignment->SetHours(4);
  Assign(task, resource, 4);
  task->SetMostLikely(960);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00"));
}

TEST_F(ForwardPassTest, ResourcesOfTwoTemplatesWithOneIdAreTwoMembers) {
  Ytemplate* crew = Common::NewY<Ytemplate>(ytTemplate);
  crew->SetTemplateName(QStringLiteral("Crew"));
  crew->AddJournal(At(0, 0));
  crew->FindOrCreateShift(QStringLiteral("Day"));
  Yresource* namesake = AddResource(1, crew);
  Assign(task, namesake);
  task->SetMostLikely(960);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Mon 17:00"));
  EXPECT_EQ(Solve::CountMinutes(*namesake, task, At(0, 0), At(0, 0)), 480);
}

TEST_F(ForwardPassTest, AnAssignmentWhoseResourceWasFreedBooksNothing) {
  Ytemplate* crew = Common::NewY<Ytemplate>(ytTemplate);
  crew->SetTemplateName(QStringLiteral("Crew"));
  crew->AddJournal(At(0, 0));
  crew->FindOrCreateShift(QStringLiteral("Day"));
  Yassignment* lost = Assign(task, AddResource(7, crew));
  task->SetMostLikely(960);
  crew->Delete();
  Common::FreeY(crew);  // its resources go with it; the assignment keeps no resource
  ASSERT_EQ(lost->ResourceRequired(), nullptr);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 17:00"));
}

TEST_F(ForwardPassTest, CalendarTimeRunsOverTheCalendarAndBooksNothing) {
  task->SetEffortUnits(1440);
  task->SetMostLikely(2880);
  task->DependencyList.First()->SetDepDate(At(0, 13, 30));
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Wed 13:30"));
  EXPECT_EQ(Solve::EffortMinutes(*task, At(0, 0), At(6, 0)), 0);
  EXPECT_EQ(task->LaborCost(), praxel::Currency());
}

TEST_F(ForwardPassTest, ATaskWithoutEffortRunsToItsLatestDependency) {
  task->SetEffortUnits(0);
  Ydependency* latest = StartAt(task, At(4, 0));
  latest->SetToPercent(100);
  const QList<std::pair<double, QString>> cases = {{At(4, 0), QStringLiteral("Sat 00:00")},
                                                    {At(4, 15), QStringLiteral("Fri 15:00")}};
  for (const auto& [date, finish] : cases) {
    SCOPED_TRACE(finish.toStdString());
    latest->SetDepDate(date);
    project->SetDirty(true);
    EXPECT_EQ(SolveAll(), kComplete);
    EXPECT_EQ(When(task->EarlyFinish()), finish);
    EXPECT_EQ(When(task->EarlyStart()), QStringLiteral("Mon 08:00"));
  }
}

TEST_F(ForwardPassTest, LatestDateReadsOnlyTheDependenciesThatApply) {
  Yresource* other = AddResource(2);
  Ytask* next = AddTask(2, 60);
  Assign(next, other);
  Ydependency* onTask = Depend(next, task, 100, 0, -0.5);
  Ydependency* excluded = StartAt(next, At(2, 0));
  Ydependency* later = StartAt(next, At(3, 0));
  later->SetToPercent(50);
  // Excluding needs a second journal: a shared Include always reads True.
  staff->AddJournal(At(0, 1));
  project->AddJournal(At(0, 1));
  excluded->SetInclude(false);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(onTask->DepDate()), QStringLiteral("Tue 10:00")) << "the required finish, without the offset";
  EXPECT_EQ(When(Solve::FindLatestDate(*next, 0)), QStringLiteral("Mon 22:00"));
  EXPECT_EQ(When(Solve::FindLatestDate(*next, 50)), QStringLiteral("Thu 00:00"));
  // The second half of the task waits for Thursday; the first half started from the offset.
  EXPECT_EQ(When(Solve::FindFromSlice(next, 50)->EarlyStart), QStringLiteral("Thu 00:00"));
  EXPECT_EQ(When(next->EarlyStart()), QStringLiteral("Mon 22:00"));
}

TEST_F(ForwardPassTest, ALaterSliceStartsWhereTheTaskGotTo) {
  Ydependency* early = StartAt(task, At(0, 9));
  early->SetToPercent(50);
  EXPECT_EQ(SolveAll(), kComplete);
  const Yslice* second = Solve::FindFromSlice(task, 50);
  EXPECT_EQ(second->EarlyStart, Solve::FirstSlice(task)->EarlyFinish);
  EXPECT_EQ(When(second->EarlyStart), QStringLiteral("Mon 14:00"));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Tue 10:00"));
}

// ---- Piecemeal days ----------------------------------------------------------------------------

TEST_F(ForwardPassTest, MembersShareAStepAndTheShareRoundsUp) {
  task->SetMostLikely(100);
  Yresource* second = AddResource(2);
  Yresource* third = AddResource(3);
  Assign(task, second);
  Assign(task, third);
  EXPECT_EQ(SolveAll(), kComplete);
  for (const Yresource* member : {resource, second, third}) {
    EXPECT_EQ(BookedOn(*member, At(0, 0), task), (QStringList{"08:00-08:34"}));
  }
  EXPECT_EQ(Solve::EffortMinutes(*task, At(0, 0), At(0, 0)), 102);
}

TEST_F(ForwardPassTest, AStepEndsAtTheFirstSlotEndOfAnyMember) {
  Yresource* second = AddResource(2);
  Yshift* coffee = staff->FindOrCreateShift(QStringLiteral("Coffee"));
  coffee->SetMatrix(10, QStringLiteral("BBBBBBBBBBBB"));
  second->SetShift(coffee);
  Assign(task, second);
  EXPECT_EQ(SolveAll(), kComplete);
  // 08-10 side by side; 10-11 the first alone while the second has its break; 11-12 side by
  // side; after lunch the last 180 minutes split in two.
  EXPECT_EQ(BookedOn(*resource, At(0, 0), task),
            (QStringList{"08:00-10:00", "10:00-11:00", "11:00-12:00", "13:00-14:30"}));
  EXPECT_EQ(BookedOn(*second, At(0, 0), task), (QStringList{"08:00-10:00", "11:00-12:00", "13:00-14:30"}));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Mon 14:30"));
}

struct RunsOut {
  const char* name;
  double secondHours;
  int minutes;
  QStringList first;
  QStringList second;
};

void PrintTo(const RunsOut& c, std::ostream* out) { *out << c.name; }

class RunsOutTest : public ForwardPassTest, public testing::WithParamInterface<RunsOut> {};

TEST_P(RunsOutTest, AStepEndsWhenAMemberRunsOutOfItsHours) {
  Assign(task, AddResource(2), GetParam().secondHours);
  task->SetMostLikely(GetParam().minutes);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(BookedOn(*resource, At(0, 0), task), GetParam().first);
  EXPECT_EQ(BookedOn(*staff->ResourceList.Find(QStringLiteral("2")), At(0, 0), task), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Piecemeal, RunsOutTest,
    testing::Values(
        // The second runs out at 10:00; the first goes on alone, past the break, to 13:40.
        RunsOut{"SecondRunsOutAtTen", 2, 400, {"08:00-10:00", "10:00-12:00", "13:00-13:40"}, {"08:00-10:00"}},
        // The share of 240 minutes each is cut to 180: one step.
        RunsOut{"ShareCutToTheHoursInOneStep", 4, 360, {"08:00-11:00"}, {"08:00-11:00"}}),
    testsupport::CaseName());

TEST_F(ForwardPassTest, OnlyTeamDaysReachBeyondOvertime) {
  // Another task holds the normal time from Monday to Wednesday.
  HoldFirst(1440);
  task->SetMostLikely(480 + 300);
  project->SetSolveRules(4);
  EXPECT_EQ(SolveAll(), kComplete);
  // Monday is a team day: overtime, then time outside the shift.
  EXPECT_EQ(BookedOn(*resource, At(0, 0), task), (QStringList{"12:00-13:00*", "17:00-21:00", "21:00-24:00*"}));
  // Tuesday and Wednesday are piecemeal days, which stop at overtime and so find nothing.
  EXPECT_TRUE(BookedOn(*resource, At(1, 0), task).isEmpty());
  EXPECT_TRUE(BookedOn(*resource, At(2, 0), task).isEmpty());
  EXPECT_EQ(BookedOn(*resource, At(3, 0), task), (QStringList{"08:00-12:00", "13:00-14:00"}));
  EXPECT_EQ(When(task->EarlyFinish()), QStringLiteral("Thu 14:00"));
}

// ---- Subprojects and analyses ------------------------------------------------------------------

TEST_F(SolverTest, AStandingTaskRollsUpItsSubproject) {
  Yresource* resource = AddResource(1);
  Yproject* child = AddProject(QStringLiteral("Child"));
  Ytask* first = AddTask(1, 480, -60, child);
  Ytask* second = AddTask(2, 240, -60, child);
  StartAt(first, At(0, 8));
  StartAt(second, At(1, 8));
  Assign(first, resource);
  Assign(second, resource);
  first->SetMaterialCost(praxel::Currency::FromDouble(5));
  second->SetMaterialCost(praxel::Currency::FromDouble(7));
  Ytask* standing = AddTask(1, 0);
  standing->SetSubproject(child);
  Ytask* after = AddTask(2, 0);
  Depend(after, standing);
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(When(standing->EarlyStart()), QStringLiteral("Mon 08:00"));
  EXPECT_EQ(When(standing->EarlyFinish()), QStringLiteral("Tue 12:00"));
  EXPECT_EQ(standing->LaborCost(), praxel::Currency::FromDouble(12 * 40));
  EXPECT_EQ(standing->MaterialCost(), praxel::Currency::FromDouble(12));
  EXPECT_EQ(When(after->EarlyStart()), QStringLiteral("Tue 12:00"));
}

TEST_F(SolverTest, AnEmptySubprojectLeavesItsStandingTaskCleared) {
  Yproject* child = AddProject(QStringLiteral("Child"));
  Ytask* standing = AddTask(1, 0);
  standing->SetSubproject(child);
  standing->SetMaterialCost(praxel::Currency::FromDouble(5));
  standing->SetEarlyStart(At(0, 8));
  standing->SetEarlyFinish(At(0, 9));
  standing->SetLaborCost(praxel::Currency::FromDouble(3));
  EXPECT_EQ(SolveAll(), kComplete);
  EXPECT_EQ(standing->EarlyStart(), 0.0);
  EXPECT_EQ(standing->EarlyFinish(), 0.0);
  EXPECT_EQ(standing->LaborCost(), praxel::Currency());
  EXPECT_EQ(standing->MaterialCost(), praxel::Currency::FromDouble(5));
  EXPECT_EQ(Solve::FirstSlice(standing)->EarlyFinish, 0.0);
}

TEST_F(ForwardPassTest, AnAnalysisWritesNoProgressText) {
  OrderOnly();
  Yslice* slice = Solve::FirstSlice(task);
  slice->UseMinutes = 600;
  Solve::SetSolveMessage(QStringLiteral("Crash analysis"));
  Solve::SetSolveMode(Solve::ModeAnalysis);
  Solve::SolveOneSlice(*slice);
  Solve::SetSolveMode(Solve::ModeIdle);
  EXPECT_EQ(Solve::SolveMessage(), QStringLiteral("Crash analysis"));
  EXPECT_EQ(When(slice->EarlyFinish), QStringLiteral("Tue 10:00"));
}

// ---- Effort that can never be booked -----------------------------------------------------------

struct Unbookable {
  const char* name;
  std::function<void(ForwardPassTest&)> spoil;
};

void PrintTo(const Unbookable& c, std::ostream* out) { *out << c.name; }

class UnbookableTest : public ForwardPassTest, public testing::WithParamInterface<Unbookable> {};

TEST_P(UnbookableTest, IsASolveErrorOnTheTask) {
  GetParam().spoil(*this);
  // A run that never ended would be stopped from its polls, so the test fails instead of hanging.
  int pumps = 0;
  host.SetPumpHook([&] {
    if (++pumps == 20000) Solve::SuspendSolve();
  });
  const QString message = SolveAll();
  EXPECT_EQ(message, QStringLiteral("Cannot book (Main) 1: Task 1: its resources have no normal working time on its "
                                    "assigned days"));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeError);
  EXPECT_EQ(Solve::SolveErrorObject(), task);
  // The solve panel explains errors by their first word; this one must select the task.
  for (const char* word : {"Dangling", "Journal", "Missing", "Overload", "Overtime"}) {
    EXPECT_NE(message.section(QLatin1Char(' '), 0, 0), QLatin1String(word));
  }
  host.SetPumpHook(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Effort, UnbookableTest,
    testing::Values(
        Unbookable{"ShiftWithoutNormalTime",
                   [](ForwardPassTest& t) {
                     for (int hour = 0; hour < 24; ++hour) {
                       t.resource->Shift()->SetMatrix(hour, QStringLiteral("OOOOOOOOOOOO"));
                     }
                   }},
        Unbookable{"AssignmentOnNoWeekday",
                   [](ForwardPassTest& t) {
                     for (int kind = 1; kind <= 7; ++kind) t.assignment->SetWorkDay(kind, false);
                   }},
        Unbookable{"HoursThatRoundToNoMinute", [](ForwardPassTest& t) { t.assignment->SetHours(0.008); }},
        // The day's minutes of a resource are the sum over its assignments.
        Unbookable{"HoursThatCancelOut", [](ForwardPassTest& t) { t.Assign(t.task, t.resource, -8.0); }},
        Unbookable{"RuleThatRunsNoPass", [](ForwardPassTest& t) { t.project->SetSolveRules(-1); }}),
    testsupport::CaseName());

// ---- Dates past the last day a date can hold --------------------------------------------------

struct PastTheLastDay {
  const char* name;
  std::function<void(ForwardPassTest&)> spoil;
};

void PrintTo(const PastTheLastDay& c, std::ostream* out) { *out << c.name; }

class PastTheLastDayTest : public ForwardPassTest, public testing::WithParamInterface<PastTheLastDay> {};

TEST_P(PastTheLastDayTest, IsASolveErrorOnTheTask) {
  GetParam().spoil(*this);
  int pumps = 0;
  host.SetPumpHook([&] {
    if (++pumps == 20000) Solve::SuspendSolve();
  });
  EXPECT_EQ(SolveAll(), QStringLiteral("Date out of range: (Main) 1: Task 1 would run past 31 December 9999"));
  EXPECT_EQ(Solve::SolveMode(), Solve::ModeError);
  EXPECT_EQ(Solve::SolveErrorObject(), task);
  // The task keeps dates a file can hold, so the work can still be printed and saved.
  for (const double date : {task->EarlyStart(), task->EarlyFinish()}) EXPECT_LT(date, praxel::kEndOfDates);
  host.SetPumpHook(nullptr);
}

constexpr double kLastDay = 2958465.0;  // 31 December 9999

INSTANTIATE_TEST_SUITE_P(
    Dates, PastTheLastDayTest,
    testing::Values(
        // Beyond the calendar's day numbers altogether.
        PastTheLastDay{"HugeOffset", [](ForwardPassTest& t) { t.task->DependencyList.First()->SetOffset(1e12); }},
        PastTheLastDay{"EffortPastTheLastDay",
                       [](ForwardPassTest& t) {
                         // Three days of work from Thursday 30 December 9999.
                         t.task->SetMostLikely(3 * 480);
                         t.task->DependencyList.First()->SetDepDate(kLastDay - 1 + 8 / 24.0);
                       }},
        PastTheLastDay{"CalendarTimePastTheLastDay",
                       [](ForwardPassTest& t) {
                         t.task->SetEffortUnits(1440);
                         t.task->SetMostLikely(3 * 1440);
                         t.task->DependencyList.First()->SetDepDate(kLastDay - 1);
                       }},
        PastTheLastDay{"EffortFromTheLastMinutes",
                       [](ForwardPassTest& t) {
                         t.task->DependencyList.First()->SetDepDate(kLastDay + (23 * 60 + 55) / 1440.0);
                       }},
        // Day by day from 2024 to a date this far away would not end.
        PastTheLastDay{"DependencyDateFarAway",
                       [](ForwardPassTest& t) {
                         t.task->SetEffortUnits(0);
                         t.StartAt(t.task, 1e9);
                       }}),
    testsupport::CaseName());

}  // namespace
