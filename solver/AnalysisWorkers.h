#pragma once

#include "Currency.h"

#include <cstdint>
#include <functional>

// Iterations of an analysis spread over worker processes, one per core.
//
// Every iteration of the risk analysis starts from the same solved schedule and draws nothing at
// run time (its deviates are in the table built before the first one), so iterations do not
// depend on each other. The model, the calendars and the solve state are the window thread's
// alone, so the iterations are not run on threads of this process: each worker is a copy of it
// (fork), which dates its share of the iterations in its own copy of the model and sends back
// what each one ended with. The calling process gathers the outcomes and hands them on in
// iteration order, whatever worker sent them and whenever it did; while it waits it polls as a
// pass does, so its windows keep painting and no input reaches the model.
//
// A worker never shows anything: when an iteration of a worker stops on a solve error or meets a
// failure that would ask the user, the worker reports it and ends, and the caller runs that
// iteration (and every later one) itself, as a run without workers would, so the user sees the
// same error at the same iteration.
namespace Solve {

// The number of processes over which an analysis spreads its iterations: the value of the
// environment variable PRAXEL_WORKERS when it is a whole number from 1 to 256 (1 runs every
// iteration in this process), else one per core (QThread::idealThreadCount).
int AnalysisWorkerCount();

// What an iteration ends with: the active project's finish and total cost.
struct IterationOutcome {
  double finish = 0.0;
  praxel::Currency cost;
};

// Runs iterations `first` to `last` in `workers` worker processes (worker w takes every
// workers-th iteration from first + w). `iterate(k, outcome)` runs iteration k in a worker and
// answers False when it stopped short; `deliver(k, outcome)` receives the outcomes here, in
// order of k. `keepWaiting()` is called between waits and answers False to give up. Answers the
// first iteration that was not delivered (last + 1 when all were): the caller runs it and the
// rest itself. With fewer than two workers or iterations, or when no worker can be started,
// nothing runs and the answer is `first`.
std::int32_t RunIterationsInWorkers(std::int32_t first, std::int32_t last, int workers,
                                    const std::function<bool(std::int32_t, IterationOutcome&)>& iterate,
                                    const std::function<void(std::int32_t, const IterationOutcome&)>& deliver,
                                    const std::function<bool()>& keepWaiting);

}  // namespace Solve
