#pragma once

#include "ChartView.h"
#include "SheetTable.h"

// The spreadsheet window: one of the ten sheets (the spreadsheet type the Spreadsheet menu set)
// in the chart control's text grid. The sheet is built anew at every Start; an empty one is
// reported and the window closes. On the loading-by-day sheet a left click shows the month
// before, a right click the month after; the month is kept while the program runs.
class SpreadsheetForm final : public ChartView {
  Q_OBJECT

 public:
  explicit SpreadsheetForm(QWidget* parent = nullptr);

  const SheetTable& Sheet() const { return sheet_; }
  // The month of the loading-by-day sheet: its first day, 0 before the sheet was first built.
  double ByDayStart() const;

 protected:
  bool StartAllowed() override;
  QString Caption() const override;
  void RequestLayout() override;
  bool ReadyToShow() override;
  // The sheet lays the grid out itself, at Start.
  void RedoLayout() override {}
  void RedoGraphics() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Ywindow_CellClick(int button);

  SheetTable sheet_;
};
