#pragma once

#include "ChartView.h"
#include "Ycrash.h"

#include <QList>

// The crash step list: the task slices a crash analysis speeds up, and their team multipliers, to
// bring the project's finish to one date of the crash plot. A dialog-style list, as big as its
// rows but never bigger than the main window's client area (it scrolls); it locks the main window
// while open.
class CrashDataForm final : public ChartView {
  Q_OBJECT

 public:
  explicit CrashDataForm(QWidget* parent = nullptr);

  // Keeps the date and the steps (sorted and without duplicates by the crash plot) and shows them.
  void Start(double date, const QList<Ycrash>& steps);
  double Date() const { return date_; }

  // A multiplier as a plain decimal number without trailing zeros: "1.25", "2".
  static QString MultiplierText(float multiplier);

 protected:
  QString Caption() const override;
  void RequestLayout() override { RedoLayout(); }
  bool ReadyToShow() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  using ChartView::Start;

  double date_ = 0;
  QList<Ycrash> steps_;
};
