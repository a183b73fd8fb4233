#pragma once

#include "ChartView.h"
#include "Currency.h"

#include <QList>

class QCheckBox;

// The budget plot of the active project: its cumulative cost against time, as the plan and
// current journals spend it day by day, or as the three earned-value curves (BCWS, BCWP, ACWP),
// for material cost, labor cost or their total; a money ladder of 1-2-5 steps, a key line per
// curve, the today line. The check boxes are kept in a drawable combination by Start.
class BudgetForm final : public ChartView {
  Q_OBJECT

 public:
  explicit BudgetForm(QWidget* parent = nullptr);

  praxel::Currency MaxCost() const { return maxCost_; }
  double Increment() const { return increment_; }

  // Spreads a task's cost over the calendar days it touches, evenly, each share to the currency's
  // precision; a task that starts and finishes on one midnight puts its whole cost on that day.
  // DayCosts[i] is day FirstDay + i; days outside the array fall on its nearest end.
  static void SpreadTaskCost(QList<praxel::Currency>& DayCosts, int FirstDay, double Start, double Finish,
                             praxel::Currency Cost);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  void ReconcileChecks();
  void ComputeMaxCost();
  double CostToY(praxel::Currency cost);
  // The costs of the active project's included tasks in the journal now current, by cost kind.
  void PlotPlanOrCurrent(bool plan, int costKind);
  void PlotEarnedValue(const QString& which, int costKind);
  void PlotCurve(const QString& label, int color, int thickness, bool pastToday);
  // Sizes DayCosts over the whole days of the project's span in the journal now current.
  void ClearDayCosts();

  QCheckBox* plan_;
  QCheckBox* current_;
  QCheckBox* earnedValue_;
  QCheckBox* material_;
  QCheckBox* labor_;
  QCheckBox* total_;
  QCheckBox* pastToday_;
  QCheckBox* clicked_ = nullptr;  // the box whose click is being answered
  praxel::Currency maxCost_;
  double increment_ = 1;
  int layoutCurves_ = 0;  // the curves the layout made room for in the key
  int curveCount_ = 0;    // counts down as the curves are drawn
  int firstDay_ = 0;
  QList<praxel::Currency> dayCosts_;
};
