// The Gantt chart of a project of 10,000 tasks (200 resources), solved on a journal two months
// after its start, offscreen at 1280 by 900 pixels.
//
//   GanttOpen:        Graphics > Dudivizivo Voruv until the window is shown; closing is not timed.
//   GanttNewSolution: the redraw after a solve (the new-solution notification to the open chart),
//                     with the longest stretch in it during which the application did not paint
//                     or run a timer (counter longest_still_ms).
//   GanttScrollStep:  one turn of the mouse wheel over the chart, painted.
//   HistogramOpen:    Graphics > Histogram until the window is shown; closing is not timed.
//   PrecedenceOpen:   Graphics > Precedence diagram of a project of 2,000 tasks (40 resources),
//                     numbered boxes, until the window is shown; closing is not timed.
//   PrecedenceDates:  the same diagram laid out and drawn again in the style "Date and time".

#include "BenchProgram.h"
#include "Forms.h"
#include "MainForm.h"
#include "Notifications.h"

#include <benchmark/benchmark.h>

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

namespace {

QWidget* Gantt() { return Forms::Find(QStringLiteral("GanttForm")); }

void OpenGantt(const bench::Program& program) {
  program.main->Control(QStringLiteral("GraphicsGanttMenu"))->trigger();
  QCoreApplication::processEvents();
}

// Opens a chart of the program through its Graphics entry, lets it show, and closes it again
// outside the timing.
void OpenChart(benchmark::State& state, const char* entry, const char* form, const bench::Program& program) {
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

void GanttOpen(benchmark::State& state) { OpenChart(state, "GraphicsGanttMenu", "GanttForm", bench::Program()); }
void HistogramOpen(benchmark::State& state) {
  OpenChart(state, "GraphicsHistogramMenu", "HistogramForm", bench::Program());
}
void PrecedenceOpen(benchmark::State& state) {
  OpenChart(state, "GraphicsPrecedenceMenu", "PrecedenceForm", bench::Program(2000, 40));
}

void PrecedenceDates(benchmark::State& state) {
  const bench::Program program(2000, 40);
  program.main->Control(QStringLiteral("GraphicsPrecedenceMenu"))->trigger();
  QCoreApplication::processEvents();
  QWidget* diagram = Forms::Find(QStringLiteral("PrecedenceForm"));
  auto* numbers = diagram->findChild<QRadioButton*>(QStringLiteral("StyleOption0"));
  auto* dates = diagram->findChild<QRadioButton*>(QStringLiteral("StyleOption3"));
  for (auto _ : state) {
    dates->click();
    QCoreApplication::processEvents();
    state.PauseTiming();
    numbers->click();
    state.ResumeTiming();
  }
}

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
BENCHMARK(PrecedenceOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(PrecedenceDates)->Unit(benchmark::kMillisecond);
