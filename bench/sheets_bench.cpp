// The ten spreadsheets of a project of 10,000 tasks (200 resources) solved on a journal two months
// after its start: each sheet built from the model and the calendars, as the window and pxtool
// build it (SheetBuild/TYPE), and the sheets of most rows shown in the window, from the menu
// entry until the window shows (SheetWindow/TYPE).

#include "BenchProgram.h"
#include "Common.h"
#include "Forms.h"
#include "MainForm.h"
#include "OpenViews.h"
#include "Sheets.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>

namespace {

void SheetBuild(benchmark::State& state) {
  static const bench::Program program;
  const int type = static_cast<int>(state.range(0));
  double byDayStart = 0;
  qsizetype rows = 0;
  for (auto _ : state) {
    const SheetTable sheet = Sheets::Build(type, byDayStart);
    rows = sheet.Rows();
  }
  state.counters["rows"] = static_cast<double>(rows);
}

void SheetWindow(benchmark::State& state) {
  static const bench::Program program;
  QAction* entry = program.main->Control(QStringLiteral("SpreadsheetTypeMenu%1").arg(state.range(0)));
  for (auto _ : state) {
    entry->trigger();
    QCoreApplication::processEvents();
    state.PauseTiming();
    entry->trigger();  // closes it again
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(SheetBuild)->DenseRange(1, 10)->Unit(benchmark::kMillisecond);
BENCHMARK(SheetWindow)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);
