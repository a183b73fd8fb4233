#include "ShortDate.h"

#include "OleDate.h"

#include <QDate>
#include <QLocale>

namespace Ywindow {

namespace {

// The locale's short date form with a four-digit year.
QString FourDigitYearFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}

}  // namespace

QString ShortDateText(double day) { return QLocale().toString(praxel::FromOleDate(day).date(), FourDigitYearFormat()); }

std::optional<double> ParseShortDate(const QString& text) {
  const QString trimmed = text.trimmed();
  const QLocale locale;
  QDate date = locale.toDate(trimmed, FourDigitYearFormat());
  if (!date.isValid()) {
    QString twoDigitFormat = FourDigitYearFormat();
    twoDigitFormat.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    date = locale.toDate(trimmed, twoDigitFormat);
    if (date.isValid() && date.year() < 1930) date = date.addYears(100);
  }
  if (!date.isValid()) return std::nullopt;
  return praxel::ToOleDate(date);
}

}  // namespace Ywindow
