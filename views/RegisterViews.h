#pragma once

namespace Views {

// Makes the chart views known to the main window's commands by their class names.
void RegisterForms();

}  // namespace Views
