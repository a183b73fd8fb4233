#include "SolverHost.h"

#include "SolveState.h"

namespace Solve {

namespace {

SolverHost* installedHost = nullptr;

HeadlessSolverHost& DefaultHost() {
  static HeadlessSolverHost host;
  return host;
}

}  // namespace

SolverHost::~SolverHost() {
  if (installedHost == this) installedHost = nullptr;
}

void SetHost(SolverHost* host) { installedHost = host; }

SolverHost& Host() { return installedHost != nullptr ? *installedHost : DefaultHost(); }

void HeadlessSolverHost::PumpMessages() {
  ++pumps_;
  if (pumpHook_) pumpHook_();
}

int HeadlessSolverHost::RunTimer() {
  int ticks = 0;
  while (timerEnabled_) {
    // The timer is one-shot: disarm it here too, so that a tick meant for another host cannot
    // keep this loop going.
    timerEnabled_ = false;
    SolveTimer_Timer();
    ++ticks;
  }
  return ticks;
}

}  // namespace Solve
