#pragma once

#include <QString>

#include <functional>

class Yproject;
class Yslice;

// What the crash and risk analyses share: when one may start, and how one starts and ends.
//
// An analysis works on the solved schedule of the active project: it re-dates every slice many
// times over (crashed or sampled) with the solver in the analysis state, in which the poll lets
// no window message run, so nothing can edit the model under it. Its results stay in its own
// globals; the schedule itself goes back to the normal one through a normal solve at the end.
namespace Solve {

// The first loaded project whose solve rule halts when more time is needed (0, 2 or 4), or none.
Yproject* FirstHaltingProject();

// Why an analysis cannot start now, or an empty text when it can. It needs an active project, a
// completed solve with the solver idle, and no loaded project whose solve rule halts: a crashed
// or sampled pass that halted would leave half-solved dates behind. `analysis` names the analysis
// in the text ("Crash", "Risk analysis").
QString AnalysisRefusal(const QString& analysis);
// Raises error 10000 with the text of AnalysisRefusal when it gives one. The commands ask the user
// before they start an analysis, so reaching this refusal is a fault of the caller.
void RefuseUnlessReady(const QString& analysis);

// Clears the schedule before one pass of an analysis: every resource calendar's prepared days are
// cleared (their slots kept as spares), to be prepared afresh as the pass reaches them, then
// ResetPriorToSolve. Each pass
// books other lengths of work than the one before, and unbooking keeps the splits it made: without
// the clearing a day's chain of slots would grow with every pass and every pass would cost more than
// the last. Fresh days also price every pass's bookings alike.
void ResetPriorToPass();

// Where the quick variants start a slice that is dated without booking: at the later of its
// dependency date and its task's finish so far, as the forward pass places it, so that the parts
// of a task cut into slices follow one another instead of running side by side.
double QuickStart(Yslice& slice);

// Runs an analysis: shows the busy message and puts the solver in the analysis state, runs
// `body`, and then, however the body ended (completed, stopped by a solve error, or left through
// the error trap's Abort), returns the spare slots of its passes to the pool, leaves the analysis
// state for a normal solve (requested, with the solve timer armed) and clears the busy message.
// A failure of the body passes on to the caller.
void RunAnalysis(const QString& busyText, const std::function<void()>& body);

}  // namespace Solve
