#pragma once

class YwindowControl;

// The money axis of the plots over a date axis (budget, crash, risk): one grid row per increment,
// each labelled with its amount at the row's bottom edge, from the top value down to the bottom
// value. The axis spans 0 and the range: for a range below 0 it runs from 0 down to the smallest
// multiple of the increment not above the range, so that every plotted amount lies on it.
namespace Views {

// The value rows, added to the control below its header rows.
void AddMoneyRows(YwindowControl* chart, double range, double increment);
// The y of an amount on those rows (twips of the drawing, not rounded): amount 0 on the bottom
// edge of the "0" row, one row height higher for each increment. The row height is the bottom
// value row's; the key row follows the value rows.
double MoneyToY(YwindowControl* chart, double amount, double range, double increment);

}  // namespace Views
