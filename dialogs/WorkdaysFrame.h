#pragma once

#include <QGroupBox>

#include <array>

class QCheckBox;

// The "Workdays" frame of the resource and assignment dialogs: one check box per kind of day,
// WorkDayCheck0 to WorkDayCheck8 by the day-kind code (0 holiday, 1 Sunday to 7 Saturday, 8
// shutdown), each captioned with its day's name. Monday to Friday stand down the left column;
// Saturday, Sunday, then after a gap Holiday and Shutdown down the right one, and the tab order
// follows them in that order.
class WorkdaysFrame final : public QGroupBox {
  Q_OBJECT

 public:
  static constexpr int kDayKinds = 9;

  explicit WorkdaysFrame(QWidget* parent);

  // The check boxes by day-kind code.
  const std::array<QCheckBox*, kDayKinds>& Checks() const { return checks_; }

 private:
  std::array<QCheckBox*, kDayKinds> checks_{};
};
