#include "MspdiValues.h"

#include "OleDate.h"

#include <QDateTime>
#include <QRegularExpression>

#include <array>
#include <cmath>

namespace MSProject {

namespace {

constexpr double kMinutesPerElapsedDay = 1440.0;

// One unit of a lag: its letters, whether it is elapsed time, and its file format code.
struct LagUnit {
  const char* letters;
  bool elapsed;
  int format;
};

constexpr std::array<LagUnit, 10> kLagUnits{{{"m", false, 3},
                                             {"em", true, 4},
                                             {"h", false, 5},
                                             {"eh", true, 6},
                                             {"d", false, 7},
                                             {"ed", true, 8},
                                             {"w", false, 9},
                                             {"ew", true, 10},
                                             {"mo", false, 11},
                                             {"emo", true, 12}}};

// The long unit words that mean the same as the letters.
struct UnitWord {
  const char* word;
  const char* letters;
};
constexpr std::array<UnitWord, 14> kUnitWords{{{"min", "m"},
                                               {"mins", "m"},
                                               {"minute", "m"},
                                               {"minutes", "m"},
                                               {"hr", "h"},
                                               {"hrs", "h"},
                                               {"hour", "h"},
                                               {"hours", "h"},
                                               {"day", "d"},
                                               {"days", "d"},
                                               {"wk", "w"},
                                               {"wks", "w"},
                                               {"week", "w"},
                                               {"weeks", "w"}}};

const LagUnit& UnitOfFormat(int format) {
  // The estimated forms (35 "m?" .. 44 "emo?") follow the plain ones 32 codes apart.
  const int plain = format >= 35 && format <= 44 ? format - 32 : format;
  for (const LagUnit& unit : kLagUnits) {
    if (unit.format == plain) return unit;
  }
  return kLagUnits[4];  // days
}

// Minutes in one of the unit.
double UnitMinutes(const LagUnit& unit, const WorkingTime& time) {
  switch (unit.format) {
    case 3:
    case 4:
      return 1.0;
    case 5:
    case 6:
      return 60.0;
    case 7:
      return time.minutesPerDay;
    case 8:
      return kMinutesPerElapsedDay;
    case 9:
      return time.minutesPerWeek;
    case 10:
      return 7 * kMinutesPerElapsedDay;
    case 11:
      return static_cast<double>(time.minutesPerDay) * time.daysPerMonth;
    default:
      return 30 * kMinutesPerElapsedDay;
  }
}

}  // namespace

std::optional<double> ParseDuration(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral(
      R"(^\s*(-)?P(?:([\d.]+)Y)?(?:([\d.]+)M)?(?:([\d.]+)D)?(?:T(?:([\d.]+)H)?(?:([\d.]+)M)?(?:([\d.]+)S)?)?\s*$)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  constexpr std::array<double, 6> kMinutes{365 * kMinutesPerElapsedDay, 30 * kMinutesPerElapsedDay,
                                           kMinutesPerElapsedDay,       60.0,
                                           1.0,                         1.0 / 60.0};
  double minutes = 0.0;
  bool any = false;
  for (int part = 0; part < 6; ++part) {
    const QString number = match.captured(part + 2);
    if (number.isEmpty()) continue;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok) return std::nullopt;
    minutes += value * kMinutes[part];
    any = true;
  }
  // A duration longer than the whole range of dates the program keeps reads as none, as a date
  // outside it does.
  constexpr double kLongestMinutes = (praxel::kEndOfDates - praxel::kFirstDay) * kMinutesPerElapsedDay;
  if (!any || !(minutes <= kLongestMinutes)) return std::nullopt;
  return match.captured(1).isEmpty() ? minutes : -minutes;
}

