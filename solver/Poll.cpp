#include "Poll.h"

#include "SolveState.h"

#include <QElapsedTimer>

namespace Solve {

namespace {

// Reading the clock is itself the costliest part of a cheap poll, so it is read once in so
// many polls; polls come microseconds apart, so a pump is never late by much.
constexpr int kPollsPerClockReading = 16;

struct PumpClock {
  int interval = 5;
  QElapsedTimer sincePump;  // invalid until the first pump
  int pollsToClockReading = 0;
};

PumpClock& Clock() {
  static PumpClock clock;
  return clock;
}

// Whether the pump interval has passed since the last pump.
bool PumpDue(PumpClock& clock) {
  if (clock.interval <= 0 || !clock.sincePump.isValid()) return true;
  if (--clock.pollsToClockReading > 0) return false;
  clock.pollsToClockReading = kPollsPerClockReading;
  return clock.sincePump.elapsed() >= clock.interval;
}

}  // namespace

bool PollAbort() {
  PumpClock& clock = Clock();
  if (!PumpDue(clock)) {
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
