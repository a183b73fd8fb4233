#include "DateRoom.h"

#include "OleDate.h"
#include "ShortDate.h"

#include <QDate>

namespace praxel {

namespace {

// Eights are among the widest digits in a font whose digits differ in width, and the 28th is a
// day of every month.
constexpr int kSampleYear = 2088;
constexpr int kSampleDay = 28;
constexpr int kSampleMinute = 58;

}  // namespace

QList<double> DaysOfEachMonth() {
  QList<double> days;
  for (int month = 1; month <= 12; ++month) days.append(ToOleDate(QDate(kSampleYear, month, kSampleDay)));
  return days;
}

QList<double> TimesOfEachHour() {
  QList<double> times;
  for (int hour = 0; hour < 24; ++hour) {
    times.append((hour * 3600 + kSampleMinute * 60 + kSampleMinute) / 86400.0);
  }
  return times;
}

QList<double> MomentsOfEachMonth() {
  QList<double> moments;
  for (const double day : DaysOfEachMonth()) {
    for (const double time : TimesOfEachHour()) moments.append(day + time);
  }
  return moments;
}

QString WidestText(const QList<double>& values, const std::function<QString(double)>& text, const TextWidth& width) {
  QString widest;
  double widestWidth = -1;
  for (const double value : values) {
    const QString candidate = text(value);
    const double candidateWidth = width(candidate);
    if (candidateWidth > widestWidth) {
      widest = candidate;
      widestWidth = candidateWidth;
    }
  }
  return widest;
}

QString WidestDateTimeText(const TextWidth& width) { return WidestText(MomentsOfEachMonth(), DateTimeText, width); }

}  // namespace praxel
