#pragma once

namespace Solve {

// One solve run over every loaded project, started by the solve timer's tick with the state at
// "solving": the checks, the slice order, the clearing of the previous solution, the forward and
// the backward pass. It polls after each step, so an edit made in a poll stops it and the tick
// starts it over. A run that is still solving at its end completes: "Solve complete" (or "No
// projects loaded") and one broadcast of the new solution; a run stopped by a solve error leaves
// the error's message and object.
void TrySolve();
// The steps of one run.
void DoEverything();
// Clears the previous solution: every resource calendar is matched to the model (all bookings
// released), and every sliced task's early dates and labour cost become 0. Polls before each
// calendar and each slice.
void ResetPriorToSolve();

// Makes the solver the solve state's run, registers the slice and slot classes with the pool,
// the solver's clear-all with the program-wide one and its forgetting of a freed object with the
// solve state's. Called once before the first solve; calling
// it again does no harm.
void InstallSolver();

}  // namespace Solve
