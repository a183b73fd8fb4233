// The responsiveness of the real main window (offscreen, 1280 by 900 pixels) on a project of
// 10,000 tasks and 200 resources: the longest gap between two turns of the event loop, measured
// by a timer that would fire every millisecond (counter longest_gap_ms).
//
//   WindowSolveAfterEdit: an edit of the middle task's estimate, then the background solve it
//                         asks for, until the solve completes (goal: gaps of 50 ms at most).
//   WindowReadFile:       File > Open of the project saved as a plain file, with nothing loaded,
//                         until the window has the file (goal: gaps of 100 ms at most); counter
//                         progress_shown is 1 when every turn during the reading found the busy
//                         panel of the status bar saying "Reading from ...".

#include "BenchProgram.h"
#include "Bundle.h"
#include "CommonDialogs.h"
#include "Common.h"
#include "MainForm.h"
#include "Notifications.h"
#include "Pool.h"
#include "SolveState.h"
#include "Yproject.h"
#include "Ytask.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

// The longest gap between the ticks of a 1 ms timer while `work` runs, from its start to its end.
class GapMeter {
 public:
  explicit GapMeter(std::function<void()> onTick = {}) : onTick_(std::move(onTick)) {
    ticker_.setInterval(1);
    QObject::connect(&ticker_, &QTimer::timeout, [this] { Tick(); });
  }

  qint64 Measure(const std::function<void()>& work) {
    longest_ = 0;
    clock_.start();
    last_ = 0;
    ticker_.start();
    work();
    Tick();
    ticker_.stop();
    return longest_;
  }

 private:
  void Tick() {
    const qint64 now = clock_.elapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
    if (onTick_) onTick_();
  }

  std::function<void()> onTick_;
  QTimer ticker_;
  QElapsedTimer clock_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
};

// The open dialog answers one path.
class OpenAnswer final : public praxel::CommonDialogs {
 public:
  explicit OpenAnswer(QString path) : path_(std::move(path)) { praxel::SetCommonDialogs(this); }
  ~OpenAnswer() override { praxel::SetCommonDialogs(nullptr); }
  bool ChooseFont(praxel::FontChoice&) override { return false; }
  QString ChooseOpenFile(const praxel::FileDialogRequest&) override { return path_; }
  QString ChooseSaveFile(const praxel::FileDialogRequest&) override { return QString(); }
  bool SetUpPrinter() override { return false; }

 private:
  QString path_;
};

// Lets the window's events run until the solve has ended.
void RunSolve() {
  QElapsedTimer clock;
  clock.start();
  while (Solve::SolveMode() != Solve::ModeIdle && Solve::SolveMode() != Solve::ModeError && clock.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
}

void WindowSolveAfterEdit(benchmark::State& state) {
  const bench::Program program;
  GapMeter meter;
  qint64 longest = 0;
  int minutes = 60;
  for (auto _ : state) {
    longest = std::max(longest, meter.Measure([&] {
      program.middle->SetMostLikely(program.middle->MostLikely() + (minutes = -minutes));
      Solve::RestartSolve();
      RunSolve();
    }));
    if (Solve::SolveMode() != Solve::ModeIdle) state.SkipWithError("the solve did not complete");
  }
  state.counters["longest_gap_ms"] = static_cast<double>(longest);
}

void WindowReadFile(benchmark::State& state) {
  const bench::Program program;
  const QString path = QDir::tempPath() + QStringLiteral("/praxel-window-bench.pxa");
  if (!Bundle::SaveAll(path)) state.SkipWithError("cannot save");
  const OpenAnswer answer(path);
  bool progressShown = true;
  bool reading = false;
  GapMeter meter([&] {
    if (reading && !program.main->StatusMessageText().startsWith(QLatin1String("Reading from "))) progressShown = false;
  });
  qint64 longest = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Common::FreeAllMemory();
    Common::BroadcastNewThisProject();
    Common::BroadcastNewThisTemplate();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    longest = std::max(longest, meter.Measure([&] {
      reading = true;
      program.main->Control(QStringLiteral("FileOpenMenu"))->trigger();
      reading = false;
    }));
    state.PauseTiming();
    if (Common::Projects().IsEmpty()) state.SkipWithError("the file was not read");
    RunSolve();
    state.ResumeTiming();
  }
  state.counters["longest_gap_ms"] = static_cast<double>(longest);
  state.counters["progress_shown"] = progressShown ? 1 : 0;
  QFile::remove(path);
}

}  // namespace

BENCHMARK(WindowSolveAfterEdit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(WindowReadFile)->Unit(benchmark::kMillisecond)->UseRealTime();
