#pragma once

#include "YwindowExport.h"

#include <QString>

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

}  // namespace Ywindow
