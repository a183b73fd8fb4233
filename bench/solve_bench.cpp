// A full solve of generated project sets: tasks in chains and fan-outs, resources on the standard
// shift, one to three resources per task, a few links across projects. The resources grow with
// the tasks (one per 50), so the load per resource stays the same from size to size and the time
// should grow close to linearly.
//
//   FirstSolve: the first solve after the set is built (every calendar day prepared afresh).
//   Resolve:    the solve that follows an edit (calendars kept, bookings released).

#include "Common.h"
#include "HeadlessSolve.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "TrySolve.h"
#include "Yproject.h"
#include "Ytask.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

generator::WorkloadSize SizeOf(const benchmark::State& state) {
  generator::WorkloadSize size;
  size.tasks = static_cast<int>(state.range(0));
  size.resources = static_cast<int>(state.range(1));
  return size;
}

void Report(benchmark::State& state, const generator::Workload& workload,
            const Solve::HeadlessSolverHost& host) {
  // The span of the schedule in days and the mean days per task: with the load per resource
  // kept, both stay about the same from size to size.
  double first = 0.0;
  double last = 0.0;
  double days = 0.0;
  for (const Yproject* project : workload.projects) {
    for (const Ytask* task : project->TaskList) {
      if (first == 0.0 || task->EarlyStart() < first) first = task->EarlyStart();
      last = std::max(last, task->EarlyFinish());
      days += task->EarlyFinish() - task->EarlyStart();
    }
  }
  state.counters["span"] = last - first;
  state.counters["days_per_task"] = days / workload.tasks;
  state.counters["tasks"] = workload.tasks;
  // The message pumps per solve: at most one every few milliseconds, however many polls.
  state.counters["pumps"] = benchmark::Counter(host.Pumps(), benchmark::Counter::kAvgIterations);
  state.counters["slices"] = static_cast<double>(Solve::SliceList().size());
  state.counters["assignments"] = workload.assignments;
}

void FirstSolve(benchmark::State& state) {
  Solve::InstallSolver();
  Solve::HeadlessSolverHost host;
  generator::Workload workload;
  for (auto _ : state) {
    state.PauseTiming();
    Common::FreeAllMemory();
    Solve::SetSolveMode(Solve::ModeIdle);
    workload = generator::GenerateWorkload(SizeOf(state));
    state.ResumeTiming();
    const QString message = Solve::SolveHeadless(host);
    if (message != QLatin1String("Solve complete")) state.SkipWithError(message.toStdString().c_str());
  }
  Report(state, workload, host);
  Common::FreeAllMemory();
}

void Resolve(benchmark::State& state) {
  Solve::InstallSolver();
  Solve::HeadlessSolverHost host;
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
  const generator::Workload workload = generator::GenerateWorkload(SizeOf(state));
  Solve::HeadlessSolverHost first;
  Solve::SolveHeadless(first);
  for (auto _ : state) {
    const QString message = Solve::SolveHeadless(host);
    if (message != QLatin1String("Solve complete")) state.SkipWithError(message.toStdString().c_str());
  }
  Report(state, workload, host);
  Common::FreeAllMemory();
}

void Sizes(benchmark::internal::Benchmark* bench) {
  for (const int tasks : {1000, 5000, 10000, 20000, 50000}) bench->Args({tasks, tasks / 50});
  // Several iterations at every size: the first one also pays for the first touch of the
  // memory its size needs, and a size measured by one iteration alone would not compare.
  bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

}  // namespace

BENCHMARK(FirstSolve)->Apply(Sizes);
BENCHMARK(Resolve)->Apply(Sizes);
