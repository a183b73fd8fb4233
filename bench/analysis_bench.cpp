// The crash and risk analyses on generated projects: tasks in chains and fan-outs, resources on the
// standard shift, one to three resources per task (one resource per 50 tasks), estimates from 80 %
// to 150 % of the most likely one.
//
//   DetailedRisk:  a detailed risk analysis of N iterations (a booking pass each), in one
//                  process (workers 1) or in one worker process per core (workers 0).
//   QuickRisk:     the same with arithmetic passes.
//   DetailedCrash: a detailed crash analysis with the team increment 0.25, to its end.
//   QuickCrash:    the same with arithmetic passes.
// Each time is one whole analysis, from the solved schedule to the request of the closing solve.

#include "AnalysisWorkers.h"
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

#include <QByteArray>

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

// Arguments: tasks, iterations, worker processes (0: one per core).
void Risk(benchmark::State& state, bool quick) {
  Solve::SetRiskIterations(static_cast<int>(state.range(1)));
  if (state.range(2) > 0) {
    qputenv("PRAXEL_WORKERS", QByteArray::number(state.range(2)));
  } else {
    qunsetenv("PRAXEL_WORKERS");
  }
  state.counters["workers"] = Solve::AnalysisWorkerCount();
  Analyse(state, [quick] { Solve::RunRiskAnalysis(quick); });
  qunsetenv("PRAXEL_WORKERS");
  state.counters["iterations"] = static_cast<double>(state.range(1));
}

void DetailedRisk(benchmark::State& state) { Risk(state, false); }
void QuickRisk(benchmark::State& state) { Risk(state, true); }

void Crash(benchmark::State& state, bool quick) {
  Solve::SetTeamIncrement(0.25f);
  qsizetype steps = 0;
  Analyse(state, [quick, &steps] {
    quick ? Solve::QuickCrashSolve() : Solve::DetailedCrashSolve();
    const QList<Ycrash>* rows = Solve::CrashItems();
    steps = rows != nullptr ? rows->size() - 1 : 0;  // read before the model goes
  });
  state.counters["steps"] = static_cast<double>(steps);
}

void DetailedCrash(benchmark::State& state) { Crash(state, false); }
void QuickCrash(benchmark::State& state) { Crash(state, true); }

}  // namespace

BENCHMARK(DetailedRisk)
    ->Args({500, 1000, 1})
    ->Args({500, 1000, 0})
    ->Args({10000, 100, 1})
    ->Args({10000, 100, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(QuickRisk)->Args({500, 1000, 1})->Args({500, 1000, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(DetailedCrash)->Arg(200)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(QuickCrash)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
