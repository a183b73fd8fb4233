#include "HeadlessSolve.h"

#include "SolveState.h"
#include "SolverHost.h"
#include "TrySolve.h"

namespace Solve {

QString SolveHeadless(HeadlessSolverHost& host) {
  SolverHost& previous = Host();
  SetHost(&host);
  InstallSolver();
  RestartSolve();
  if (SolveMode() == ModeRequested) host.SetSolveTimerEnabled(true);
  while (SolveMode() == ModeRequested || SolveMode() == ModeSolving) {
    if (host.RunTimer() == 0) break;
  }
  const QString message = SolveMessage();
  SetHost(&previous);
  return message;
}

QString SolveHeadless() {
  HeadlessSolverHost host;
  return SolveHeadless(host);
}

}  // namespace Solve
