#pragma once

namespace Solve {

// The solver's poll between its steps and inside its loops: AbortSolve, except that the pending
// window messages are let run at most once per pump interval; between pumps the answer comes
// from the solve state alone (nothing can have changed it but the solver itself, which is what
// a solve error does). So a solve that polls a million times pumps a few hundred times a second.
bool PollAbort();

// The shortest time between two pumps, in milliseconds (5 by default). 0 pumps at every poll,
// which is what a test wants when it makes an edit at a chosen poll.
void SetPumpInterval(int milliseconds);
int PumpInterval();

}  // namespace Solve
