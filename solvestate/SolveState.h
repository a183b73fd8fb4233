#pragma once

#include <QString>

#include <functional>

class Ypooled;

// The solve state: when a solve runs, the poll that lets the user work during one, and how the
// last solve ended. Everything runs on the window thread.
//
// An edit never solves by itself: it asks for a solve (RestartSolve), which arms the host's
// one-shot solve timer. The timer's tick (SolveTimer_Timer) runs solve runs (TrySolve) in a loop
// for as long as a solve is wanted. A run polls AbortSolve between its steps and inside its
// loops; the poll lets pending window messages run, so an edit made there turns the state from
// solving to requested, the poll answers True, the run returns at once and the loop starts it
// over. Only a run that is still solving when it ends completes (CompleteSolve): idle, its
// message, one broadcast of the new solution. A solve error (SolveError) is state, not an
// exception: the next poll ends the run and the error stays until the next RestartSolve.
//
// Failures inside these procedures go to the error trap under "Solve:<procedure>". The tick is an
// event handler: a run left through the trap's Abort ends there, and the state is settled so that
// the next request solves again (error state with a message, or suspended and idle).
namespace Solve {

// The values of SolveMode.
enum SolveModes : int {
  ModeIdle = 0,           // the last solve completed, or none was asked for yet
  ModeSolving = 1,        // a solve run is on the stack
  ModeError = 2,          // the last solve stopped on a solve error
  ModeRequested = 3,      // a solve is wanted: the tick's loop or the armed timer starts it
  ModeSuspendedBusy = 4,  // suspended while a solve or an analysis was on the stack
  ModeSuspendedIdle = 5,  // suspended while nothing was running
  ModeAnalysis = 6,       // a crash or risk analysis is running; the poll lets nothing run
};

// The solve state, 0 to 6. Writing it does nothing else.
int SolveMode();
void SetSolveMode(int Mode);

// The solver's status text: the host's solve panel.
QString SolveMessage();
void SetSolveMessage(const QString& Text);

// The model object the last solve error is about, or nothing.
Ypooled* SolveErrorObject();
// The program-wide clear-all: no error object any more.
void ClearSolveErrorObject();
// Called by the pool when it frees an object, so the error object never names a reused one; then
// runs the solver's hook, so that nothing the solver keeps names it either.
void ForgetObject(const Ypooled* Object);
// The solver's part of ForgetObject (the solve state lies below the solver and cannot call it).
using ForgetObjectHook = void (*)(const Ypooled* Object);
void SetForgetObjectHook(ForgetObjectHook Hook);

// The overage of the last overload or overtime error, set by the forward pass: the time on the
// day the booking began, the hours a day asked for, and the part of them that was booked.
double OverageDay();
void SetOverageDay(double Day);
double OverageHoursRequested();
void SetOverageHoursRequested(double Hours);
double OverageHoursExcess();
void SetOverageHoursExcess(double Hours);

// The poll: unless an analysis runs, lets every pending window message run; then answers False
// while solving or analysing, True in every other state (the running work is to stop).
bool AbortSolve();
// Asks for a fresh solve: solving, idle or error become requested; from idle or error the solve
// timer is armed. Requested, suspended and analysing stay as they are.
void RestartSolve();
// Writes "Solve suspended", suspends (busy when work is on the stack, else idle) and disarms the
// solve timer. A second suspension while idle stays idle, so the next resumption solves.
void SuspendSolve();
// Undoes SuspendSolve: suspended and busy becomes requested (the run on the stack finds it);
// suspended and idle becomes requested with the timer armed. Any other state stays.
void ResumeSolve();
// Records a solve error: error state, the message, the object. It stops nothing by itself.
void SolveError(const QString& Message, Ypooled* Object);

// The solve timer's tick, called by the host. Disarms the timer; raises "Assertion failed" when
// a solve, a suspension or an analysis is on; then runs solve runs while a solve is wanted.
void SolveTimer_Timer();

// Installs the solve run the tick calls; an empty function goes back to the built-in run, which
// completes at once with "Solve complete".
void SetTrySolve(std::function<void()> Run);
// How a solve run ends: when it is still solving, idle, the message and one broadcast of the new
// solution; otherwise (restarted, suspended, failed) nothing.
void CompleteSolve(const QString& Message);

}  // namespace Solve
