// The export of the current project, its subprojects and the current template's resources to a
// Microsoft Project file. The file holds less than the work (no journals, shifts or efficiencies),
// so the export is a copy: what was changed stays marked as changed, to be saved.

#include "Transfer.h"
#include "TransferState.h"

#include "Common.h"
#include "Guard.h"
#include "OleDate.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace Transfer {

namespace {

MSProject::Document& ActiveDocument() { return *TransferState().MSProjectApp.ActiveProject(); }

// The resources the file holds: the current template's included ones. An assignment to any
// other resource (of another template, or left out) has no one in the file to name.
bool IsExported(const Yresource* resource) {
  return resource != nullptr && resource->Template() == Common::ThisTemplate() && resource->Include();
}

// The projects whose tasks the dependency and assignment passes walk: the current project and
// every project below it.
QList<Yproject*> ExportedProjects() {
  QList<Yproject*> projects;
  for (Yproject* project : Common::Projects()) {
    if (project->DescendsFrom(Common::ThisProject())) projects.append(project);
  }
  return projects;
}

void ExportResources() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ExportResources"));
  Ytemplate* templ = Common::ThisTemplate();
  if (templ == nullptr) return;
  for (const Yresource* resource : templ->ResourceList) {
    if (!IsExported(resource)) continue;
    guard([&] {
      // The resource keeps its ID, which the assignments name.
      MSProject::Resource* R = ActiveDocument().AddResource(resource->Description, resource->ResourceID());
      R->group = resource->Department();
      R->code = resource->Title();
      R->standardRate = resource->BurdenedRate().ToDouble();
      R->overtimeRate = resource->OvertimeRate().ToDouble();
    });
  }
}

void ExportTask(const Ytask* t) {
  ErrTrap::Guarded(QStringLiteral("Transfer:ExportTask"), [&] {
    MSProject::Task& T = *t->MTask;
    T.fixedCost = t->MaterialCost().ToDouble();
    T.effortUnitNumber = t->EffortUnits();
    // Positive effort units count calendar time, negative ones working time.
    T.durationFormat = t->EffortUnits() > 0 ? 8 : 7;
    if (t->EarlyStart() != 0.0) T.start = t->EarlyStart();
    if (t->EarlyFinish() != 0.0) T.finish = t->EarlyFinish();
  });
}

// Writes one task of the project at the outline level: an ordinary task with its values, a
// subproject task with the subproject's name, description and dates.
void ExportProjectTask(Ytask* t, int Level) {
  Yproject* sub = t->Subproject();
  // The task keeps its ID unless a task of another project in the file already has it.
  MSProject::Task* T = ActiveDocument().AddTask(sub == nullptr ? t->Description : sub->ProjectName(), t->TaskID());
  if (sub != nullptr) T->notes = sub->Description;
  t->MTask = T;
  while (T->outlineLevel < Level) T->Indent();
  while (T->outlineLevel > Level) T->Outdent();
  if (sub == nullptr) {
    ExportTask(t);
  } else {
    if (sub->EarlyStart() != 0.0) T->start = sub->EarlyStart();
    if (sub->EarlyFinish() != 0.0) T->finish = sub->EarlyFinish();
  }
}

// A project being written: its tasks, how far they have come, and its outline level.
struct ProjectUnderWay {
  Yproject* project = nullptr;
  QList<Ytask*> tasks;
  qsizetype next = 0;
  int level = 1;
};

