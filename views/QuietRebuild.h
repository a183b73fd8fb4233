#pragma once

#include "PaintBreaks.h"

#include <QPointer>
#include <QWidget>

#include <optional>

// While a shown chart is built again (after a solve, say), it keeps showing the picture it had
// until the new chart is complete, and the rebuild's long loops let the application paint: the
// window never stands still for long. A chart that is not shown yet is simply built.
class QuietRebuild {
 public:
  explicit QuietRebuild(QWidget* chart);
  ~QuietRebuild();
  QuietRebuild(const QuietRebuild&) = delete;
  QuietRebuild& operator=(const QuietRebuild&) = delete;

 private:
  QPointer<QWidget> chart_;
  std::optional<Ywindow::PaintBreaks> breaks_;
};
