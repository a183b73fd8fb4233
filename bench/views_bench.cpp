// The Gantt chart of a project of 10,000 tasks (200 resources), solved on a journal two months
// after its start, offscreen at 1280 by 900 pixels.
//
//   GanttOpen:        Graphics > Dudivizivo Voruv until the window is shown; closing is not timed.
//   GanttNewSolution: the redraw after a solve (the new-solution notification to the open chart),
//                     with the longest stretch in it during which the application did not paint
//                     or run a timer (counter longest_still_ms).
//   GanttScrollStep:  one turn of the mouse wheel over the chart, painted.
//   HistogramOpen:    Graphics > Histogram until the window is shown; closing is not timed.

#include "BenchProgram.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

namespace {

QWidget* Gantt() { return Forms::Find(QStringLiteral("GanttForm")); }

void OpenGantt(const bench::Program& program) {
  program.main->Control(QStringLiteral("GraphicsGanttMenu"))->trigger();
  QCoreApplication::processEvents();
}

// Opens a chart through its Graphics entry, lets it show, and closes it again outside the timing.
void OpenChart(benchmark::State& state, const char* entry, const char* form) {
  const bench::Program program;
  for (auto _ : state) {
    program.main->Control(QString::fromLatin1(entry))->trigger();
    QCoreApplication::processEvents();
    state.PauseTiming();
    QWidget* chart = Forms::Find(QString::fromLatin1(form));
    if (chart == nullptr || !chart->isVisible()) {
      state.SkipWithError("the chart did not open");
      break;
    }
    Forms::Unload(chart);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void GanttOpen(benchmark::State& state) { OpenChart(state, "GraphicsGanttMenu", "GanttForm"); }
void HistogramOpen(benchmark::State& state) { OpenChart(state, "GraphicsHistogramMenu", "HistogramForm"); }

void GanttNewSolution(benchmark::State& state) {
  const bench::Program program;
  OpenGantt(program);
  // A timer that would fire every millisecond: the gaps between its ticks are the stretches the
  // window stood still.
  QElapsedTimer clock;
  qint64 lastTick = 0;
  qint64 longestStill = 0;
  QTimer ticker;
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longestStill = std::max(longestStill, clock.elapsed() - lastTick);
    lastTick = clock.elapsed();
  });
  for (auto _ : state) {
    ticker.start();
    clock.start();
    lastTick = 0;
    Common::BroadcastNewSolution();
    longestStill = std::max(longestStill, clock.elapsed() - lastTick);
    ticker.stop();
    QCoreApplication::processEvents();
  }
  state.counters["longest_still_ms"] = static_cast<double>(longestStill);
}

void GanttScrollStep(benchmark::State& state) {
  const bench::Program program;
  OpenGantt(program);
  QWidget* chart = Gantt()->findChild<QWidget*>(QStringLiteral("Ywindow"));
  const QPointF at(chart->width() / 2.0, chart->height() / 2.0);
  int direction = -1;
  int steps = 0;
  for (auto _ : state) {
    // Down the chart and back up again, so that every step scrolls.
    if (++steps % 50 == 0) direction = -direction;
    QWheelEvent wheel(at, chart->mapToGlobal(at), QPoint(), QPoint(0, 120 * direction), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart, &wheel);
    chart->repaint();
  }
}

}  // namespace

BENCHMARK(GanttOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(GanttNewSolution)->Unit(benchmark::kMillisecond);
BENCHMARK(GanttScrollStep)->Unit(benchmark::kMillisecond);
BENCHMARK(HistogramOpen)->Unit(benchmark::kMillisecond);
