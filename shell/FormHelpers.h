#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Small procedures that many windows share: the version text, the answer of a command that does
// nothing yet, three behaviours of text boxes and the stored font of a window.
namespace Common {

// The program's version as shown: major, ".", then minor and revision written together ("1.00").
QString GetAppVersion();

// "This feature has not yet been implemented." under "Not Ready Yet".
void NotReadyYet();

// Opens the help window on a page ("Project Select"); "Not Ready Yet" while there is no help window.
void DisplayHelpPage(const QString& Page);

// The active project's page header, which chart windows put in their captions and print atop every
// page: its tree caption, and " PM:" with the manager's description when it has a manager.
QString GetPageHeader();

// A window's name as messages give it: its class name without the ending "Form" ("ProjectTree").
QString WindowCaptionName(const QWidget* window);

// Selects the whole text, so that typing replaces it (a text box taking the focus).
void TextBoxGotFocus(QLineEdit* tb);
// Enables or disables the box, with a white background when enabled and grey when not.
void EnableTextBox(QLineEdit* tb, bool flag);
// Gives a box or list a white background when its value is in use and grey when not; it stays
// enabled either way.
void ShowInUse(QWidget* control, bool inUse);
// A money box left by the user: an amount as TextToCurrency reads it is shown in the currency
// format ("$1,250.50"); any other text, an amount beyond the range of money included, stays as
// typed, for the dialog's own check.
void CurrencyLostFocus(QLineEdit* tb);

// Applies the font stored for the window under its name (".FontName", ".FontSize", ".FontBold",
// ".FontItalic"), or "Times New Roman" 9 when none was stored, then hands it to the window's chart
// control "Ywindow" (by its member SetFont) and tree control "Tree", where the window has them.
void SetFormFont(QWidget* frm);
// The desktop's family for a font name the program uses: its sans face for "MS Sans Serif",
// "Arial" and "Small fonts", its monospace for "Courier New", its serif for "Times New Roman";
// any other name as it is.
QString DesktopFamily(const QString& name);

// The number a text starts with: blanks skipped, an optional sign, digits and a decimal point
// ("20" gives 20, "15 minutes" 15, "off" 0). The decimal point is a point unless one is given
// (the user's decimal separator, for a figure the user reads and types).
double LeadingNumber(const QString& text, QChar decimalPoint = QLatin1Char('.'));

}  // namespace Common
