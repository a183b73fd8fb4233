#include "Ytask.h"

#include "Check.h"
#include "Guard.h"
#include "Pool.h"
#include "Prerequisites.h"
#include "Yassignment.h"
#include "Ydependency.h"
#include "Yproject.h"

#include <algorithm>

namespace {

QString Location(const char* member) { return QStringLiteral("Ytask:") + QLatin1String(member); }

}  // namespace

void Ytask::Reset() {
  ErrTrap::Guard guard(Location("Reset"));
  guard([&] {
    Common::FreeYlist(DependencyList);
    Common::FreeYlist(AssignmentList);
  });
  guard([&] { SetTaskID(0); });
  guard([&] {
    subproject_ = nullptr;
    MTask = nullptr;
    Description.clear();
    include_.SetSingle(true);
    effortUnits_.SetSingle(-60);
    optimistic_.SetSingle(0);
    mostLikely_.SetSingle(0);
    pessimistic_.SetSingle(0);
    materialCost_.SetSingle(praxel::Currency());
    laborCost_.SetSingle(praxel::Currency());
    efficiency_.SetSingle(0.85);
    earlyStart_.SetSingle(0.0);
    earlyFinish_.SetSingle(0.0);
    lateStart_.SetSingle(0.0);
    lateFinish_.SetSingle(0.0);
    DependencyList.Clear();
    AssignmentList.Clear();
  });
}

QString Ytask::BuildNodeText() const {
  if (subproject_ != nullptr) return Key() + QStringLiteral(": ") + subproject_->BuildNodeText();
  if (!Description.isEmpty()) return Key() + QStringLiteral(": ") + Description;
  return Key();
}

QString Ytask::ImageType() const { return subproject_ != nullptr ? QStringLiteral("s") : QStringLiteral("t"); }

void Ytask::SetTaskID(int ID) {
  ErrTrap::Guarded(Location("TaskID [Property Let]"), [&] {
    if (ID > 0 && ID == taskId_) return;
    if (ID != 0) {
      TRAP_ASSERT(project_ != nullptr, "the project comes before the ID");
      KeyedList<Ytask>& tasks = project_->TaskList;
      const QString refusal = TaskIDRefusal(*project_, ID);
      if (!refusal.isEmpty()) praxel::RaiseProgramError(refusal);
      if (taskId_ != 0 && tasks.Find(Key()) == this) tasks.Remove(Key());
      // The list is in ascending ID order: file before the first higher ID, found by halving
      // (a file's tasks come in ascending order, so a walk from the front would be quadratic).
      const auto after = std::upper_bound(tasks.begin(), tasks.end(), ID,
                                          [](int id, const Ytask* task) { return id < task->TaskID(); });
      const qsizetype before = after - tasks.begin();
      taskId_ = ID;
      tasks.Insert(before, Key(), this);
    } else {
      if (project_ != nullptr && taskId_ != 0 && project_->TaskList.Find(Key()) == this) {
        project_->TaskList.Remove(Key());
      }
      SetProject(nullptr);
      taskId_ = 0;
    }
  });
}

QString Ytask::TaskIDRefusal(const Yproject& project, int ID) const {
  const Ytask* holder = project.TaskList.Find(QString::number(ID));
  return holder != nullptr && holder != this ? QStringLiteral("This TaskID is already in use") : QString();
}

void Ytask::SetProject(Yproject* project) {
  ErrTrap::Guarded(Location("Project [Property Set]"), [&] {
    project_ = project;
    if (project != nullptr) include_.Join(project->NumJournals, project->CurrentIndex);
  });
}

void Ytask::SetSubproject(Yproject* child) {
  ErrTrap::Guarded(Location("Subproject [Property Set]"), [&] {
    if (child != nullptr && project_ != nullptr && !project_->CanLinkSubproject(child)) {
      praxel::RaiseProgramError(
          QStringLiteral("Task %1 cannot stand for project \"%2\": that is its own project or a project above it.")
              .arg(Key(), child->ProjectName()));
    }
    subproject_ = child;
    if (child != nullptr) child->SetParent(project_);
  });
}

bool Ytask::Include() const { return include_.In(project_ != nullptr ? project_->CurrentIndex : 0); }

void Ytask::SetInclude(bool include) {
  ErrTrap::Guarded(Location("Include [Property Let]"), [&] {
    if (project_ != nullptr) {
      include_.Let(include, project_->NumJournals, project_->CurrentIndex);
    } else {
      include_.SetSingle(include);
    }
  });
}

// The per-journal properties: read the current journal, write the current one and every later one.
#define PRAXEL_TASK_FIELD(Type, Name, field)                                                       \
  Type Ytask::Name() const { return ReadField(project_, field); }                                  \
  void Ytask::Set##Name(Type value) {                                                              \
    ErrTrap::Guarded(Location(#Name " [Property Let]"), [&] { WriteField(project_, field, value); }); \
  }

PRAXEL_TASK_FIELD(int, EffortUnits, effortUnits_)
PRAXEL_TASK_FIELD(std::int32_t, Optimistic, optimistic_)
PRAXEL_TASK_FIELD(std::int32_t, MostLikely, mostLikely_)
PRAXEL_TASK_FIELD(std::int32_t, Pessimistic, pessimistic_)
PRAXEL_TASK_FIELD(double, Efficiency, efficiency_)
PRAXEL_TASK_FIELD(praxel::Currency, MaterialCost, materialCost_)
PRAXEL_TASK_FIELD(praxel::Currency, LaborCost, laborCost_)
PRAXEL_TASK_FIELD(double, EarlyStart, earlyStart_)
PRAXEL_TASK_FIELD(double, EarlyFinish, earlyFinish_)
PRAXEL_TASK_FIELD(double, LateStart, lateStart_)
PRAXEL_TASK_FIELD(double, LateFinish, lateFinish_)

#undef PRAXEL_TASK_FIELD

void Ytask::Delete() {
  ErrTrap::Guarded(Location("Delete"), [&] {
    TRAP_ASSERT(project_ != nullptr, "only a task of a project is deleted");
    // No task is left waiting for one that is gone, on a date it no longer keeps: the
    // dependencies on it leave with it, from the current journal on.
    for (Ydependency* dependency : Common::DependenciesOn(*this)) {
      Yproject* owner = dependency->Project();
      dependency->Delete();
      owner->SetDirty(true);
    }
    if (include_.Remove(project_->NumJournals, project_->CurrentIndex)) return;
    project_->SetDirty(true);
    SetTaskID(0);
    Ytask* self = this;
    Common::FreeY(self);
  });
}

void Ytask::ChangeNumJournals() {
  ErrTrap::Guarded(Location("ChangeNumJournals"), [&] {
    if (project_ == nullptr) return;
    const Yproject& holder = *project_;
    ResizeField(holder, include_.Field());
    ResizeField(holder, effortUnits_);
    ResizeField(holder, optimistic_);
    ResizeField(holder, mostLikely_);
    ResizeField(holder, pessimistic_);
    ResizeField(holder, efficiency_);
    ResizeField(holder, materialCost_);
    ResizeField(holder, laborCost_);
    ResizeField(holder, earlyStart_);
    ResizeField(holder, earlyFinish_);
    ResizeField(holder, lateStart_);
    ResizeField(holder, lateFinish_);
    for (Ydependency* dependency : DependencyList) dependency->ChangeNumJournals();
    for (Yassignment* assignment : AssignmentList) assignment->ChangeNumJournals();
  });
}
