#pragma once

#include "Guard.h"
#include "PerJournal.h"
#include "Pool.h"
#include "Ypooled.h"
#include "Yproject.h"
#include "Ytask.h"

// What a dependency and an assignment share: the owning task, their presence in its project's
// journals, joining the task's list, and the delete that removes them from the current journal
// on. `Derived` names its list on the task with a static `ListOn(Ytask&)` and its module name
// with `kModule`.
template <class Derived>
class YtaskChild : public Ymodel {
 public:
  Ytask* MyTask = nullptr;  // the owning task; set through SetTask

  Yproject* Project() const override { return MyTask != nullptr ? MyTask->Project() : nullptr; }
  Ytask* Task() const { return MyTask; }

  // Moves the object to the end of the new task's list; none detaches it. Joined while a later
  // journal is current, it exists from that journal on only.
  void SetTask(Ytask* task) {
    ErrTrap::Guard guard(Location("Task [Property Set]"));
    guard([&] { LeaveTask(); });
    if (task == nullptr) return;
    guard([&] {
      MyTask = task;
      Derived::ListOn(*task).Add(static_cast<Derived*>(this));
    });
    guard([&] {
      const Yproject* project = Project();
      if (project != nullptr) include_.Join(project->NumJournals, project->CurrentIndex);
    });
  }

  // A shared value reads True in every journal; only per-journal values can say absent.
  bool Include() const {
    const Yproject* project = Project();
    return include_.In(project != nullptr ? project->CurrentIndex : 0);
  }
  void SetInclude(bool include) {
    ErrTrap::Guarded(Location("Include [Property Let]"), [&] {
      const Yproject* project = Project();
      if (project != nullptr) {
        include_.Let(include, project->NumJournals, project->CurrentIndex);
      } else {
        include_.SetSingle(include);
      }
    });
  }

  // Removes the object from the current journal on; when no journal keeps it, it leaves its
  // task and goes back to the pool.
  void Delete() {
    ErrTrap::Guard guard(Location("Delete"));
    bool kept = true;
    guard([&] {
      const Yproject* project = Project();
      kept = project != nullptr ? include_.Remove(project->NumJournals, project->CurrentIndex) : include_.Remove(1, 0);
    });
    if (kept) return;
    guard([&] {
      LeaveTask();
      Derived* self = static_cast<Derived*>(this);
      Common::FreeY(self);
    });
  }

  Presence& IncludeField() { return include_; }
  const Presence& IncludeField() const { return include_; }

 protected:
  static QString Location(const char* member) { return QLatin1String(Derived::kModule) + QLatin1Char(':') + QLatin1String(member); }

  // Takes the object out of its task's list (when the list still holds it) and detaches it.
  void LeaveTask() {
    if (MyTask == nullptr) return;
    Derived::ListOn(*MyTask).Remove(static_cast<Derived*>(this));
    MyTask = nullptr;
  }

  Presence include_;
};
