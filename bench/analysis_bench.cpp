// The crash and risk analyses on generated projects: tasks in chains and fan-outs, resources on the
// standard shift, one to three resources per task (one resource per 50 tasks), estimates from 80 %
// to 150 % of the most likely one.
//
//   DetailedRisk:  a detailed risk analysis of 1,000 iterations (a booking pass each).
//   QuickRisk:     the same with arithmetic passes.
//   DetailedCrash: a detailed crash analysis with the team increment 0.25, to its end.
//   QuickCrash:    the same with arithmetic passes.
// Each time is one whole analysis, from the solved schedule to the request of the closing solve.

#include "Common.h"
#include "CrashAnalysis.h"
#include "HeadlessSolve.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "RiskAnalysis.h"
#include "SliceOrder.h"
#include "SolveState.h"
#include "SolverHost.h"
#include "TrySolve.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// A solved set of one project of `tasks` tasks, active.
bool SolvedWorkload(benchmark::State& state, int tasks) {
  Solve::InstallSolver();
  Common::FreeAllMemory();
  Solve::SetSolveMode(Solve::ModeIdle);
  generator::WorkloadSize size;
  size.tasks = tasks;
  size.tasksPerProject = tasks;
  size.resources = tasks / 50;
  generator::GenerateWorkload(size);
  Solve::HeadlessSolverHost host;
  const QString message = Solve::SolveHeadless(host);
  if (message == QLatin1String("Solve complete")) return true;
  state.SkipWithError(message.toStdString().c_str());
  return false;
}

void Analyse(benchmark::State& state, const std::function<void()>& analysis) {
  if (!SolvedWorkload(state, static_cast<int>(state.range(0)))) return;
  state.counters["slices"] = static_cast<double>(Solve::SliceList().size());
  Solve::HeadlessSolverHost host;
  Solve::SetHost(&host);
  for (auto _ : state) {
    analysis();
    // The closing solve the analysis asked for is not part of the analysis; it gives the next
    // round the same solved schedule to start from.
    state.PauseTiming();
    Solve::SolveHeadless(host);
    state.ResumeTiming();
  }
  Solve::SetHost(nullptr);
  Common::FreeAllMemory();
}

void DetailedRisk(benchmark::State& state) {
  Solve::SetRiskIterations(static_cast<int>(state.range(1)));
  Analyse(state, [] { Solve::RunRiskAnalysis(false); });
  state.counters["iterations"] = static_cast<double>(state.range(1));
}

void QuickRisk(benchmark::State& state) {
  Solve::SetRiskIterations(static_cast<int>(state.range(1)));
  Analyse(state, [] { Solve::RunRiskAnalysis(true); });
  state.counters["iterations"] = static_cast<double>(state.range(1));
}

void Crash(benchmark::State& state, bool quick) {
  Solve::SetTeamIncrement(0.25f);
  Analyse(state, [quick] { quick ? Solve::QuickCrashSolve() : Solve::DetailedCrashSolve(); });
  const QList<Ycrash>* rows = Solve::CrashItems();
  state.counters["steps"] = rows != nullptr ? static_cast<double>(rows->size() - 1) : 0.0;
}

void DetailedCrash(benchmark::State& state) { Crash(state, false); }
void QuickCrash(benchmark::State& state) { Crash(state, true); }

}  // namespace

BENCHMARK(DetailedRisk)->Args({500, 1000})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(QuickRisk)->Args({500, 1000})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(DetailedCrash)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(QuickCrash)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
