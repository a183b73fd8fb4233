#include "Canvas.h"

namespace Ywindow {

Canvas::~Canvas() = default;

}  // namespace Ywindow
