#pragma once

#include <QString>

class Yresource;
class YwindowControl;

// The slot list of one day that the zoom window and the overload dialog share: a row per booked
// slot with its times, project, task and kind of time, coloured by the kind of time; the zoom
// window puts the template and the resource in front.
namespace Common {

// Empties the control for a list: the headings, with or without the template and resource
// columns, as the fixed top row.
void StartZoomYwindow(YwindowControl* Chart, bool ResourceColumns);
// Adds the rows of the resource's slots booked on the day (its whole day number).
void FillInZoomYwindow(YwindowControl* Chart, bool ResourceColumns, Yresource* Resource, double Day);

// A time of day as the list shows it: the user's long time format with its seconds.
QString LongTimeOfDay(double time);
// The text and row colour of a kind of time.
QString SlotTypeText(int slotType);
int SlotTypeColor(int slotType);

}  // namespace Common
