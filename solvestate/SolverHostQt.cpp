#include "SolverHostQt.h"

#include "SolveState.h"

#include <QCoreApplication>

namespace Solve {

QtSolverHost::QtSolverHost(QObject* parent) : QObject(parent) {
  solveTimer_.setInterval(1);
  connect(&solveTimer_, &QTimer::timeout, this, &QtSolverHost::OnSolveTimer);
}

QtSolverHost::~QtSolverHost() = default;

void QtSolverHost::SetSolveMessage(const QString& Text) {
  solveMessage_ = Text;
  emit SolveMessageChanged(Text);
}

void QtSolverHost::SetSolveTimerEnabled(bool Enabled) {
  // Enabling an enabled timer changes nothing: it keeps its next tick.
  if (!Enabled) {
    solveTimer_.stop();
  } else if (!solveTimer_.isActive()) {
    solveTimer_.start();
  }
}

void QtSolverHost::PumpMessages() { QCoreApplication::processEvents(); }

void QtSolverHost::PumpPaintMessages() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void QtSolverHost::BroadcastNewSolution() { emit NewSolution(); }

void QtSolverHost::StatusMessage(const QString& Text) { emit StatusMessageRequested(Text); }

void QtSolverHost::OnSolveTimer() {
  // One-shot: this timer stops itself even when the tick works on another installed host.
  solveTimer_.stop();
  SolveTimer_Timer();
}

}  // namespace Solve
