#include "PageMetrics.h"

#include "Printer.h"
#include "Rounding.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

#include <cmath>

namespace Ywindow {

PageMetrics CurrentPageMetrics(const QFont& font, const QPrinter& printer) {
  if (!AnyPrinterInstalled()) return PageMetrics{};

  QFont printerFont(font);
  printerFont.setPointSize(static_cast<int>(std::floor(font.pointSizeF() + 0.5)));
  const int resolution = printer.resolution();
  const double twipsPerDot = 1440.0 / resolution;
  const QFontMetricsF metrics(printerFont, &printer);

  const QPageLayout layout = printer.pageLayout();
  const QRect printable = layout.paintRectPixels(resolution);
  const QRect page = layout.fullRectPixels(resolution);
  PageMetrics metricsOut;
  metricsOut.PrinterWidth = praxel::ToLong(printable.width() * twipsPerDot);
  metricsOut.PrinterHeight = praxel::ToLong(printable.height() * twipsPerDot - 4 * metrics.height() * twipsPerDot);
  metricsOut.PrinterLeftBorder = praxel::ToLong(page.width() * twipsPerDot) - metricsOut.PrinterWidth;
  metricsOut.PrinterTopBorder = praxel::ToLong(page.height() * twipsPerDot) - metricsOut.PrinterHeight;
  return metricsOut;
}

}  // namespace Ywindow
