#pragma once

#include "ChartView.h"
#include "Currency.h"
#include "Ycrash.h"

#include <QList>

class QRadioButton;

// The crash plot of the active project's last crash analysis: the project's cost against its
// finish date, one point per crash step, on a money axis of 1-2-5 steps. Under "Crash cost" the
// baseline's cost is taken off every point; under "Total cost" the whole cost is plotted. A
// click on a date lists the crash steps that pull the project in to that date.
class CrashForm final : public ChartView {
  Q_OBJECT

 public:
  explicit CrashForm(QWidget* parent = nullptr);

  praxel::Currency CostBase() const { return costBase_; }
  praxel::Currency CostRange() const { return costRange_; }
  double CostIncrement() const { return costIncrement_; }

  // The y of a cost on the plot (twips, not rounded).
  double CostToY(praxel::Currency cost);

  // The crash step for a clicked date and the steps that lead to it: the last step (from the end,
  // never before step 2) that still finishes on or after the date, its finish, and the steps
  // from it back to step 2, each slice once with its latest multiplier, sorted by multiplier
  // (largest first), project name, task number and the higher start percentage first.
  struct StepsToDate {
    double date = 0;
    QList<Ycrash> steps;
  };
  static StepsToDate CrashStepsTo(const QList<Ycrash>& items, double date);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  void PlotCost();
  void Ywindow_DateClick(double date);

  QList<QRadioButton*> options_;  // "Total cost", "Crash cost"
  praxel::Currency costBase_;
  praxel::Currency costRange_;
  double costIncrement_ = 1;
};
