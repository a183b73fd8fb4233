#pragma once

#include "SolverHost.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace Solve {

// The host inside the program's event loop. The solve timer is a 1 ms QTimer whose timeout
// disarms it and runs the solve state's tick; the pump is QCoreApplication::processEvents(). The
// main window connects the signals: its solve panel to SolveMessageChanged, its notification of
// every open window to NewSolution, its busy panel to StatusMessageRequested.
class QtSolverHost final : public QObject, public SolverHost {
  Q_OBJECT

 public:
  explicit QtSolverHost(QObject* parent = nullptr);
  ~QtSolverHost() override;

  QString SolveMessage() const override { return solveMessage_; }
  void SetSolveMessage(const QString& Text) override;
  bool SolveTimerEnabled() const override { return solveTimer_.isActive(); }
  void SetSolveTimerEnabled(bool Enabled) override;
  void PumpMessages() override;
  void PumpPaintMessages() override;
  void BroadcastNewSolution() override;
  void StatusMessage(const QString& Text) override;

 signals:
  void SolveMessageChanged(const QString& Text);
  void NewSolution();
  void StatusMessageRequested(const QString& Text);

 private:
  void OnSolveTimer();

  QTimer solveTimer_;
  QString solveMessage_;
};

}  // namespace Solve
