#pragma once

#include "ChartView.h"

// The one-day zoom: every booked slot of every included resource of every loaded template on one
// day, a row each, coloured by its kind of time. The template calendar opens it on a day; it
// follows every solve while open and locks the main window like an entry dialog.
class ZoomForm final : public ChartView {
  Q_OBJECT

 public:
  explicit ZoomForm(QWidget* parent = nullptr);

  Q_INVOKABLE void Start(double day);
  double Day() const { return day_; }

 protected:
  QString Caption() const override;
  void RequestLayout() override { RedoLayout(); }
  bool ReadyToShow() override;
  void RedoLayout() override;
  void RedoGraphics() override;

 private:
  using ChartView::Start;

  double day_ = 0;
};
