#pragma once

#include "Ycrash.h"

#include <QList>

class Ypooled;

// The crash analysis: what it costs to finish the active project earlier by putting more people
// on its critical work. From the solved schedule it repeats a greedy step: among the critical
// slices of the active project's tree (the project and its subprojects), it finds the one whose
// team, one TeamIncrement larger, finishes the slice earlier at the lowest extra labour cost per
// day gained; that slice keeps its larger team, the schedule is solved again, and the project's
// finish and total cost become one row of CrashItems. The steps stop when no slice is crashable
// or no larger team finishes any slice earlier.
//
// A team multiplier m (1 in a normal solve) stands for m times the assigned resources, working at
// a lower efficiency the larger the group: with e the task's Efficiency, the slice's work is
// divided by m × e^(m−1) and its labour cost multiplied by 1 ÷ e^(m−1). Beyond m = −1 ÷ ln e a
// further increment lengthens the slice, so every slice's multiplier stays bounded.
//   Detailed: the slices are booked by the forward pass, which prices every slot at m times its
//             rate, so calendars and other projects' bookings shape the result.
//   Quick:    nothing is booked; each slice keeps the duration and cost of the last solve, scaled
//             by the model, and starts when its dependencies allow.
//
// Both variants run in the analysis state (AnalysisRun.h) and end by asking for a normal solve,
// so the schedule returns to the uncrashed one and only CrashItems keeps the steps. They refuse
// to start (error 10000 with the reason, through the error trap) when AnalysisRefusal gives a
// reason or TeamIncrement is not above 0; the crash command asks the user first.
namespace Solve {

// The amount by which one step raises a slice's multiplier; the crash command sets it.
float TeamIncrement();
void SetTeamIncrement(float Increment);

// The rows of the last crash analysis: the baseline (the solved schedule before any crashing),
// then one row per step in step order. None before the first analysis and after ClearCrashItems.
const QList<Ycrash>* CrashItems();
void ClearCrashItems();
// Rows kept as the analysis's own (results made elsewhere, such as a test's).
void SetCrashItems(QList<Ycrash> Items);
// The pool has freed the object: a row that names it as its task keeps its step without the task,
// so that no row names an object the pool hands out again.
void ForgetCrashedTask(const Ypooled* Object);

// Marks the crashable slices of SliceList: slices of the active project's tree whose float is the
// smallest of that tree's, whose task has an assignment, an efficiency above 0 and below 1, an
// estimate of working time that is not 0, and which are not empty. True when any was marked.
bool SetCrashableFlags();

void DetailedCrashSolve();
// Whether the passes of the detailed variant start where they differ from the last pass of their
// kind (the default) or from fresh calendars each time; both give the same rows. The tests
// compare the two.
void SetCrashPassReuse(bool Reuse);
void QuickCrashSolve();

}  // namespace Solve
