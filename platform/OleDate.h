#pragma once

#include <QDateTime>

namespace praxel {

// Dates are day numbers: day 0 is 30 December 1899, the time of day is the fraction. Before day 0
// the whole part counts back and the fraction still counts forward from midnight (-1.25 is
// 29 December 1899, 06:00).

// The range of day numbers that name a date: 1 January 100 to the end of 31 December 9999
// (kEndOfDates itself is 1 January 10000, the first day past the range).
inline constexpr double kFirstDay = -657434.0;
inline constexpr double kEndOfDates = 2958466.0;

// The day number of a date and time, read as they stand (the time zone is not consulted).
double ToOleDate(const QDateTime& dateTime);
double ToOleDate(const QDate& date);
// The same for a date and a time of day given apart (no QDateTime to build).
double ToOleDate(const QDate& date, const QTime& time);
// The date and time of a day number, to the millisecond, in UTC so that every day has 24 hours.
// Raises error 6 "Overflow" outside the years 100 to 9999.
QDateTime FromOleDate(double day);
// The same as a date and the milliseconds since its midnight, without making a QDateTime.
struct DayAndTime {
  QDate date;
  int msecs = 0;
};
DayAndTime SplitOleDate(double day);
// The weekday of a day number: 1 Sunday to 7 Saturday.
int Weekday(double day);

}  // namespace praxel
