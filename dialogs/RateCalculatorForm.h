#pragma once

#include "EntryForm.h"
#include "RateCalculation.h"

#include <QPointer>

#include <array>

class MoneyText;
class QLineEdit;

// "Burdened Rate Calculator": works a resource's four hourly rates out of one hourly rate and four
// multipliers (RateCalculation.h) and hands them to the resource dialog that opened it, which
// stores them on its own Ok. It starts from the hourly rate behind the resource dialog's burdened
// rate and the multipliers 1.5, 1.5, 2 and 3; every change to an input works every result out
// again, and Ok is enabled exactly while all five inputs are numbers.
//
// The hourly rate found from the burdened rate stays exact behind the two decimals shown until it
// is edited, so Ok without an edit hands back the burdened rate it was given. A rate typed counts
// as typed while it is typed, and as shown, to the cent, once its box is left. Ok hands each
// result over as shown, to the cent; a rate box that already holds the result exactly keeps it.
// A burdened rate that is no number opens the calculator with no hourly rate.
//
// While it is open the resource dialog takes no input; closing it, by Ok or Cancel, hands the
// main window's lock back to the resource dialog.
class RateCalculatorForm final : public EntryForm {
  Q_OBJECT

 public:
  // The resource dialog's rate boxes: burdened, overtime, off-day, holiday.
  using RateBoxes = std::array<MoneyText*, 4>;

  explicit RateCalculatorForm(QWidget* parent = nullptr);

  // Opens the calculator over the resource dialog whose rate boxes these are.
  void Start(const RateBoxes& rates);

 private:
  // Reads the inputs, works the results out and shows them; enables Ok when all are there.
  void Recompute();
  bool GatherData() override;
  // Both hand the results over: the calculator adds nothing and modifies nothing of its own.
  void FinishAdd() override;
  void FinishModify() override;

  // Event handler of every input box's change.
  void Input_Change(const QString& box);

  // Fills the copies and results worked out so far; the rest stay empty.
  void ShowResults();

  MoneyText* hourlyRateInput_;                  // HourlyRateText(0)
  std::array<QLineEdit*, 5> hourlyRateText_{};  // 0 is the input; 1 to 4 its copies
  QLineEdit* burdenedMultiplierText_;
  QLineEdit* overtimeMultiplierText_;
  QLineEdit* offDayMultiplierText_;
  QLineEdit* holidayMultiplierText_;
  std::array<QLineEdit*, 2> burdenedRateText_{};  // 0 the result, 1 its copy
  std::array<QLineEdit*, 4> overheadText_{};
  QLineEdit* overtimeRateText_;
  QLineEdit* offDayRateText_;
  QLineEdit* holidayRateText_;

  std::array<QPointer<MoneyText>, 4> rates_;
  RateResults results_;
};
