#pragma once

#include <QString>

#include <functional>
#include <utility>

namespace Solve {

// What the solve state uses of the main window: the solver's status text (the status bar's solve
// panel), the one-shot solve timer, the message pump, the broadcast of a new solution and the
// busy message. One host is installed at a time (SetHost); the solve state reaches it through
// Host() and never holds a window of its own.
//
// The contract of the timer: while it is enabled, the host calls Solve::SolveTimer_Timer() at its
// next idle moment, once, after disabling it; the tick may enable it again. The host only stores
// and shows: every decision about when to solve is the solve state's.
class SolverHost {
 public:
  SolverHost() = default;
  SolverHost(const SolverHost&) = delete;
  SolverHost& operator=(const SolverHost&) = delete;
  // A host that is destroyed while installed is uninstalled first, so Host() never answers a
  // destroyed host.
  virtual ~SolverHost();

  // The text of the solve panel.
  virtual QString SolveMessage() const = 0;
  virtual void SetSolveMessage(const QString& Text) = 0;

  // The solve timer's Enabled switch (interval 1 ms).
  virtual bool SolveTimerEnabled() const = 0;
  virtual void SetSolveTimerEnabled(bool Enabled) = 0;

  // Lets every pending window message run to completion before it returns.
  virtual void PumpMessages() = 0;
  // Lets the windows repaint and the timers run, but no input of the user: what an analysis lets
  // run, so that the program keeps answering while nothing can change the model under it.
  virtual void PumpPaintMessages() {}

  // Tells every open window that a new solution is ready. Called once per completed solve.
  virtual void BroadcastNewSolution() = 0;

  // The busy message of the long analyses: a text while they run, an empty text at their end.
  virtual void StatusMessage(const QString& Text) = 0;
};

// Installs the host the solve state uses (not owned); nullptr goes back to the headless default.
void SetHost(SolverHost* host);
// The installed host, or the headless default when none is installed.
SolverHost& Host();

// The host with no window: pxtool's and the tests'. It keeps the text and the timer switch, and
// RunTimer() stands in for the message loop: it runs ticks while the timer is armed. Its pump runs
// a hook, so a test can make an edit inside a poll, and it counts pumps and broadcasts.
class HeadlessSolverHost final : public SolverHost {
 public:
  QString SolveMessage() const override { return solveMessage_; }
  void SetSolveMessage(const QString& Text) override { solveMessage_ = Text; }
  bool SolveTimerEnabled() const override { return timerEnabled_; }
  void SetSolveTimerEnabled(bool Enabled) override { timerEnabled_ = Enabled; }
  void PumpMessages() override;
  void BroadcastNewSolution() override { ++broadcasts_; }
  void StatusMessage(const QString& Text) override { statusText_ = Text; }

  // Runs the solve timer's ticks for as long as it is armed; returns how many ticks ran.
  int RunTimer();

  // The messages that are "pending" at each pump: the hook runs once per PumpMessages().
  void SetPumpHook(std::function<void()> hook) { pumpHook_ = std::move(hook); }

  int Pumps() const { return pumps_; }
  int Broadcasts() const { return broadcasts_; }
  const QString& StatusText() const { return statusText_; }

 private:
  QString solveMessage_;
  QString statusText_;
  bool timerEnabled_ = false;
  std::function<void()> pumpHook_;
  int pumps_ = 0;
  int broadcasts_ = 0;
};

}  // namespace Solve
