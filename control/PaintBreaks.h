#pragma once

#include "YwindowExport.h"

namespace Ywindow {

// Rebuilding a big chart takes longer than a window may stand still. While a PaintBreaks object
// lives, the long loops of the rebuild call KeepPainting, which lets the application paint and
// run its timers whenever the interval has passed since the last break. Input waits for the end
// of the rebuild, so nothing the user does can change what is being drawn half way through.
class YWINDOW_EXPORT PaintBreaks {
 public:
  PaintBreaks();
  ~PaintBreaks();
  PaintBreaks(const PaintBreaks&) = delete;
  PaintBreaks& operator=(const PaintBreaks&) = delete;

  // Whether a rebuild with breaks is on the stack.
  static bool Active();
  // The longest stretch without a break, in milliseconds (20 unless set).
  static void SetInterval(int milliseconds);
};

// A break, if one is due: cheap enough to call for every row of a loop. Rows is the work done
// since the last call, in rows of a chart, for callers that do it in bigger steps.
YWINDOW_EXPORT void KeepPainting(int rows = 1);
// A break now, if the interval has passed since the last (after one long step).
YWINDOW_EXPORT void BreakIfDue();

}  // namespace Ywindow
