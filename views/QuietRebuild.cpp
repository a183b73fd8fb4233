#include "QuietRebuild.h"

QuietRebuild::QuietRebuild(QWidget* chart) {
  if (chart == nullptr || !chart->isVisible()) return;
  chart_ = chart;
  // Without updates the chart is not painted: the screen keeps its last picture of it.
  chart_->setUpdatesEnabled(false);
  breaks_.emplace();
}

QuietRebuild::~QuietRebuild() {
  breaks_.reset();
  if (chart_ != nullptr) chart_->setUpdatesEnabled(true);
}
