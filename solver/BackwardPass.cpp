#include "BackwardPass.h"

#include "Common.h"
#include "Guard.h"
#include "Poll.h"
#include "SliceOrder.h"
#include "TaskResults.h"
#include "Ydependency.h"
#include "Yproject.h"
#include "Yslice.h"
#include "Ytask.h"

#include <QHash>

namespace Solve {

namespace {

// Every project is measured against its master's early finish in the master's plan journal; a
// plan journal never solved has no finish, and the master's finish in the current journal
// (solved just now) stands in for it.
QHash<const Yproject*, double> TargetFinishes() {
  QHash<const Yproject*, double> targets;
  for (const Yproject* project : Common::Projects()) {
    Yproject* master = project->Master();
    const int current = master->CurrentIndex;
    master->CurrentIndex = master->PlanIndex;
    double finish = master->EarlyFinish();
    master->CurrentIndex = current;
    if (finish == 0.0) finish = master->EarlyFinish();
    targets.insert(project, finish);
  }
  return targets;
}

}  // namespace

void ReverseSolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:ReverseSolve"));
  const QList<Yslice*> slices = SliceList();
  QHash<const Yproject*, double> targets;
  bool stopped = false;
  // Runs `visit` on each slice in the given direction, polling before each.
  const auto walk = [&](bool backwards, auto visit) {
    if (stopped) return;
    for (qsizetype i = 0; i < slices.size(); ++i) {
      Yslice* slice = slices.at(backwards ? slices.size() - 1 - i : i);
      if (PollAbort()) {
        stopped = true;
        return;
      }
      guard([&] { visit(*slice); });
    }
  };

  guard([&] { targets = TargetFinishes(); });
  walk(false, [&](Yslice& slice) { slice.LateFinish = targets.value(slice.Task->Project(), 0.0); });
  walk(true, [&](Yslice& slice) {
    if (slice.Task->Subproject() == nullptr) {
      slice.LateStart = slice.LateFinish - (slice.EarlyFinish - slice.EarlyStart);
    } else {
      slice.LateStart = slice.LateFinish;
    }
    for (Yslice* predecessor : slice.BackwardList) {
      const double offset = FindOffset(predecessor->Task, predecessor->ToPercent, slice.Task, slice.FromPercent);
      const double latest = slice.LateStart - offset;
      if (latest < predecessor->LateFinish) predecessor->LateFinish = latest;
    }
  });
  walk(false, [&](Yslice& slice) {
    Ytask* task = slice.Task;
    if (task->Subproject() != nullptr) return;
    if (slice.FromPercent == 0) StoreLateStart(*task, slice.LateStart);
    if (slice.ToPercent == 100) StoreLateFinish(*task, slice.LateFinish);
  });
  walk(false, [&](Yslice& slice) {
    Ytask* task = slice.Task;
    const Yproject* subproject = task->Subproject();
    if (subproject == nullptr || slice.ToPercent != 100) return;
    StoreLateStart(*task, subproject->LateStart());
    StoreLateFinish(*task, subproject->LateFinish());
  });
}

double FindOffset(const Ytask* required, int fromPercent, const Ytask* dependent, int toPercent) {
  double offset = 0.0;
  ErrTrap::Guarded(QStringLiteral("Solve:FindOffset"), [&] {
    offset = 0.0;
    for (const Ydependency* dependency : dependent->DependencyList) {
      if (dependency->Include() && dependency->TaskRequired() == required && dependency->FromPercent() == fromPercent &&
          dependency->ToPercent() == toPercent) {
        offset = dependency->Offset();
        return;
      }
    }
  });
  return offset;
}

}  // namespace Solve