// Writes the project's included tasks at the outline level, each subproject's tasks right below
// its subproject task one level deeper. The projects under way are kept in a list rather than in
// nested calls, so that no depth of subprojects deepens the stack. A subproject task that stands
// for a project already under way would be written for ever: the export stops there and answers
// the loop of projects (as ParentLoop names one); empty when the project is written whole.
QStringList ExportProject(Yproject* Project, int Level) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ExportProject"));
  State& state = TransferState();
  std::vector<ProjectUnderWay> path;
  auto enter = [&](Yproject* project, int level) {
    guard([&] { StatusMessage(QStringLiteral("Exporting ") + project->BuildNodeText()); });
    guard([&] { ActiveDocument().title = Common::ThisProject()->Description; });
    path.push_back({project, project->TaskList.Items(), 0, level});
  };
  enter(Project, Level);
  while (!path.empty()) {
    ProjectUnderWay& current = path.back();
    if (current.next == current.tasks.size()) {
      path.pop_back();
      continue;
    }
    Ytask* t = current.tasks.at(current.next++);
    const int level = current.level;
    if (!t->Include()) continue;
    Yproject* sub = t->Subproject();
    if (sub != nullptr) {
      const auto loopStart = std::find_if(path.begin(), path.end(), [&](const auto& p) { return p.project == sub; });
      if (loopStart != path.end()) {
        QStringList loop;
        for (auto p = loopStart; p != path.end(); ++p) loop.append(p->project->ProjectName());
        return loop;
      }
    }
    guard([&] {
      ExportProjectTask(t, level);
      ++state.ProgressTotal;
    });
    if (sub != nullptr && t->MTask != nullptr) enter(sub, level + 1);
  }
  return {};
}

// The lag of a dependency as a predecessor reference writes it: days of 24 hours.
QString LagText(double offset) {
  if (offset == 0.0) return QString();
  return (offset < 0 ? QStringLiteral("-") : QStringLiteral("+")) + MSProject::FormatNumber(std::fabs(offset)) +
         QStringLiteral("ed");
}

void ExportDependency(const Ydependency* d) {
  ErrTrap::Guarded(QStringLiteral("Transfer:ExportDependency"), [&] {
    MSProject::Task& M = *d->Task()->MTask;
    if (d->TaskRequired() == nullptr) {
      M.SetFixedDate(d->DepDate());
      return;
    }
    // A required task that is not in this file (left out, or in a project outside the current
    // one) has no row to name.
    const MSProject::Task* required = d->TaskRequired()->MTask;
    if (required == nullptr) return;
    // Days of 24 hours, in the file's tenths of a minute.
    if (!(std::fabs(d->Offset()) * 14400.0 <= MSProject::kLongestLagTenths)) {
      praxel::RaiseProgramError(
          QStringLiteral("The lag of %1 days of task %2 of project %3 after task %4 of project %5 is longer than a "
                         "Microsoft Project link can hold (%6 days).")
              .arg(MSProject::FormatNumber(d->Offset()))
              .arg(d->Task()->TaskID())
              .arg(d->Task()->Project()->ProjectName())
              .arg(d->TaskRequired()->TaskID())
              .arg(d->TaskRequired()->Project()->ProjectName())
              .arg(MSProject::FormatNumber(std::floor(MSProject::kLongestLagTenths / 14400.0))));
    }
    QString text = QString::number(required->id);
    const int from = d->FromPercent();
    const int to = d->ToPercent();
    if (from == 0 && to == 0) {
      text += QStringLiteral("SS");
    } else if (from == 100 && to == 100) {
      text += QStringLiteral("FF");
    } else if (from == 0 && to == 100) {
      text += QStringLiteral("SF");
    }
    text += LagText(d->Offset());
    // Appended to the predecessor text, without reading the links before it again.
    M.AddPredecessor(text);
  });
}

// One pass over the tasks of the current project and the projects below it: `perTask` for each
// task this export wrote (a task left out, or a stale link of an earlier transfer, has no row),
// and a step of the progress for every task.
void ExportPass(ErrTrap::Guard& guard, const QString& text, const std::function<void(Ytask*)>& perTask) {
  guard([&] { StartPass(text); });
  for (Yproject* project : ExportedProjects()) {
    for (Ytask* task : project->TaskList) {
      if (task->Include() && task->MTask != nullptr) perTask(task);
      guard([] { IncrementCount(); });
    }
  }
}

void ExportDependencies() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ExportDependencies"));
  ExportPass(guard, QStringLiteral("Exporting dependencies"), [&](Ytask* task) {
    for (const Ydependency* dependency : task->DependencyList) {
      if (dependency->Include()) guard([&] { ExportDependency(dependency); });
    }
  });
}

