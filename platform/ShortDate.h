#pragma once

#include <QString>

#include <optional>

namespace praxel {

// Dates as the user sees and types them, in the formats of the user's locale, so that every date
// shown reads back as itself in any locale: en_US "5/26/2026 5:17 PM", en_GB "26/05/2026 17:17",
// de_DE "26.05.2026 17:17", a fresh machine's C locale "26 May 2026 17:17". Days are day numbers
// (OleDate.h).

// The locale's short date form, its year widened to four digits: "M/d/yyyy", "d MMM yyyy".
QString ShortDateFormat();
// The locale's short time form, to the minute (without seconds or a time zone): "h:mm AP",
// "HH:mm".
QString ShortTimeFormat();

// The text of the day's date (its time of day is not shown).
QString ShortDateText(double day);
// The day's date, followed by a blank and its time of day to the minute (seconds are cut) when
// that is not midnight: "26 May 2026", "26 May 2026 17:17".
QString DateTimeText(double day);

// The day number of a typed date, or nothing when the text is no date. Blanks around it are
// allowed, day and month may have one digit or two; a two-digit year means 1930 to 2029; years
// before 100 and after 9999 are no dates.
std::optional<double> ParseShortDate(const QString& text);
// The same, optionally followed by a blank and a time of day: in the locale's short time form,
// with or without seconds, or in 24 hours ("17:17" in en_US too). Reads back every DateTimeText.
std::optional<double> ParseDateTime(const QString& text);

}  // namespace praxel
