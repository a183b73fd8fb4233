#include "Format.h"

#include "Check.h"
#include "Common.h"
#include "Guard.h"
#include "Rounding.h"
#include "RuntimeError.h"
#include "Yproject.h"
#include "Ytask.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace Common {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;
// Below this magnitude a value always rounds to a long.
constexpr double kRoundsToLong = 2147483647.0;

struct TimeUnit {
  std::int32_t minutes;
  const char* word;  // plural
};

// The calendar units, largest first: a duration is written in the first one it reaches.
constexpr std::array<TimeUnit, 5> kUnits{{
    {43200, "months"},
    {10080, "weeks"},
    {1440, "days"},
    {60, "hours"},
    {1, "minutes"},
}};

// The word of an effort unit: a working-time unit prints the word of the calendar unit of the
// same name. Empty for a unit that is not one of the ten.
QString EffortUnitWord(int effortUnits) {
  switch (effortUnits) {
    case 1: case -1: return QStringLiteral("minutes");
    case 60: case -60: return QStringLiteral("hours");
    case 1440: case -480: return QStringLiteral("days");
    case 10080: case -2400: return QStringLiteral("weeks");
    case 43200: case -9600: return QStringLiteral("months");
    default: return QString();
  }
}

// The short code of a unit word: its first letter, or its first two where it begins with "m"
// ("mi", "mo").
QString ShortCode(const QString& word) {
  return word.left(word.startsWith(QLatin1Char('m')) ? 2 : 1);
}

// The number, a blank and the word in the long form (singular for exactly "1"); the number and
// the word's short code in the short form.
QString NumberWithUnit(const QString& number, const QString& word, bool longForm) {
  const QString unitWord = number == QLatin1String("1") ? word.chopped(1) : word;
  return longForm ? number + QLatin1Char(' ') + unitWord : number + ShortCode(unitWord);
}

// Hundredths written in their shortest form: 150 "1.5", 200 "2", 1 "0.01", -2 "-0.02".
QString HundredthsText(std::int64_t hundredths) {
  const bool negative = hundredths < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(hundredths) : hundredths;
  QString text = QString::number(magnitude / 100);
  const std::uint64_t fraction = magnitude % 100;
  if (fraction != 0) {
    text += QLatin1Char('.') + QString::number(fraction / 10);
    if (fraction % 10 != 0) text += QString::number(fraction % 10);
  }
  return negative ? QLatin1Char('-') + text : text;
}

// Rounds down toward minus infinity, unlike C++'s division.
std::int64_t FloorDivide(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) --quotient;
  return quotient;
}

// Minutes over a unit's minutes, cut down to hundredths exactly: 69 minutes in hours is "1.15".
QString QuotientText(std::int32_t minutes, std::int64_t unitMinutes) {
  if (unitMinutes == 0) throw praxel::RuntimeError(praxel::errDivisionByZero, QStringLiteral("Division by zero"));
  return HundredthsText(FloorDivide(std::int64_t{minutes} * 100, unitMinutes));
}

// A non-negative decimal "digits[.digits]" rounded to `decimals` places, a half away from zero,
// written with exactly that many decimals.
QString RoundDecimalText(const std::string& text, int decimals) {
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
  std::string digits = whole + (fraction + std::string(decimals, '0')).substr(0, decimals);
  if (fraction.size() > std::size_t(decimals) && fraction[decimals] >= '5') {
    auto place = digits.rbegin();
    for (; place != digits.rend() && *place == '9'; ++place) *place = '0';
    if (place == digits.rend()) {
      digits = '1' + digits;
    } else {
      ++*place;
    }
  }
  QString result = QString::fromStdString(digits);
  result.insert(result.size() - decimals, QLatin1Char('.'));
  return result;
}

// The leading number of a text: blanks, an optional sign, digits and one point; 0 when there is
// none.
double LeadingNumber(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  QString number;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) number += text[i++];
  bool pointSeen = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      number += c;
    } else if (c == QLatin1Char('.') && !pointSeen) {
      pointSeen = true;
      number += c;
    } else {
      break;
    }
  }
  bool ok = false;
  const double value = QLocale::c().toDouble(number, &ok);
  return ok ? value : 0.0;
}

// The minutes of a unit word or code, known by its first letter (its first two for "mi"); no
// unit is hours. Nothing for an unknown unit.
std::optional<std::int32_t> UnitMinutes(const QString& unit) {
  if (unit.isEmpty()) return 60;
  switch (unit[0].toLower().unicode()) {
    case 'm': return unit.size() > 1 && unit[1].toLower() == QLatin1Char('i') ? 1 : 43200;
    case 'h': return 60;
    case 'd': return 1440;
    case 'w': return 10080;
    default: return std::nullopt;
  }
}

