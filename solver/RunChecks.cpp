#include "RunChecks.h"

#include "Common.h"
#include "Guard.h"
#include "Poll.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "ShortDate.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <QHash>
#include <QSet>

namespace Solve {

namespace {

// "(project) task caption", as the solve messages name a task; a project that was closed has no
// name left to give.
QString TaskCaption(const Ytask& task) {
  const Yproject* project = task.Project();
  if (project == nullptr || project->ProjectName().isEmpty()) return task.BuildNodeText();
  return QLatin1Char('(') + project->ProjectName() + QStringLiteral(") ") + task.BuildNodeText();
}

// A resource only named by a link: no loaded template holds its record.
bool IsPlaceholder(const Yresource& resource) { return resource.Description == QLatin1String("<stub>"); }

bool IsLoaded(const Yproject* project) {
  return project != nullptr && Common::Projects().Find(project->ProjectName()) == project;
}

}  // namespace

void VerifyJournalSync() {
  ErrTrap::Guarded(QStringLiteral("Solve:VerifyJournalSync"), [&] {
    double reference = 0.0;
    if (Common::ThisProject() != nullptr) {
      reference = Common::ThisProject()->Journal();
    } else if (Common::ThisTemplate() != nullptr) {
      reference = Common::ThisTemplate()->Journal();
    } else {
      return;
    }
    for (const Yproject* project : Common::Projects()) {
      if (project->Journal() == reference) continue;
      if (project->NumJournals == 0) {
        // A placeholder: loaded projects name it, but no file loaded has brought its record.
        SolveError(QStringLiteral("Project %1 is not loaded: loaded projects name it, but no loaded file holds it")
                       .arg(project->ProjectName()),
                   nullptr);
      } else {
        SolveError(QStringLiteral("Journal sync error: project %1 is at the journal of %2, not %3")
                       .arg(project->ProjectName(), praxel::ShortDateText(project->Journal()),
                            praxel::ShortDateText(reference)),
                   nullptr);
      }
      return;
    }
    for (Ytemplate* templ : Common::Templates()) templ->AddJournal(reference);
  });
}

void CheckAllTasks() {
  ErrTrap::Guarded(QStringLiteral("Solve:CheckAllTasks"), [&] {
    const QList<Yproject*> projects = Common::Projects().Items();
    for (const Yproject* project : projects) {
      const QStringList loop = project->ParentLoop();
      if (loop.isEmpty()) continue;
      SolveError(ParentLoopText(loop), nullptr);
      return;
    }
    for (const Yproject* project : projects) {
      const QList<Ytask*> tasks = project->TaskList.Items();
      for (Ytask* task : tasks) {
        if (PollAbort()) return;
        if (task->Include()) CheckOneTask(*task);
      }
    }
  });
}

void CheckOneTask(Ytask& task) {
  ErrTrap::Guarded(QStringLiteral("Solve:CheckOneTask"), [&] {
    const Yproject* subproject = task.Subproject();
    if (subproject != nullptr) {
      const Yproject* parent = subproject->Parent();
      if (parent != task.Project()) {
        const QString claimant = parent != nullptr ? QStringLiteral("project ") + parent->ProjectName()
                                                   : QStringLiteral("no project");
        SolveError(QStringLiteral("Subproject %1 is claimed by %2, not by %3")
                       .arg(subproject->ProjectName(), claimant, TaskCaption(task)),
                   &task);
      }
      return;
    }
    for (Ydependency* dependency : task.DependencyList) {
      if (!dependency->Include()) continue;
      const Ytask* required = dependency->TaskRequired();
      if (required != nullptr && required->Subproject() != nullptr && dependency->FromPercent() != 0 &&
          dependency->FromPercent() != 100) {
        SolveError(QStringLiteral("must be either 0% or 100%"), dependency);
        return;
      }
    }
    // A required task that has no slices in this solve has no dates to give: say so rather
    // than date the task from nothing.
    for (Ydependency* dependency : task.DependencyList) {
      if (!dependency->Include()) continue;
      const Ytask* required = dependency->TaskRequired();
      if (required == nullptr) continue;
      if (!IsLoaded(required->Project())) {
        SolveError(QStringLiteral("Required task %1 is in a project that is not loaded").arg(TaskCaption(*required)),
                   dependency);
        return;
      }
      if (!required->Include()) {
        SolveError(QStringLiteral("Required task %1 is excluded from the current journal").arg(TaskCaption(*required)),
                   dependency);
        return;
      }
    }
    bool startDependency = false;
    for (const Ydependency* dependency : task.DependencyList) {
      if (dependency->Include() && dependency->ToPercent() == 0) startDependency = true;
    }
    if (!startDependency) {
      SolveError(QStringLiteral("Missing to-start dependency"), &task);
      return;
    }
    for (Yassignment* assignment : task.AssignmentList) {
      const Yresource* resource = assignment->ResourceRequired();
      if (!assignment->Include() || resource == nullptr || !IsPlaceholder(*resource)) continue;
      SolveError(QStringLiteral("Resource %1 of template %2, assigned to %3, is not loaded")
                     .arg(resource->ResourceID())
                     .arg(resource->Template() != nullptr ? resource->Template()->TemplateName() : QString(),
                          TaskCaption(task)),
                 assignment);
      return;
    }
    if (task.EffortUnits() < 0 && task.MostLikely() > 0) {
      bool staffed = false;
      for (const Yassignment* assignment : task.AssignmentList) {
        if (assignment->Include() && assignment->Hours() > 0) staffed = true;
      }
      if (!staffed) SolveError(QStringLiteral("Effort without resources"), &task);
    }
  });
}

void CheckSliceOrder() {
  ErrTrap::Guarded(QStringLiteral("Solve:CheckSliceOrder"), [&] {
    const Yslice* slice = SliceOnCycle();
    if (slice == nullptr) return;
    SolveError(QStringLiteral("Circular dependencies through %1").arg(TaskCaption(*slice->Task)), slice->Task);
  });
}

void BuildDanglingList() {
  ErrTrap::Guarded(QStringLiteral("Solve:BuildDanglingList"), [&] {
    const QList<Yslice*>& slices = SliceList();
    // Subprojects whose standing task's end has a successor: their tasks end inside the family.
    QSet<const Yproject*> claimed;
    for (const Yslice* slice : slices) {
      const Yproject* subproject = slice->Task->Subproject();
      if (subproject != nullptr && slice->ToPercent == 100 && !slice->ForwardList.isEmpty()) claimed.insert(subproject);
    }
    // Ends: slices of plain tasks outside claimed subprojects that no plain task waits for.
    QList<Yslice*> candidates;
    QHash<const Yproject*, Yproject*> masters;
    QHash<const Yproject*, int> endsPerFamily;
    for (Yslice* slice : slices) {
      const Ytask* task = slice->Task;
      if (task->Subproject() != nullptr || claimed.contains(task->Project())) continue;
      bool awaited = false;
      for (const Yslice* successor : slice->ForwardList) {
        if (successor->Task->Subproject() == nullptr) awaited = true;
      }
      if (awaited) continue;
      candidates.append(slice);
      Yproject* project = task->Project();
      if (!masters.contains(project)) masters.insert(project, project->Master());
      endsPerFamily[masters.value(project)] += 1;
    }
    QList<Yslice*>& dangling = DanglingList();
    dangling.clear();
    for (Yslice* slice : candidates) {
      if (endsPerFamily.value(masters.value(slice->Task->Project())) > 1) dangling.append(slice);
    }
    if (!dangling.isEmpty()) SolveError(QStringLiteral("Dangling tasks"), dangling.first()->Task);
  });
}

}  // namespace Solve
