// Saving and loading a large project file: 10,000 tasks, 200 resources and three journals, plain
// (.pxa) and packed (.pxb). The file is written to the temporary folder. And reading a settings
// file of 200,000 settings, which the window does before it appears.

#include "Bundle.h"
#include "Common.h"
#include "Packing.h"
#include "Pool.h"
#include "Settings.h"
#include "ProjectGenerator.h"
#include "Yproject.h"
#include "Ytask.h"
#include "Ytemplate.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString FilePath(const char* extension) { return QDir::tempPath() + QStringLiteral("/praxel-bench") + QLatin1String(extension); }

// The generated set with two more journals, whose values differ from the first one's for some
// tasks, so that per-journal lines hold several values.
void BuildLargeModel() {
  Common::FreeAllMemory();
  generator::WorkloadSize size;
  size.tasks = 10000;
  size.resources = 200;
  const generator::Workload workload = generator::GenerateWorkload(size);
  for (double date : {45400.0, 45500.0}) {
    workload.templ->AddJournal(date);
    for (Yproject* project : workload.projects) {
      project->AddJournal(date);
      int n = 0;
      for (Ytask* task : project->TaskList) {
        if (++n % 3 == 0) task->SetMostLikely(task->MostLikely() + 60);
      }
    }
  }
}

void Save(benchmark::State& state, const char* extension) {
  BuildLargeModel();
  const QString path = FilePath(extension);
  for (auto _ : state) {
    if (!Bundle::SaveAll(path)) state.SkipWithError("cannot save");
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

void Load(benchmark::State& state, const char* extension) {
  BuildLargeModel();
  const QString path = FilePath(extension);
  Bundle::SaveAll(path);
  for (auto _ : state) {
    state.PauseTiming();
    Common::FreeAllMemory();
    state.ResumeTiming();
    if (!Bundle::OpenBundle(path)) state.SkipWithError("cannot load");
  }
  int tasks = 0;
  for (const Yproject* project : Common::Projects()) tasks += static_cast<int>(project->TaskList.Count());
  state.counters["tasks"] = tasks;
}

void SavePlain(benchmark::State& state) { Save(state, ".pxa"); }
void SavePacked(benchmark::State& state) { Save(state, ".pxb"); }
void LoadPlain(benchmark::State& state) { Load(state, ".pxa"); }
void LoadPacked(benchmark::State& state) { Load(state, ".pxb"); }

void ReadManySettings(benchmark::State& state) {
  QByteArray text = "INITIALIZATION\r\n";
  for (int i = 0; i < 200000; ++i) text += "Window" + QByteArray::number(i) + ".FontSize," + QByteArray::number(i % 20) + "\r\n";
  QFile file(Settings::ConfigFilePath());
  if (!file.open(QIODevice::WriteOnly) || file.write(Packing::PackBytes(text)) < 0) state.SkipWithError("cannot write");
  file.close();
  for (auto _ : state) {
    Settings::ForgetStore();
    benchmark::DoNotOptimize(Settings::ReadSettings(QStringLiteral("Window199999.FontSize")));
  }
  Settings::ForgetStore();
  QFile::remove(Settings::ConfigFilePath());
}

BENCHMARK(SavePlain)->Unit(benchmark::kMillisecond);
BENCHMARK(SavePacked)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadPacked)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadManySettings)->Unit(benchmark::kMillisecond);

}  // namespace
