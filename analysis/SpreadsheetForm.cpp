#include "SpreadsheetForm.h"

#include "FormHelpers.h"
#include "Guard.h"
#include "OpenViews.h"
#include "PaintBreaks.h"
#include "Prompter.h"
#include "Sheets.h"
#include "YwindowControl.h"

#include <QCloseEvent>

namespace {

constexpr int kTextOnly = 0;
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// The month of the loading-by-day sheet, kept while the program runs, also when the window closes.
double byDayStart = 0;

}  // namespace

SpreadsheetForm::SpreadsheetForm(QWidget* parent)
    : ChartView({QStringLiteral("Spreadsheet"), QString(), 20, ClosesOnNewProject | ClosesOnNewTemplate,
                 QStringLiteral("spreadsheet")},
                parent) {
  setObjectName(QStringLiteral("SpreadsheetForm"));
  setWindowTitle(QStringLiteral("Spreadsheet"));
  Chart()->Style(kTextOnly);
  connect(Chart(), &YwindowControl::CellClick, this, [this](int button, int, int) {
    ErrTrap::Guarded(ErrTrap::Handler(Location("Ywindow_CellClick")), [&] { Ywindow_CellClick(button); });
  });
}

double SpreadsheetForm::ByDayStart() const { return byDayStart; }

bool SpreadsheetForm::StartAllowed() {
  ShowBuilding();
  sheet_ = Sheets::Build(Common::SpreadsheetType(), byDayStart);
  setProperty("HelpKey", Common::SpreadsheetTypeName(Common::SpreadsheetType()));
  return true;
}

QString SpreadsheetForm::Caption() const {
  return sheet_.title + (sheet_.titleTakesPageHeader ? Common::GetPageHeader() : QString());
}

void SpreadsheetForm::RequestLayout() {
  YwindowControl* chart = Chart();
  chart->Reset();
  for (const SheetTable::Column& column : sheet_.columns) chart->AddColumn(column.heading, column.alignment);
  const auto fill = [&](int row) {
    for (int col = 0; col < sheet_.Cols(); ++col) {
      const SheetTable::Cell& cell = sheet_.At(row, col);
      if (!cell.text.isEmpty()) chart->CellText(row, col, cell.text);
      if (cell.backColor != 0) chart->CellBackColor(row, col, cell.backColor);
      if (cell.bold) chart->CellFontBold(row, col, true);
      if (cell.italic) chart->CellFontItalic(row, col, true);
    }
  };
  for (int row = 1; row < sheet_.headerRows; ++row) {
    chart->AddRow();
    fill(row);
  }
  chart->FixTop(sheet_.centreDateHeader);
  for (int row = sheet_.headerRows; row < sheet_.Rows(); ++row) {
    chart->AddRow();
    fill(row);
    Ywindow::KeepPainting();
  }
  if (!sheet_.toolTip.isEmpty()) chart->GridToolTip(sheet_.toolTip);
  ClearStatus();
  chart->LayoutComplete(sheet_.lockedColumns, 0);
}

void SpreadsheetForm::RedoGraphics() { Chart()->Refresh(); }

bool SpreadsheetForm::ReadyToShow() {
  if (!Sheets::IsEmpty(sheet_)) return true;
  praxel::CurrentPrompter().MsgBox(QStringLiteral("The requested spreadsheet contained no data."),
                                   praxel::MsgExclamation, QStringLiteral("Spreadsheet Empty"));
  Forms::Unload(this);
  return false;
}

void SpreadsheetForm::Ywindow_CellClick(int button) {
  if (Common::SpreadsheetType() != Sheets::LoadingByDay) return;
  // The sheet keeps the first of the month shown: a day back is the month before, 45 on the next.
  if (button == kLeftButton) byDayStart -= 1;
  if (button == kRightButton) byDayStart += 45;
  Start();
}

void SpreadsheetForm::closeEvent(QCloseEvent* event) {
  Common::CheckMenuEntry(QStringLiteral("SpreadsheetTypeMenu%1").arg(Common::SpreadsheetType()), false);
  Common::SetSpreadsheetType(0);
  ChartView::closeEvent(event);
}
