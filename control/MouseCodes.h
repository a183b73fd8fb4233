#pragma once

#include <Qt>

namespace Ywindow {

// The codes of the control's mouse events. Buttons: 1 left, 2 right, 4 middle (a press or release
// names one; a move names every button held). Shift: 1 Shift, 2 Ctrl, 4 Alt, added together.
int ButtonCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);

}  // namespace Ywindow
