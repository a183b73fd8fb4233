#include "SolverFixture.h"

#include "Common.h"
#include "HeadlessSolve.h"
#include "OleDate.h"
#include "Poll.h"
#include "Pool.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TrySolve.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yshift.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace {

const double kMonday = praxel::ToOleDate(QDate(2024, 1, 1));

}  // namespace

double At(int day, int hour, int minute) { return kMonday + day + (hour * 60 + minute) / 1440.0; }

QString When(double time) {
  if (time == 0.0) return QStringLiteral("none");
  // To the nearest minute: the calendar's cell boundaries and the minute arithmetic may differ
  // in the last bit.
  const double minutes = std::round((time - kMonday) * 1440);
  const QDateTime when = praxel::FromOleDate(kMonday + minutes / 1440);
  const bool thisWeek = time >= kMonday && time < kMonday + 7;
  const QString format = thisWeek ? QStringLiteral("ddd hh:mm") : QStringLiteral("ddd dd MMM hh:mm");
  return QLocale(QLocale::English, QLocale::UnitedStates).toString(when, format);
}

void SolverTest::SetUp() {
  Common::FreeAllMemory();
  Solve::InstallSolver();
  Solve::SetHost(&host);
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ClearSolveErrorObject();
  Solve::SetPumpInterval(0);
  staff = Common::NewY<Ytemplate>(ytTemplate);
  staff->SetTemplateName(QStringLiteral("Staff"));
  staff->AddJournal(kMonday);
  staff->FindOrCreateShift(QStringLiteral("Day"));
  project = AddProject(QStringLiteral("Main"));
  Common::SetThisProject(project);
  Common::SetThisTemplate(staff);
}

void SolverTest::TearDown() {
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
  Solve::ClearSolveErrorObject();
  Solve::SetPumpInterval(5);
  Solve::SetTrySolve(nullptr);
  Solve::SetHost(nullptr);
  EXPECT_TRUE(prompter.AllAnswered());
}

Yresource* SolverTest::AddResource(int id, Ytemplate* templ) {
  Yresource* resource = (templ != nullptr ? templ : staff)->FindOrCreateResource(id);
  resource->Description = QStringLiteral("Resource %1").arg(id);
  resource->SetBurdenedRate(praxel::Currency::FromDouble(40));
  resource->SetOvertimeRate(praxel::Currency::FromDouble(60));
  resource->SetOffDayRate(praxel::Currency::FromDouble(80));
  resource->SetHolidayRate(praxel::Currency::FromDouble(120));
  return resource;
}

Yproject* SolverTest::AddProject(const QString& name, const QString& priority) {
  auto* made = Common::NewY<Yproject>(ytProject);
  made->SetProjectName(name);
  made->AddJournal(kMonday);
  made->SetPriority(priority);
  return made;
}

Ytask* SolverTest::AddTask(int id, int minutes, int effortUnits, Yproject* owner) {
  Ytask* task = (owner != nullptr ? owner : project)->FindOrCreateTask(id);
  task->Description = QStringLiteral("Task %1").arg(id);
  task->SetEffortUnits(effortUnits);
  task->SetMostLikely(minutes);
  return task;
}

Ydependency* SolverTest::Depend(Ytask* task, Ytask* required, int fromPercent, int toPercent, double offset) {
  auto* dependency = Common::NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  dependency->SetTaskRequired(required);
  dependency->SetFromPercent(fromPercent);
  dependency->SetToPercent(toPercent);
  dependency->SetOffset(offset);
  return dependency;
}

Ydependency* SolverTest::StartAt(Ytask* task, double date) {
  auto* dependency = Common::NewY<Ydependency>(ytDependency);
  dependency->SetTask(task);
  dependency->SetDepDate(date);
  return dependency;
}

Yassignment* SolverTest::Assign(Ytask* task, Yresource* resource, double hours) {
  auto* assignment = Common::NewY<Yassignment>(ytAssignment);
  assignment->SetTask(task);
  assignment->SetResourceRequired(resource);
  assignment->SetHours(hours);
  return assignment;
}

Ytask* SolverTest::CloseProject(Yproject* owner) {
  Yproject* target = owner != nullptr ? owner : project;
  QList<Ytask*> ends = target->TaskList.Items();
  for (const Ytask* task : target->TaskList) {
    for (const Ydependency* dependency : task->DependencyList) {
      if (dependency->FromPercent() == 100) ends.removeOne(dependency->TaskRequired());
    }
  }
  Ytask* finish = AddTask(target->HighestTaskID() + 1, 0, -60, target);
  for (Ytask* task : ends) Depend(finish, task);
  return finish;
}

QString SolverTest::SolveAll() { return Solve::SolveHeadless(host); }

void SolverTest::OrderOnly() {
  Solve::SetSolveMode(Solve::ModeSolving);
  Solve::ComputeOrder();
  Solve::SetSolveMode(Solve::ModeIdle);
}
