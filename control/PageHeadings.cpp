#include "PageHeadings.h"

#include "Canvas.h"
#include "PageMetrics.h"
#include "Rounding.h"

#include <QLocale>

namespace Ywindow {

namespace {

// Prints a text whose end lies two widths of "X" before the right edge of the printable width.
void PrintAtRight(Canvas& printer, const PageMetrics& page, int y, const QString& text) {
  const QString padded = QLatin1Char('X') + text + QLatin1Char('X');
  printer.Text(praxel::ToLong(page.PrinterWidth - printer.TextWidth(padded)), y, text, 0, 0);
}

}  // namespace

void PrintPageHeadings(Canvas& printer, const PageMetrics& page, int pageNumber, const QString& topHeading,
                       const QString& bottomHeading, const QString& dateTime) {
  printer.Text(0, 0, topHeading, 0, 0);
  PrintAtRight(printer, page, 0, QStringLiteral("Page ") + QString::number(pageNumber));
  const int footer = praxel::ToLong(page.PrinterHeight + 2 * printer.TextHeight(QStringLiteral("X")));
  printer.Text(0, footer, bottomHeading, 0, 0);
  PrintAtRight(printer, page, footer, dateTime);
}

QString FooterDateTime(const QDateTime& when) {
  const QLocale locale;
  const QDate date = when.date();
  const QTime time = when.time();
  const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
  return locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") +
         locale.monthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ') +
         QStringLiteral("%1, %2 %3:%4").arg(date.day(), 2, 10, QLatin1Char('0')).arg(date.year(), 4, 10, QLatin1Char('0'))
             .arg(hour, 2, 10, QLatin1Char('0')).arg(time.minute(), 2, 10, QLatin1Char('0')) +
         (time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
}

}  // namespace Ywindow
