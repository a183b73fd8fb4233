#pragma once

#include <QString>

#include <optional>

namespace praxel {

// Dates as the user sees and types them: the locale's short date form with the year in four
// digits, so that every date reads back as itself. Days are day numbers (OleDate.h).

// The locale's short date form, its year widened to four digits.
QString ShortDateFormat();

// The text of the day's date (its time of day is not shown).
QString ShortDateText(double day);

// The day number of a typed date, or nothing when the text is no date. Blanks around it are
// allowed; a two-digit year means 1930 to 2029; years before 100 are no dates.
std::optional<double> ParseShortDate(const QString& text);

}  // namespace praxel
