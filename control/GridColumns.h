#pragma once

#include "YwindowExport.h"

#include <QSet>
#include <QString>

namespace Ywindow {

class GridModel;
class TextMeasure;

// Appends one column with Heading in row 0 (the grid gets its heading row when it has none).
// Alignment is a grid alignment code, or AlignHidden (width 0, alignment left as it is) or
// AlignDateGrid (right-aligned, its width pinned to " 88.8 " until the fitting sets it). A column
// whose index the user has hidden is added hidden whatever its heading and alignment.
YWINDOW_EXPORT void AddColumn(GridModel& grid, const QString& Heading, int Alignment, const QSet<int>& hiddenCols,
                              const TextMeasure& measure);

}  // namespace Ywindow
