#pragma once

#include <QString>

// What the main window's Graphics and Spreadsheet menus show about the open views: the check mark
// of a view's entry is its window's open state, which the window itself sets when it loads and
// clears when it unloads; the spreadsheet window also keeps which of the ten sheet types it shows.
namespace Common {

// The spreadsheet type shown, 1 to 10; 0 when no spreadsheet window is open.
int SpreadsheetType();
void SetSpreadsheetType(int Type);
// The name of a spreadsheet type (1 "Resource entry" .. 10 "Date dependency"), as the Spreadsheet
// menu shows it; it is also the key of the sheet's help page. Empty outside 1 to 10.
QString SpreadsheetTypeName(int Type);
constexpr int kSpreadsheetTypes = 10;

// Sets or clears the check mark of a menu entry of the main window, by its control name
// ("GraphicsGanttMenu", "SpreadsheetTypeMenu3"); nothing without a main window or such an entry.
void CheckMenuEntry(const QString& Control, bool Checked);
// Whether the entry carries its check mark.
bool MenuEntryChecked(const QString& Control);

}  // namespace Common
