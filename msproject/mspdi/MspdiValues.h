#pragma once

#include <QString>

#include <optional>

namespace MSProject {

// The working-time measures of a document, which turn working units (hours, days, weeks, months)
// into minutes. Elapsed units ("ed", "eh", ...) always count 24-hour days.
struct WorkingTime {
  int minutesPerDay = 480;
  int minutesPerWeek = 2400;
  int daysPerMonth = 20;
};

// An ISO 8601 duration as the interchange file writes it ("PT12H30M0S", "-PT1H", "P2DT4H",
// fractional seconds allowed) in minutes; nothing when the text is no duration. Days, months and
// years count 24 hours, 30 days and 365 days.
std::optional<double> ParseDuration(const QString& text);
// Minutes as an ISO 8601 duration of hours, minutes and seconds ("PT9H31M25.714S"); the seconds
// keep three decimals, so a duration read back differs by less than a millisecond.
QString FormatDuration(double minutes);

// A date and time "2024-01-08T08:00:00" (an optional fraction of seconds or zone is ignored) as a
// day number; nothing when the text is no date.
std::optional<double> ParseDateTime(const QString& text);
// A day number as "yyyy-MM-ddThh:mm:ss".
QString FormatDateTime(double day);

// A number in the file's invariant form; nothing when the text is none.
std::optional<double> ParseNumber(const QString& text);
// A number in the invariant form with up to 15 significant digits ("2", "0.6", "1e-05").
QString FormatNumber(double value);
// "1" and "true" are True; everything else False.
bool ParseBoolean(const QString& text);

// A link lag: a length of time in minutes, working or elapsed, and the unit it is shown in (the
// file's LagFormat code: 3 m, 4 em, 5 h, 6 eh, 7 d, 8 ed, 9 w, 10 ew, 11 mo, 12 emo).
struct Lag {
  double minutes = 0.0;
  bool elapsed = false;
  int format = 7;
};

// The longest lag a link holds, either way: the file counts it in tenths of a minute, in 32 bits.
inline constexpr double kLongestLagTenths = 2147483647.0;

// The lag as a predecessor reference shows it: a sign, the number in the unit of `format` and the
// unit's letters ("+2d", "-16eh", "+1.5ed"); empty for no lag. `tenthsOfMinutes` is the file's
// LinkLag, always in tenths of a minute; the format only picks the unit. Formats the file marks as
// estimated (35 to 44) show like their plain forms; percentages and unknown codes show in days.
QString FormatLag(double tenthsOfMinutes, int format, const WorkingTime& time);
// Reads a lag as FormatLag writes it, and the long unit words Microsoft Project also accepts
// ("+3 days", "-2 ehrs"); a number without a unit is in days. Nothing when the text is no lag.
std::optional<Lag> ParseLag(const QString& text, const WorkingTime& time);
// The lag as a number of days: working minutes count days of `minutesPerDay`, elapsed minutes
// days of 24 hours.
double LagDays(const Lag& lag, const WorkingTime& time);

}  // namespace MSProject
