#pragma once

#include "YwindowExport.h"

#include <QByteArray>
#include <QString>

namespace Ywindow {

// Bytes as the status report embeds a picture: two upper-case hex digits a byte, a carriage
// return and line feed after every 32nd byte, so each full line holds 64 digits and a last
// shorter line has no line end.
YWINDOW_EXPORT QString HexLines(const QByteArray& bytes);

}  // namespace Ywindow
