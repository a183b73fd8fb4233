#include "Printer.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace Ywindow {

namespace {

QPrinter* hostPrinter = nullptr;

}  // namespace

QPrinter& CurrentPrinter() {
  if (hostPrinter != nullptr) return *hostPrinter;
  static QPrinter defaultPrinter(QPrinter::HighResolution);
  return defaultPrinter;
}

void UsePrinter(QPrinter* printer) { hostPrinter = printer; }

bool AnyPrinterInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

}  // namespace Ywindow
