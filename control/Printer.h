#pragma once

class QPrinter;

namespace Ywindow {

// The printer the control prints on and measures its page by: the one its host named (the
// program's printer, which the printer set-up changes; a PDF file in tests), or else the system's
// default printer.
QPrinter& CurrentPrinter();
// Names the printer to use (not owned); nullptr goes back to the system's default printer.
void UsePrinter(QPrinter* printer);

// Whether the system knows any printer at all.
bool AnyPrinterInstalled();

}  // namespace Ywindow
