#include "SolveState.h"

#include "Check.h"
#include "Guard.h"
#include "SolverHost.h"

#include <utility>

namespace Solve {

namespace {

int solveMode = ModeIdle;
Ypooled* solveErrorObject = nullptr;
ForgetObjectHook forgetObjectHook = nullptr;
double overageDay = 0;
double overageHoursRequested = 0;
double overageHoursExcess = 0;
std::function<void()> installedTrySolve;

// One solve run: the installed one, or a run that completes at once.
void TrySolve() {
  if (!installedTrySolve) {
    CompleteSolve(QStringLiteral("Solve complete"));
    return;
  }
  // A copy, so that a run may install another run while it runs.
  const std::function<void()> run = installedTrySolve;
  run();
}

// Called when the tick's loop is over, however it ended: no solve run is on the stack any more.
// A solve still marked as running or wanted was unwound by a failure and would never run again
// (nothing arms the timer from those states), so it becomes an error the next edit clears. Work
// suspended on the stack is gone too: what is left is suspended and idle, so that the next
// resumption arms the timer.
void SettleAfterSolving() {
  if (solveMode == ModeSolving || solveMode == ModeRequested) {
    SolveError(QStringLiteral("Solve stopped by an internal error"), nullptr);
  } else if (solveMode == ModeSuspendedBusy) {
    solveMode = ModeSuspendedIdle;
  }
}

}  // namespace

int SolveMode() { return solveMode; }

void SetSolveMode(int Mode) { solveMode = Mode; }

QString SolveMessage() {
  QString text;
  ErrTrap::Guarded(QStringLiteral("Solve:SolveMessage [Property Get]"), [&] { text = Host().SolveMessage(); });
  return text;
}

void SetSolveMessage(const QString& Text) {
  ErrTrap::Guarded(QStringLiteral("Solve:SolveMessage [Property Let]"), [&] { Host().SetSolveMessage(Text); });
}

Ypooled* SolveErrorObject() { return solveErrorObject; }

void ClearSolveErrorObject() { solveErrorObject = nullptr; }

void ForgetObject(const Ypooled* Object) {
  if (Object != nullptr && solveErrorObject == Object) solveErrorObject = nullptr;
  if (forgetObjectHook != nullptr) forgetObjectHook(Object);
}

void SetForgetObjectHook(ForgetObjectHook Hook) { forgetObjectHook = Hook; }

double OverageDay() { return overageDay; }
void SetOverageDay(double Day) { overageDay = Day; }
double OverageHoursRequested() { return overageHoursRequested; }
void SetOverageHoursRequested(double Hours) { overageHoursRequested = Hours; }
double OverageHoursExcess() { return overageHoursExcess; }
void SetOverageHoursExcess(double Hours) { overageHoursExcess = Hours; }

bool AbortSolve() {
  bool abort = false;
  ErrTrap::Guard guard(QStringLiteral("Solve:AbortSolve"));
  // An analysis runs to its end: nothing may edit the model under it, but the windows still paint.
  guard([&] {
    if (solveMode != ModeAnalysis) {
      Host().PumpMessages();
    } else {
      Host().PumpPaintMessages();
    }
  });
  // Read after the pump: what ran there decides.
  guard([&] { abort = solveMode != ModeSolving && solveMode != ModeAnalysis; });
  return abort;
}

void RestartSolve() {
  ErrTrap::Guarded(QStringLiteral("Solve:RestartSolve"), [&] {
    switch (solveMode) {
      case ModeIdle:
      case ModeError:
        Host().SetSolveTimerEnabled(true);
        solveMode = ModeRequested;
        break;
      case ModeSolving:
        // The run on the stack sees the change at its next poll; the tick's loop starts it over.
        solveMode = ModeRequested;
        break;
      default:
        break;
    }
  });
}

void SuspendSolve() {
  ErrTrap::Guard guard(QStringLiteral("Solve:SuspendSolve"));
  guard([&] { SetSolveMessage(QStringLiteral("Solve suspended")); });
  guard([&] {
    switch (solveMode) {
      case ModeIdle:
      case ModeError:
      case ModeRequested:
        solveMode = ModeSuspendedIdle;
        break;
      case ModeSolving:
      case ModeAnalysis:
        solveMode = ModeSuspendedBusy;
        break;
      default:
        // Already suspended: a suspension left without its resumption (a file opening abandoned
        // through the error trap) must not turn idle into busy, or no resumption would ever solve.
        break;
    }
  });
  guard([&] { Host().SetSolveTimerEnabled(false); });
}

void ResumeSolve() {
  ErrTrap::Guarded(QStringLiteral("Solve:ResumeSolve"), [&] {
    if (solveMode == ModeSuspendedBusy) {
      // The work on the stack unwinds into the tick's loop, which finds the request.
      solveMode = ModeRequested;
    } else if (solveMode == ModeSuspendedIdle) {
      Host().SetSolveTimerEnabled(true);
      solveMode = ModeRequested;
    }
  });
}

void SolveError(const QString& Message, Ypooled* Object) {
  ErrTrap::Guard guard(QStringLiteral("Solve:SolveError"));
  guard([&] { solveMode = ModeError; });
  guard([&] { SetSolveMessage(Message); });
  guard([&] { solveErrorObject = Object; });
}

void SolveTimer_Timer() {
  const ErrTrap::Site tick = ErrTrap::Handler(QStringLiteral("Solve:SolveTimer_Timer"));
  ErrTrap::Guard guard(tick);
  guard([&] { Host().SetSolveTimerEnabled(false); });
  guard([&] {
    TRAP_ASSERT(solveMode != ModeSolving && solveMode != ModeSuspendedBusy && solveMode != ModeSuspendedIdle &&
                    solveMode != ModeAnalysis,
                "the timer is armed only while no solve or analysis runs");
  });
  guard([&] { solveMode = ModeRequested; });
  bool solved = false;
  guard([&] {
    solved = true;
    while (solveMode == ModeRequested) {
      solveMode = ModeSolving;
      TrySolve();
    }
  });
  if (!solved) return;
  // A fresh step: after an Abort the guard above runs no more steps.
  ErrTrap::Guarded(tick, SettleAfterSolving);
}

void SetTrySolve(std::function<void()> Run) { installedTrySolve = std::move(Run); }

void CompleteSolve(const QString& Message) {
  if (solveMode != ModeSolving) return;
  solveMode = ModeIdle;
  SetSolveMessage(Message);
  Host().BroadcastNewSolution();
}

}  // namespace Solve
