#pragma once

#include <QString>

#include <optional>

namespace Ywindow {

// Dates as the scaling panel shows and reads them: the locale's short date form with the year in
// four digits, so that every date reads back as itself. Days are day numbers (day 0 is
// 30 December 1899).

// The text of the day's date (its time of day is not shown).
QString ShortDateText(double day);

// The day number of a typed date, or nothing when the text is no date. Blanks around it are
// allowed; a two-digit year means 1930 to 2029.
std::optional<double> ParseShortDate(const QString& text);

}  // namespace Ywindow
