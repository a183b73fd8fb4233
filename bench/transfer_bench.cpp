// The Microsoft Project XML import and export of one large project: 10,000, 50,000 and 100,000
// tasks with their dependencies and assignments. The file is written to the temporary folder.

#include "Common.h"
#include "Pool.h"
#include "ProjectGenerator.h"
#include "Transfer.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {

QString FilePath() { return QDir::tempPath() + QStringLiteral("/praxel-bench-transfer.xml"); }

// One project of that many tasks, current with its template.
void BuildProject(int tasks) {
  Common::FreeAllMemory();
  generator::WorkloadSize size;
  size.tasks = tasks;
  size.tasksPerProject = tasks;
  size.resources = 200;
  generator::GenerateWorkload(size);
}

void ExportMSProject(benchmark::State& state) {
  BuildProject(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!Transfer::ExportToMSProject(FilePath())) state.SkipWithError("cannot export");
  }
}

void ImportMSProject(benchmark::State& state) {
  BuildProject(static_cast<int>(state.range(0)));
  if (!Transfer::ExportToMSProject(FilePath())) state.SkipWithError("cannot export");
  for (auto _ : state) {
    state.PauseTiming();
    Common::FreeAllMemory();
    state.ResumeTiming();
    if (!Transfer::ImportMSProject(FilePath())) state.SkipWithError("cannot import");
  }
}

BENCHMARK(ExportMSProject)->Arg(10000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportMSProject)->Arg(10000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