void ExportAssignment(const Yassignment* a) {
  ErrTrap::Guarded(QStringLiteral("Transfer:ExportAssignment"), [&] {
    const Yresource* resource = a->ResourceRequired();
    // Written as someone else's (a resource of another template may share the ID of one in the
    // file) it would put the work on the wrong person: it is left out.
    if (!IsExported(resource)) return;
    std::array<bool, Yassignment::kDayKinds> days{};
    for (int kind = 0; kind < Yassignment::kDayKinds; ++kind) days[kind] = a->WorkDay(kind);
    // The units are what the import turns back into hours; the hours themselves travel too, as
    // the resource that reads them back may work another shift.
    MSProject::Assignment* A =
        a->Task()->MTask->AddAssignment(resource->ResourceID(), UnitsOfHours(a->Hours(), *resource, days));
    A->workDays = days;
    A->workDayMarker = true;
    A->hours = a->Hours();
  });
}

// The task's Project duration: its effort divided by what the import multiplies the duration by
// (the assigned units, 4.2 without assignments), so that the import gives the effort back.
void ExportDuration(const Ytask* t) {
  ErrTrap::Guarded(QStringLiteral("Transfer:ExportDuration"), [&] {
    MSProject::Task& T = *t->MTask;
    const double factor = 1.0 / static_cast<double>(EffortPerDurationMinute(T));
    T.duration = factor * t->MostLikely();
    if (t->Optimistic() != t->Pessimistic()) {
      T.optimistic = factor * t->Optimistic();
      T.mostLikely = factor * t->MostLikely();
      T.pessimistic = factor * t->Pessimistic();
    }
  });
}

void ExportAssignments() {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ExportAssignments"));
  ExportPass(guard, QStringLiteral("Exporting assignments"), [&](Ytask* task) {
    if (task->Subproject() != nullptr) return;
    for (const Yassignment* assignment : task->AssignmentList) {
      if (assignment->Include()) guard([&] { ExportAssignment(assignment); });
    }
    guard([&] { ExportDuration(task); });
  });
}

// The first loop of projects along the Parent links of the loaded projects, as the solve finds
// them; empty when there is none.
QStringList LoadedParentLoop() {
  for (const Yproject* project : Common::Projects()) {
    const QStringList loop = project->ParentLoop();
    if (!loop.isEmpty()) return loop;
  }
  return {};
}

// Tells the user that a loop of projects keeps the export from writing anything.
void LoopMessage(const QStringList& loop) {
  praxel::CurrentPrompter().MsgBox(ParentLoopText(loop) + QStringLiteral("; no file was written."),
                                   praxel::MsgCritical, QStringLiteral("Cannot Export"));
}

// Forgets the Project tasks of earlier transfers, so that only this export's rows are named.
void ForgetEarlierTasks() {
  for (Yproject* project : Common::Projects()) {
    for (Ytask* task : project->TaskList) task->MTask = nullptr;
  }
}

}  // namespace

bool ExportToMSProject(const QString& FileName) {
  ErrTrap::Guard guard(QStringLiteral("Transfer:ExportToMSProject"));
  State& state = TransferState();
  if (!Common::ThisProjectSet()) return false;
  QStringList loop;
  guard([&] { loop = LoadedParentLoop(); });
  if (!loop.isEmpty()) {
    LoopMessage(loop);
    return false;
  }
  guard([&] {
    ForgetEarlierTasks();
    state.MSProjectApp.FileNew();
    const double journal = Common::ThisProject()->Journal();
    ActiveDocument().startDate = journal != 0.0 ? journal : praxel::ToOleDate(QDate::currentDate());
    const QString currency = QLocale().currencySymbol(QLocale::CurrencyIsoCode);
    if (currency.size() == 3) ActiveDocument().currencyCode = currency;
  });
  guard([] { ExportResources(); });
  guard([&] {
    state.ProgressTotal = 0;
    loop = ExportProject(Common::ThisProject(), 1);
  });
  if (!loop.isEmpty()) {
    state.MSProjectApp.FileClose();
    StatusMessage(QString());
    LoopMessage(loop);
    return false;
  }
  guard([] { ExportDependencies(); });
  guard([] { ExportAssignments(); });
  bool saved = false;
  guard([&] {
    QString error;
    saved = state.MSProjectApp.FileSaveAs(FileName, &error);
    state.MSProjectApp.FileClose();
    StatusMessage(QString());
    if (!saved) praxel::CurrentPrompter().MsgBox(error, praxel::MsgCritical, QStringLiteral("File Open Error"));
  });
  return saved;
}

}  // namespace Transfer
