#include "PageMetrics.h"

#include "Rounding.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace Ywindow {

PageMetrics CurrentPageMetrics(const QFont& font) {
  if (QPrinterInfo::availablePrinters().isEmpty()) return PageMetrics{};
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) info = QPrinterInfo::availablePrinters().constFirst();
  QPrinter printer(info, QPrinter::HighResolution);

  QFont printerFont(font);
  printerFont.setPointSize(static_cast<int>(std::floor(font.pointSizeF() + 0.5)));
  const double twipsPerDot = 1440.0 / printer.resolution();
  const QFontMetricsF metrics(printerFont, &printer);

  const QPageLayout layout = printer.pageLayout();
  const QRect printable = layout.paintRectPixels(printer.resolution());
  const QRect page = layout.fullRectPixels(printer.resolution());
  PageMetrics metricsOut;
  metricsOut.PrinterWidth = praxel::ToLong(printable.width() * twipsPerDot);
  metricsOut.PrinterHeight = praxel::ToLong(printable.height() * twipsPerDot - 4 * metrics.height() * twipsPerDot);
  metricsOut.PrinterLeftBorder = praxel::ToLong(page.width() * twipsPerDot) - metricsOut.PrinterWidth;
  metricsOut.PrinterTopBorder = praxel::ToLong(page.height() * twipsPerDot) - metricsOut.PrinterHeight;
  return metricsOut;
}

}  // namespace Ywindow