// The minutes of the unit named after the last digit of a duration text; no unit is hours.
// An unknown unit is a typing error, reported with what was typed.
std::int32_t DurationUnitMinutes(const QString& text) {
  qsizetype lastDigit = text.size() - 1;
  while (lastDigit >= 0 && !(text[lastDigit] >= QLatin1Char('0') && text[lastDigit] <= QLatin1Char('9'))) --lastDigit;
  const std::optional<std::int32_t> minutes = UnitMinutes(text.mid(lastDigit + 1).trimmed());
  if (!minutes) {
    praxel::RaiseProgramError(QStringLiteral("The unit of \"%1\" is not known: use mi, h, d, w or mo.").arg(text));
  }
  return *minutes;
}

}  // namespace

bool IsEffortUnit(int effortUnits) { return !EffortUnitWord(effortUnits).isEmpty(); }

double AddMinutes(double date, std::int32_t minutes) {
  // A day number is its whole day, counted back before day 0, and the time of day as the
  // fraction, always counted forward from midnight.
  const double day = std::trunc(date);
  const double timeOfDay = std::fabs(date - day) * kMinutesPerDay;
  const double minuteOfDay = timeOfDay + minutes;
  // Only the rounding to a long can fail, past its range (or on NaN): the solver moves dates by
  // minutes at every booking, so the trap is set up only for a sum that might.
  std::int64_t sum = 0;
  if (std::fabs(minuteOfDay) < kRoundsToLong) {
    sum = praxel::ToLong(minuteOfDay);
  } else {
    bool rounded = false;
    ErrTrap::Guarded(QStringLiteral("Common:AddMinutes"), [&] {
      sum = praxel::ToLong(minuteOfDay);
      rounded = true;
    });
    if (!rounded) return 0;
  }
  const std::int64_t days = FloorDivide(sum, kMinutesPerDay);
  const double newDay = day + static_cast<double>(days);
  const double newTime = static_cast<double>(sum - days * kMinutesPerDay) / kMinutesPerDay;
  return newDay < 0 ? newDay - newTime : newDay + newTime;
}

QString DayName(int kind) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:DayName"), [&] {
    static const std::array<const char*, 9> kNames{"Holiday",  "Sunday", "Monday",   "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday", "Shutdown"};
    TRAP_ASSERT(kind >= 0 && kind < int(kNames.size()), "a day kind runs from 0 (holiday) to 8 (shutdown)");
    result = QString::fromLatin1(kNames[kind]);
  });
  return result;
}

QString FormatDuration(double duration, bool longForm) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatDuration"), [&] {
    // Durations between any two dates, and offsets of any size a dependency holds, are counted in
    // 64 bits: their minutes are past the 32-bit range from about 4,000 years on.
    const std::int64_t signedMinutes = praxel::ToLongLong(duration * kMinutesPerDay);
    if (signedMinutes == 0) {
      result = QStringLiteral("0");
      return;
    }
    const std::int64_t minutes = std::abs(signedMinutes);
    const TimeUnit* unit = &kUnits.back();
    for (const TimeUnit& candidate : kUnits) {
      if (minutes >= candidate.minutes) {
        unit = &candidate;
        break;
      }
    }
    // Rounded to hundredths, a half up.
    const std::int64_t hundredths =
        praxel::AddChecked<std::int64_t>(praxel::MulChecked<std::int64_t>(minutes, 200), unit->minutes) /
        (2 * std::int64_t{unit->minutes});
    const QString text = NumberWithUnit(HundredthsText(hundredths), QString::fromLatin1(unit->word), longForm);
    result = signedMinutes < 0 ? QLatin1Char('-') + text : text;
  });
  return result;
}

QString FormatEffortOf(int effortUnits, std::int32_t optimistic, std::int32_t mostLikely,
                       std::int32_t pessimistic, bool standsForSubproject, bool longForm) {
  QString result;
  ErrTrap::Guard guard(QStringLiteral("Common:FormatEffortOf"));
  // A subproject task has its subproject's effort; a task dated by its dependencies alone
  // (EffortUnits 0) has no estimate to show.
  if (standsForSubproject || effortUnits == 0) return result;
  QString number;
  guard([&] {
    const std::int64_t unitMinutes = std::abs(std::int64_t{effortUnits});
    number = QuotientText(mostLikely, unitMinutes);
    if (optimistic < pessimistic) {
      number = QuotientText(optimistic, unitMinutes) + QLatin1Char(';') + number + QLatin1Char(';') +
               QuotientText(pessimistic, unitMinutes);
    }
  });
  QString word = QStringLiteral("???");  // what the user sees after going on past an unknown unit
  guard([&] {
    const QString known = EffortUnitWord(effortUnits);
    TRAP_ASSERT(!known.isEmpty(), "the effort units are one of the units that have a word");
    word = known;
  });
  guard([&] { result = number == QLatin1String("0") ? number : NumberWithUnit(number, word, longForm); });
  return result;
}

