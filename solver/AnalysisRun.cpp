#include "AnalysisRun.h"

#include "Common.h"
#include "ForwardPass.h"
#include "ResourceCalendar.h"
#include "RuntimeError.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "TrySolve.h"
#include "Yproject.h"
#include "Yresource.h"
#include "Yslice.h"
#include "Ytask.h"
#include "Ytemplate.h"

namespace Solve {

namespace {

bool Halts(int rule) { return rule == 0 || rule == 2 || rule == 4; }

// Back from the analysis state to a normal solve, and no busy message. A solve error raised by a
// pass of the analysis belongs to a crashed or sampled schedule, not to the user's: the normal
// solve finds out whether the user's schedule has one. Any other state (a suspension) is left to
// whoever set it.
void EndAnalysis() {
  ReleaseSpareSlots();
  if (SolveMode() == ModeAnalysis || SolveMode() == ModeError) {
    SetSolveMode(ModeIdle);
    RestartSolve();
  }
  Host().StatusMessage(QString());
}

}  // namespace

Yproject* FirstHaltingProject() {
  for (Yproject* project : Common::Projects()) {
    if (Halts(project->SolveRules())) return project;
  }
  return nullptr;
}

QString AnalysisRefusal(const QString& analysis) {
  if (Common::ThisProject() == nullptr) return QStringLiteral("There is no active project to analyse.");
  if (SolveMode() != ModeIdle) {
    return QStringLiteral("The schedule must be solved before an analysis can run.");
  }
  if (const Yproject* halting = FirstHaltingProject()) {
    return QStringLiteral("The project ") + halting->BuildNodeText() +
           QStringLiteral(" has a solve rule that halts on an error.  ") + analysis +
           QStringLiteral(" requires that the rule be changed so that it will continue (extend) and not halt.");
  }
  return QString();
}

void ResetPriorToPass() {
  // Cleared before the reset, which then has no bookings to release.
  for (const Ytemplate* templ : Common::Templates()) {
    for (const Yresource* resource : templ->ResourceList) {
      if (ResourceCalendar* calendar = FindCalendar(*resource)) calendar->ClearDays();
    }
  }
  ResetPriorToSolve();
}

double QuickStart(Yslice& slice) {
  Ytask& task = *slice.Task;
  const double start = FindLatestDate(task, slice.FromPercent);
  // The task's start is set once its first slice is dated.
  if (task.EarlyStart() != 0.0 && task.EarlyFinish() > start) return task.EarlyFinish();
  return start;
}

void RefuseUnlessReady(const QString& analysis) {
  const QString refusal = AnalysisRefusal(analysis);
  if (!refusal.isEmpty()) praxel::RaiseProgramError(refusal);
}

void RunAnalysis(const QString& busyText, const std::function<void()>& body) {
  Host().StatusMessage(busyText);
  SetSolveMode(ModeAnalysis);
  try {
    body();
  } catch (...) {
    EndAnalysis();
    throw;
  }
  EndAnalysis();
}

}  // namespace Solve
