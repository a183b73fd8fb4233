#pragma once

#include "YwindowExport.h"

#include <QString>

// Line handling of the control's texts. A line ends at a carriage return; one line feed right
// after it belongs to the break. Other characters, a lone line feed among them, are text.
namespace Ywindow {

// The text without its leading and trailing blanks; line breaks and tabs stay.
YWINDOW_EXPORT QString TrimSpaces(const QString& text);

// Splits off the first line: `line` gets the text before the first carriage return and `rest`
// what follows the break. Returns false, with the whole text as `line`, when there is no break.
YWINDOW_EXPORT bool SplitFirstLine(const QString& text, QString* line, QString* rest);

// How many lines the text fills: one more than its breaks, where a break at the very end opens
// no line of its own ("" is one line, five carriage returns are five lines).
YWINDOW_EXPORT int LineCount(const QString& text);

}  // namespace Ywindow