QString FormatEffort(const Ytask& task, bool longForm) {
  return FormatEffortOf(task.EffortUnits(), task.Optimistic(), task.MostLikely(), task.Pessimistic(),
                        task.Subproject() != nullptr, longForm);
}

QString FormatUnitFigure(std::int64_t minutes, std::int64_t unitMinutes) {
  const std::int64_t magnitude = minutes < 0 ? -minutes : minutes;
  const std::int64_t hundredths = (magnitude * 200 + unitMinutes) / (2 * unitMinutes);
  QString text = HundredthsText(minutes < 0 ? -hundredths : hundredths);
  return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString FormatHour(int hour, bool pad) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatHour"), [&] {
    QString text;
    if (hour == 0 || hour == 24) text = QStringLiteral("12am");
    else if (hour >= 1 && hour <= 11) text = QString::number(hour) + QStringLiteral("am");
    else if (hour == 12) text = QStringLiteral("12pm");
    else if (hour >= 13 && hour <= 23) text = QString::number(hour - 12) + QStringLiteral("pm");
    result = pad && text.size() < 4 ? QLatin1Char('0') + text : text;
  });
  return result;
}

QString FormatHours(float hours, bool blankZero) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatHours"), [&] {
    if (hours == 0 && blankZero) return;
    if (!std::isfinite(hours)) praxel::RaiseOverflow();
    // Rounded from the shortest decimal that the single stands for, so that 0.45 gives 0.5.
    char digits[64];
    const auto written = std::to_chars(digits, digits + sizeof digits, std::fabs(hours), std::chars_format::fixed);
    const QString text = RoundDecimalText(std::string(digits, written.ptr), 1);
    const bool negative = hours < 0 && text != QLatin1String("0.0");
    result = negative ? QLatin1Char('-') + text : text;
  });
  return result;
}

QString FormatTwoDecimals(float value) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatTwoDecimals"), [&] {
    const float hundredths = std::floor(value * 100.0f);
    if (!(std::fabs(hundredths) < 9.2e18f)) praxel::RaiseOverflow();
    result = HundredthsText(static_cast<std::int64_t>(hundredths));
  });
  return result;
}

void GetDateRange(double& start, double& finish, bool includePlan) {
  ErrTrap::Guarded(QStringLiteral("Common:GetDateRange"), [&] {
    Yproject* project = ThisProject();
    TRAP_ASSERT(project != nullptr, "the charts open only on an active project");
    start = project->EarlyStart();
    finish = project->EarlyFinish();
    if (!includePlan || project->PlanIndex == project->CurrentIndex) return;
    // The plan journal's roll-ups, read with the plan journal current for that moment only.
    const int current = project->CurrentIndex;
    struct Restore {
      Yproject* project;
      int index;
      ~Restore() { project->CurrentIndex = index; }
    } restore{project, current};
    project->CurrentIndex = project->PlanIndex;
    const double planStart = project->EarlyStart();
    const double planFinish = project->EarlyFinish();
    if (planStart != 0 && (start == 0 || planStart < start)) start = planStart;
    if (planFinish != 0 && (finish == 0 || planFinish > finish)) finish = planFinish;
  });
}

double TextToDuration(const QString& text) {
  std::int32_t unitMinutes = 0;  // an unknown unit the user goes on past reads as 0
  ErrTrap::Guard guard(QStringLiteral("Common:TextToDuration"));
  guard([&] { unitMinutes = DurationUnitMinutes(text); });
  double result = 0;
  guard([&] { result = LeadingNumber(text) * unitMinutes / kMinutesPerDay; });
  return result;
}

std::optional<double> ReadDuration(const QString& text) {
  static const QRegularExpression shape(QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+))?\\s*([A-Za-z]*)\\s*$"));
  const QRegularExpressionMatch match = shape.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const QString number = match.captured(1);
  const QString unit = match.captured(2);
  if (number.isEmpty()) {
    if (!unit.isEmpty()) return std::nullopt;  // a unit without its number
    return 0.0;
  }
  const std::optional<std::int32_t> unitMinutes = UnitMinutes(unit);
  if (!unitMinutes) return std::nullopt;
  return LeadingNumber(number) * *unitMinutes / kMinutesPerDay;
}

QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

}  // namespace Common
