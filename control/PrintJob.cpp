#include "PrintJob.h"

#include "RuntimeError.h"

#include <QPrinter>

namespace Ywindow {

namespace {

constexpr int kPrinterError = 482;

[[noreturn]] void RaisePrinterError() { throw praxel::RuntimeError(kPrinterError, QStringLiteral("Printer error")); }

}  // namespace

PrintJob::~PrintJob() {
  // A job left open when the control goes is sent, so that nothing printed is lost.
  End();
}

void PrintJob::Begin(QPrinter& printer) {
  if (Active()) return;
  if (!painter_.begin(&printer)) RaisePrinterError();
  printer_ = &printer;
  twipsPerDot_ = 1440.0 / printer.resolution();
}

void PrintJob::NewPage() {
  if (printer_ == nullptr || !Active() || !printer_->newPage()) RaisePrinterError();
}

void PrintJob::End() {
  if (Active()) painter_.end();
  printer_ = nullptr;
}

}  // namespace Ywindow
