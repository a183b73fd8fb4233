#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace praxel {

// The room a date or a time of day needs in the user's formats. Month names, the marks before
// and after noon and the hours of a day differ in width, and by how much depends on the locale:
// a field is sized for the widest text of a set of sample values, not for one date.

// A text's width as a window measures it (pixels, twips: the caller's unit).
using TextWidth = std::function<double(const QString&)>;

// A two-digit day in each month of one year, as day numbers.
QList<double> DaysOfEachMonth();
// A time in each hour of the day, both halves of a twelve-hour clock among them, as fractions of
// a day.
QList<double> TimesOfEachHour();
// Every sample day at every sample time: what a date with a time of day can look like.
QList<double> MomentsOfEachMonth();

// The widest date with a time of day in the user's formats (DateTimeText): what a box for one
// must hold.
QString WidestDateTimeText(const TextWidth& width);

// Of the texts of the values, the widest (the first of equal widths; empty for no values).
QString WidestText(const QList<double>& values, const std::function<QString(double)>& text, const TextWidth& width);

}  // namespace praxel
