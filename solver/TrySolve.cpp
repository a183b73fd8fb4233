#include "TrySolve.h"

#include "BackwardPass.h"
#include "Common.h"
#include "CrashAnalysis.h"
#include "ForwardPass.h"
#include "Guard.h"
#include "Poll.h"
#include "Pool.h"
#include "ResourceCalendar.h"
#include "RiskAnalysis.h"
#include "Rounding.h"
#include "RunChecks.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "TaskResults.h"
#include "Yslice.h"
#include "Yslot.h"
#include "Ytask.h"

namespace Solve {

namespace {

// The program-wide clear-all is about to free every object: the solver forgets its slices,
// slots and calendars, which the pool frees with everything else, the crash rows, whose tasks go
// too, and the risk results, whose project goes.
void ForgetEverything() {
  ClearSliceList();
  ForgetCalendars();
  ClearCrashItems();
  ClearRiskResults();
}

// An object the pool frees: a task leaves the crash rows, a project takes its risk results along.
void ForgetAnalysedObject(const Ypooled* Object) {
  ForgetCrashedTask(Object);
  ForgetRiskProject(Object);
}

// A slice's share of its task's most likely estimate, in whole minutes.
std::int32_t ShareOfEstimate(const Yslice& slice) {
  return praxel::ToLong(slice.PercentMinutes(slice.Task->MostLikely()) / 100.0);
}

}  // namespace

void TrySolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:TrySolve"));
  guard([&] {
    if (!Common::Projects().IsEmpty()) DoEverything();
  });
  guard([&] {
    const bool none = Common::Projects().IsEmpty();
    CompleteSolve(none ? QStringLiteral("No projects loaded") : QStringLiteral("Solve complete"));
  });
}

void DoEverything() {
  ErrTrap::Guard guard(QStringLiteral("Solve:DoEverything"));
  bool stop = false;
  // Runs one step, then polls; once a poll has said stop, no further step runs.
  const auto step = [&](auto body) {
    if (stop) return;
    guard(body);
    stop = PollAbort();
  };
  guard([] { SetSolveMessage(QStringLiteral("Preparing for solve ...")); });
  step([] { VerifyJournalSync(); });
  step([] { CheckAllTasks(); });
  step([] { ComputeOrder(); });
  step([] { CheckSliceOrder(); });
  step([] { BuildDanglingList(); });
  step([] {
    SetSolveMessage(QStringLiteral("Clearing previous solution ..."));
    ResetPriorToSolve();
  });
  if (stop) return;
  guard([] {
    for (Yslice* slice : SliceList()) {
      slice->Multiplier = 1.0f;
      slice->UseMinutes = ShareOfEstimate(*slice);
    }
  });
  step([] { SolveAllSlices(); });
  step([] {
    SetSolveMessage(QStringLiteral("Computing slack ..."));
    ReverseSolve();
  });
}

void ResetPriorToSolve() {
  ErrTrap::Guarded(QStringLiteral("Solve:ResetPriorToSolve"), [&] {
    if (!MatchCalendarsToModel()) return;
    const QList<Yslice*> slices = SliceList();
    for (const Yslice* slice : slices) {
      if (PollAbort()) return;
      Ytask* task = slice->Task;
      StoreEarlyStart(*task, 0.0);
      StoreEarlyFinish(*task, 0.0);
      StoreLaborCost(*task, praxel::Currency());
    }
  });
}

void InstallSolver() {
  Common::RegisterYtype(ytSlice, []() -> Ypooled* { return new Yslice; });
  Common::RegisterYtype(ytSlot, []() -> Ypooled* { return new Yslot; });
  Common::SetFreeAllHook(ForgetEverything);
  SetForgetObjectHook(ForgetAnalysedObject);
  SetTrySolve(TrySolve);
}

}  // namespace Solve
