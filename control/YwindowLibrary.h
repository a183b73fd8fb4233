#pragma once

#include "YwindowExport.h"

#include <QString>

class QPrinter;
class QWidget;

namespace praxel {
class Prompter;
}

// The library's entry points for its host.
namespace Ywindow {

// Creates a control by its class name ("Ywindow.YwindowControl"); nullptr for a name the
// library does not know.
YWINDOW_EXPORT QWidget* CreateObject(const QString& className, QWidget* parent = nullptr);

// The prompter through which the library's own error trap asks the user (not owned).
YWINDOW_EXPORT void SetPrompter(praxel::Prompter* prompter);

// The printer the library's controls print on and measure their page by (not owned): the
// program's printer, so that its printer set-up holds for the charts too. Until one is set, and
// after nullptr, the system's default printer.
YWINDOW_EXPORT void SetPrinter(QPrinter* printer);

}  // namespace Ywindow
