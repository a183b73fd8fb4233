#include "ShortDate.h"

#include "OleDate.h"

#include <QDate>
#include <QLocale>

namespace praxel {

QString ShortDateFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}

QString ShortDateText(double day) { return QLocale().toString(FromOleDate(day).date(), ShortDateFormat()); }

std::optional<double> ParseShortDate(const QString& text) {
  const QString trimmed = text.trimmed();
  const QLocale locale;
  QDate date = locale.toDate(trimmed, ShortDateFormat());
  if (!date.isValid()) {
    QString twoDigitFormat = ShortDateFormat();
    twoDigitFormat.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    date = locale.toDate(trimmed, twoDigitFormat);
    if (date.isValid() && date.year() < 1930) date = date.addYears(100);
  }
  if (!date.isValid() || date.year() < 100) return std::nullopt;
  return ToOleDate(date);
}

}  // namespace praxel
