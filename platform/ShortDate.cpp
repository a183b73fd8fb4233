#include "ShortDate.h"

#include "OleDate.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <array>
#include <optional>

namespace praxel {

namespace {

// The first and last years a date can have (OleDate.h).
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

// A format that reads numbers of one digit or two where the locale writes two ("dd.MM.yyyy"
// reads "6.5.2026" as well as "06.05.2026"); names of months and days stay as they are.
QString Relaxed(QString format) {
  struct Field {
    QRegularExpression twoDigits;
    QString oneOrTwo;
  };
  static const std::array<Field, 4> kFields{Field{QRegularExpression(QStringLiteral("(?<!d)dd(?!d)")), QStringLiteral("d")},
                                            Field{QRegularExpression(QStringLiteral("(?<!M)MM(?!M)")), QStringLiteral("M")},
                                            Field{QRegularExpression(QStringLiteral("(?<!H)HH(?!H)")), QStringLiteral("H")},
                                            Field{QRegularExpression(QStringLiteral("(?<!h)hh(?!h)")), QStringLiteral("h")}};
  for (const Field& field : kFields) format.replace(field.twoDigits, field.oneOrTwo);
  return format;
}

// A locale's short time form as it stands, the time zone taken out ("HH:mm:ss" in the C locale).
QString TimeFormatOf(const QLocale& locale) {
  static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
  return locale.timeFormat(QLocale::ShortFormat).replace(zone, QStringLiteral(" ")).trimmed();
}

// A time form to the minute: the seconds go with the separator before them ("h:mm:ss AP" gives
// "h:mm AP").
QString WithoutSeconds(QString format) {
  static const QRegularExpression seconds(QStringLiteral("[^hHmaApP\\s]?s+"));
  return format.remove(seconds);
}

std::optional<QTime> ParseTime(const QString& text) {
  // The user's own forms, to the minute and with seconds, then the 24-hour forms of the C locale,
  // which every user may type.
  const QLocale locale;
  for (const QString& format : {WithoutSeconds(TimeFormatOf(locale)), TimeFormatOf(locale),
                                WithoutSeconds(TimeFormatOf(QLocale::c())), TimeFormatOf(QLocale::c())}) {
    const QTime time = locale.toTime(text, Relaxed(format));
    if (time.isValid()) return time;
  }
  return std::nullopt;
}

// The user's short date and time forms, worked out once for each locale they are asked in: every
// date shown goes through them.
struct UserForms {
  QLocale locale;
  QString date;
  QString time;
};

const UserForms& FormsOfUser() {
  thread_local std::optional<UserForms> forms;
  const QLocale locale;
  if (!forms || forms->locale != locale) {
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy"))) date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    forms = UserForms{locale, date, WithoutSeconds(TimeFormatOf(locale))};
  }
  return *forms;
}

}  // namespace

QString ShortDateFormat() { return FormsOfUser().date; }

QString ShortTimeFormat() { return FormsOfUser().time; }

QString ShortDateText(double day) { return QLocale().toString(FromOleDate(day).date(), ShortDateFormat()); }

QString DateTimeText(double day) {
  const QDateTime when = FromOleDate(day);
  QString text = QLocale().toString(when.date(), ShortDateFormat());
  if (when.time() != QTime(0, 0)) text += QLatin1Char(' ') + QLocale().toString(when.time(), ShortTimeFormat());
  return text;
}

std::optional<double> ParseShortDate(const QString& text) {
  const QString trimmed = text.simplified();
  const QLocale locale;
  const QString format = Relaxed(ShortDateFormat());
  QDate date = locale.toDate(trimmed, format);
  if (!date.isValid()) {
    QString twoDigitFormat = format;
    twoDigitFormat.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    date = locale.toDate(trimmed, twoDigitFormat);
    if (date.isValid() && date.year() < 1930) date = date.addYears(100);
  }
  if (!date.isValid() || date.year() < kFirstYear || date.year() > kLastYear) return std::nullopt;
  return ToOleDate(date);
}

std::optional<double> ParseDateTime(const QString& text) {
  // Dates ("26 May 2026") and times ("5:17 PM") may both hold blanks: the date ends at the first
  // blank after which the rest reads as a time.
  const QString simplified = text.simplified();
  if (const std::optional<double> date = ParseShortDate(simplified)) return date;
  for (qsizetype blank = simplified.indexOf(QLatin1Char(' ')); blank >= 0;
       blank = simplified.indexOf(QLatin1Char(' '), blank + 1)) {
    const std::optional<double> date = ParseShortDate(simplified.left(blank));
    if (!date) continue;
    const std::optional<QTime> time = ParseTime(simplified.mid(blank + 1));
    if (!time) continue;
    return ToOleDate(QDateTime(FromOleDate(*date).date(), *time));
  }
  return std::nullopt;
}

}  // namespace praxel
