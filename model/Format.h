#pragma once

#include "Currency.h"

#include <QString>

#include <cstdint>
#include <optional>

class Ytask;

// Turning model values into the texts the user sees, and back: durations, effort estimates,
// hours, money, hour-of-day and day-kind names; plus the minute arithmetic on day numbers that the
// solver books with. Each procedure hands its failures to the error trap with the location
// "Common:<procedure>"; after Ignore a function returns what it had worked out so far.
//
// Units of time are whole minutes: minute 1, hour 60, day 1440, week 10080, month 43200 (30 days).
// A task's effort unit is one of these (calendar time) or the negative of a working-time unit:
// -1 minute, -60 hour, -480 working day, -2400 working week, -9600 working month.
namespace Common {

// Whether a task's effort can be counted in `effortUnits`: one of the ten units above.
bool IsEffortUnit(int effortUnits);

// The date moved by whole minutes. The time of day is rounded to the minute (halves to the even
// minute) and the result crosses into earlier or later days as needed; dates before day 0 keep
// their own encoding (whole day counted back, time of day counted forward). Error 6 when the
// minute count leaves 32 bits.
double AddMinutes(double date, std::int32_t minutes);

// "Holiday" (0), "Sunday" (1) to "Saturday" (7), "Shutdown" (8); any other kind is
// "Assertion failed", and the empty text when the user goes on.
QString DayName(int kind);

// Money as the user's locale writes amounts of its currency, rounded to the cent (a half away
// from zero) from the exact ticks: the locale's symbol before or after the number, its grouping
// and decimal separators, its form for a negative amount. en_US "$1,234.50" and "($1,234.50)",
// de_DE "1.234,50 €" and "-1.234,50 €", fr_FR "1 234,50 €" and "(1 234,50 €)". A locale
// without a symbol (C) writes "$1,234.50" and "-$1,234.50". A negative amount under half a cent
// shows as zero, without a sign. The text overload reads its text as TextToCurrency does: an empty
// text counts as 0, any other text that is no amount is error 13 "Type mismatch", an amount
// beyond the range of money error 6 "Overflow".
QString FormatCurrency(praxel::Currency value);
QString FormatCurrency(double value);
QString FormatCurrency(const QString& value);

// The amount FormatCurrency shows: rounded to the cent, a half away from zero. A total of shown
// amounts adds these, so that it is the sum of the figures above it.
praxel::Currency ShownCurrency(praxel::Currency value);

// The amount in a text as FormatCurrency writes it in the user's locale or as the user types it:
// blanks around it; a number in the locale's form ("1,234.5", "-3"; "1.234,5" in de_DE), whose
// group separators may be typed as any blank where the locale groups with a space; the locale's
// currency symbol before or after it, with or without blanks; one sign before the number, before
// or after a leading symbol ("-$5", "$-5"), or parentheses around a negative amount ("($5)").
// Exact to the ten-thousandth (a half to the even). None for an empty text, two signs, a sign
// inside parentheses, letters (so "inf", "nan" and exponents), any other text, or an amount
// beyond the range of money.
std::optional<praxel::Currency> TextToCurrency(const QString& text);
// The same reading as a number, for money and for the other numbers typed into dialogs; none
// beyond the range of a double.
std::optional<double> TextToNumber(const QString& text);

// A duration in days, in the largest unit it reaches, to at most two decimals:
// "1.5 hours" / "1.5h", "1 week" / "1w", "-2 days" / "-2d", "0".
QString FormatDuration(double duration, bool longForm);

// A task's estimate in its effort unit: "10 hours" / "10h", "8;10;15 hours" when the optimistic
// estimate is below the pessimistic one, "0" when it is nothing, the empty text for a task that
// stands for a subproject. Each number is the minutes over the unit, cut (not rounded) to
// hundredths.
QString FormatEffortOf(int effortUnits, std::int32_t optimistic, std::int32_t mostLikely,
                       std::int32_t pessimistic, bool standsForSubproject, bool longForm);

// FormatEffortOf of the task's estimate in the current journal.
QString FormatEffort(const Ytask& task, bool longForm);

// Minutes counted in a unit of that many minutes, rounded to hundredths (a half away from zero)
// and written in the shortest form with the user's decimal separator and no grouping: 100 minutes
// in 480-minute days "0.21", 720 minutes in hours "12", 90 "1.5". The unit is above 0.
QString FormatUnitFigure(std::int64_t minutes, std::int64_t unitMinutes);

// Hour-of-day labels: "12am", "1am" .. "11am", "12pm", "1pm" .. "11pm", "12am" for 24, empty for
// anything else. With pad a text under four characters gets a leading "0" ("07am").
QString FormatHour(int hour, bool pad);

// Hours with one decimal ("7.5", "8.0"); the empty text for 0 when blankZero.
QString FormatHours(float hours, bool blankZero);

// A number cut down to hundredths (toward minus infinity) in its shortest form: "1.5", "2",
// "0.01". For callers that have only a single-precision number; quotients of whole minutes are
// cut exactly by FormatEffortOf.
QString FormatTwoDecimals(float value);

// The dates the active project's charts start from: its early start and early finish in the
// current journal, widened to the plan journal's when includePlan and the plan journal is another
// one. A date of 0 is no date: it neither widens the range nor stays in it when the other journal
// has one. The current journal is switched for the plan's roll-ups and always switched back.
void GetDateRange(double& start, double& finish, bool includePlan);

// Reads what FormatDuration writes and what the user types: a number followed by a unit word or
// code ("2 days", "2d", "1.5w", "30mi", "3mo"); a number alone is hours, an empty text 0. An
// unknown unit is error 10000 naming the text; the result is 0 when the user goes on.
double TextToDuration(const QString& text);
// The same reading for a duration typed into a dialog, which checks it before storing it: blanks,
// an optional sign, a number, then optionally a unit as TextToDuration knows them ("2 days",
// "-3h", "1.5 w"); an empty text is 0. Nothing for any other text: an unknown unit, a unit
// without a number, or something after the unit ("2 days 3 hours").
std::optional<double> ReadDuration(const QString& text);

// The text without the blanks (spaces) at either end; tabs and other characters stay as typed.
QString TrimBlanks(const QString& text);

}  // namespace Common