QString FormatDuration(double minutes) {
  const bool negative = minutes < 0;
  const auto millis = static_cast<long long>(std::llround(std::fabs(minutes) * 60000.0));
  const long long hours = millis / 3600000;
  const long long wholeMinutes = millis / 60000 % 60;
  const long long secondMillis = millis % 60000;
  QString seconds = QString::number(secondMillis / 1000);
  if (secondMillis % 1000 != 0) {
    seconds += QLatin1Char('.') + QStringLiteral("%1").arg(secondMillis % 1000, 3, 10, QLatin1Char('0'));
    while (seconds.endsWith(QLatin1Char('0'))) seconds.chop(1);
  }
  return QStringLiteral("%1PT%2H%3M%4S")
      .arg(negative ? QStringLiteral("-") : QString())
      .arg(hours)
      .arg(wholeMinutes)
      .arg(seconds);
}

std::optional<double> ParseDateTime(const QString& text) {
  const QString trimmed = text.trimmed();
  // The date and the time of day to the second; a fraction of seconds or a zone after them is
  // not kept, since the file's times are local and whole.
  const QStringView view(trimmed);
  const QDate date = QDate::fromString(view.left(10), Qt::ISODate);
  if (!date.isValid()) return std::nullopt;
  // A time that is not of that form is midnight.
  QTime time(0, 0);
  if (view.size() >= 19 && view.at(10) == QLatin1Char('T')) {
    const QTime given = QTime::fromString(view.mid(11, 8), Qt::ISODate);
    if (given.isValid()) time = given;
  }
  // A date outside the years the program keeps (100 to 9999) reads as none given.
  const double day = praxel::ToOleDate(date, time);
  if (day < praxel::kFirstDay || day >= praxel::kEndOfDates) return std::nullopt;
  return day;
}

QString FormatDateTime(double day) {
  return praxel::FromOleDate(day).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

std::optional<double> ParseNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString FormatNumber(double value) { return QString::number(value, 'g', 15); }

bool ParseBoolean(const QString& text) {
  const QString trimmed = text.trimmed();
  return trimmed == QLatin1String("1") || trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString FormatLag(double tenthsOfMinutes, int format, const WorkingTime& time) {
  if (tenthsOfMinutes == 0.0) return QString();
  const LagUnit& unit = UnitOfFormat(format);
  const double value = tenthsOfMinutes / 10.0 / UnitMinutes(unit, time);
  return (value < 0 ? QStringLiteral("-") : QStringLiteral("+")) + FormatNumber(std::fabs(value)) +
         QLatin1String(unit.letters);
}

std::optional<Lag> ParseLag(const QString& text, const WorkingTime& time) {
  static const QRegularExpression pattern(QStringLiteral(R"(^\s*([+-])?\s*((?:\d+(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?)\s*([A-Za-z]*)\s*$)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const double number = match.captured(2).toDouble();
  QString letters = match.captured(3).toLower();
  if (letters.isEmpty()) letters = QStringLiteral("d");
  // "e" in front of a word ("edays", "ehrs") is elapsed time, as in the letters.
  const bool elapsedWord = letters.size() > 2 && letters.startsWith(QLatin1Char('e'));
  const QString word = elapsedWord ? letters.mid(1) : letters;
  for (const UnitWord& entry : kUnitWords) {
    if (word == QLatin1String(entry.word)) {
      letters = (elapsedWord ? QStringLiteral("e") : QString()) + QLatin1String(entry.letters);
    }
  }
  for (const LagUnit& unit : kLagUnits) {
    if (letters != QLatin1String(unit.letters)) continue;
    Lag lag;
    lag.minutes = number * UnitMinutes(unit, time) * (match.captured(1) == QLatin1String("-") ? -1 : 1);
    lag.elapsed = unit.elapsed;
    lag.format = unit.format;
    return lag;
  }
  return std::nullopt;
}

double LagDays(const Lag& lag, const WorkingTime& time) {
  return lag.minutes / (lag.elapsed ? kMinutesPerElapsedDay : static_cast<double>(time.minutesPerDay));
}

}  // namespace MSProject
