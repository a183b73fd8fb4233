#pragma once

#include "ChartView.h"
#include "Currency.h"

#include <QList>

class QRadioButton;

// The risk plot of the active project's last risk analysis, over the date axis: "Probability",
// the share of the iterations finished by each date as a rising step curve with the most likely
// finish marked; or "Total cost", a bar from the lowest to the highest cost of each finish day
// and a line through the days' average costs. Results of another project are not shown.
class RiskForm final : public ChartView {
  Q_OBJECT

 public:
  explicit RiskForm(QWidget* parent = nullptr);

  praxel::Currency CostRange() const { return costRange_; }
  double CostIncrement() const { return costIncrement_; }
  // The y of a cost, and of the share of iterations up to an index, on the plot (twips).
  double CostToY(praxel::Currency cost);
  int IndexToY(int index);

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  bool ProbabilityChosen() const;
  void PlotProbability();
  void PlotTotalCost();

  QList<QRadioButton*> options_;  // "Probability", "Total cost"
  praxel::Currency costRange_;
  double costIncrement_ = 1;
};
