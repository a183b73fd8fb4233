#include "PrintJob.h"

#include "RuntimeError.h"

#include <QPrinter>

namespace Ywindow {

namespace {

constexpr int kPrinterError = 482;

[[noreturn]] void RaisePrinterError(const QString& what) {
  throw praxel::RuntimeError(kPrinterError, QStringLiteral("Printer error: ") + what);
}

// Why the printer refused a job, in the user's words: the file it was to write, the printer it
// was to go to, or that there is neither.
QString Refusal(const QPrinter& printer) {
  if (!printer.outputFileName().isEmpty()) {
    return QStringLiteral("the file \"%1\" cannot be written.").arg(printer.outputFileName());
  }
  if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty()) {
    return QStringLiteral("the printer \"%1\" does not accept the print job.").arg(printer.printerName());
  }
  return QStringLiteral("no printer is installed, and no file was chosen to print into.");
}

}  // namespace

PrintJob::~PrintJob() {
  // A job left open when the control goes is sent, so that nothing printed is lost.
  End();
}

void PrintJob::Begin(QPrinter& printer) {
  if (Active()) return;
  if (!painter_.begin(&printer)) RaisePrinterError(Refusal(printer));
  printer_ = &printer;
  twipsPerDot_ = 1440.0 / printer.resolution();
}

void PrintJob::NewPage() {
  if (printer_ == nullptr || !Active()) RaisePrinterError(QStringLiteral("no print job is open."));
  if (!printer_->newPage()) RaisePrinterError(QStringLiteral("the printer cannot start a new page."));
}

void PrintJob::End() {
  if (Active()) painter_.end();
  printer_ = nullptr;
}

}  // namespace Ywindow
