#pragma once

#include "YwindowExport.h"

#include <QSet>

namespace Ywindow {

class GridModel;
class GrobList;
class TextMeasure;

// The date axis of the date-grid style: a run of grid columns of one day, week, month or quarter
// each, with header rows naming them, and the mapping of dates onto it. The control keeps one;
// the scaling panel's texts and choice are passed in.
class YWINDOW_EXPORT DateAxis {
 public:
  // The date at the left edge of the first date column (moved back there by the labelling), and
  // the last date the axis must show.
  double Earliest = 0;
  double Latest = 0;
  // The scale in use: 1, 7, 30 or 90 days a column; 0 before one is chosen.
  int DaysPerColumn = 0;
  // Twips of axis per day at the scale in use.
  float UnitsPerDay = 0;

  // Picks the scale. An option of 1, 7, 30 or 90 (chosen by the user) is taken as it stands.
  // Otherwise (automatic) the scale steps on from the one in use, 0 to 1, 1 to 7, 7 to 30 and any
  // other to 90, and keeps stepping while the range, measured in columns as wide as " Wed " (wedWidth),
  // is at least printerWidth wide. So a second call without a new start moves on to a coarser scale.
  void ChooseScale(int selectedOption, double wedWidth, int printerWidth);

  // Lays out the date columns of the scale in use at the end of the grid: the header rows, the
  // first column at a spare period before Earliest (which moves there), the columns up to a
  // spare period after Latest, each with its labels and its width pinned, in whole pixels.
  void LabelColumns(GridModel& grid, const TextMeasure& measure, double twipsPerPixelX, const QSet<int>& hiddenCols);

  // The x of a date in chart twips: the date columns begin right after the grid's fixed columns.
  int DateToX(double TheDate, const GridModel& grid) const;

  // The first grid row below the date header rows: 3 at the day scale, 2 otherwise.
  int FirstGraphicRow() const { return DaysPerColumn == 1 ? 3 : 2; }

  // The today marker, when the date lies on the axis: a line from the first graphic row down to
  // one font height below the top of the last row, "Today" centred under it, and a downward
  // triangle whose point sits on the line's foot.
  void AddTodayLine(GrobList& grobs, const GridModel& grid, const TextMeasure& measure, double TodayLine,
                    int Color) const;
};

// Twips rounded to the nearest whole pixel, halves up.
YWINDOW_EXPORT int RoundToNearestPixel(double Twips, double twipsPerPixel);

}  // namespace Ywindow
