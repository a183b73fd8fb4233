#include "Poll.h"

#include "SolveState.h"

#include <QElapsedTimer>

namespace Solve {

namespace {

struct PumpClock {
  int interval = 5;
  QElapsedTimer sincePump;  // invalid until the first pump
};

PumpClock& Clock() {
  static PumpClock clock;
  return clock;
}

}  // namespace

bool PollAbort() {
  PumpClock& clock = Clock();
  if (clock.interval > 0 && clock.sincePump.isValid() && clock.sincePump.elapsed() < clock.interval) {
    const int mode = SolveMode();
    return mode != ModeSolving && mode != ModeAnalysis;
  }
  const bool abort = AbortSolve();
  clock.sincePump.start();
  return abort;
}

void SetPumpInterval(int milliseconds) { Clock().interval = milliseconds > 0 ? milliseconds : 0; }

int PumpInterval() { return Clock().interval; }

}  // namespace Solve
