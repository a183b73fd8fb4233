#include "OleDate.h"

#include "Rounding.h"

#include <cmath>

namespace praxel {

namespace {

constexpr QDate kDayZero = QDate::fromJulianDay(2415019);  // 30 December 1899
constexpr qint64 kMsecsPerDay = 86400000;

}  // namespace

double ToOleDate(const QDateTime& dateTime) { return ToOleDate(dateTime.date(), dateTime.time()); }

double ToOleDate(const QDate& date, const QTime& time) {
  const double days = static_cast<double>(kDayZero.daysTo(date));
  const double fraction = static_cast<double>(time.msecsSinceStartOfDay()) / kMsecsPerDay;
  return days < 0 ? days - fraction : days + fraction;
}

double ToOleDate(const QDate& date) { return static_cast<double>(kDayZero.daysTo(date)); }

QDateTime FromOleDate(double day) {
  const DayAndTime split = SplitOleDate(day);
  return QDateTime(split.date, QTime::fromMSecsSinceStartOfDay(split.msecs), Qt::UTC);
}

DayAndTime SplitOleDate(double day) {
  // Before day 0 the whole part counts back, so the first day's hours lie between kFirstDay and
  // kFirstDay - 1.
  if (!(day > kFirstDay - 1 && day < kEndOfDates)) RaiseOverflow();
  double whole = std::trunc(day);
  qint64 msecs = std::llround(std::fabs(day - whole) * kMsecsPerDay);
  if (msecs >= kMsecsPerDay) {  // rounded up to the next midnight: the next calendar day
    msecs -= kMsecsPerDay;
    whole += 1;
  }
  return {kDayZero.addDays(static_cast<qint64>(whole)), static_cast<int>(msecs)};
}

int Weekday(double day) {
  // Day 0 was a Saturday.
  const auto whole = static_cast<long long>(std::trunc(day));
  return static_cast<int>(((whole % 7) + 7 + 6) % 7) + 1;
}

}  // namespace praxel
