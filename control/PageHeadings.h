#pragma once

#include "YwindowExport.h"

#include <QDateTime>
#include <QString>

namespace Ywindow {

class Canvas;
struct PageMetrics;

// The heading and footer lines of a printed page, in the printer's twips from the top left of
// the printable area: the top heading at the left of the first line and "Page " with the number
// ending two widths of "X" before the right edge; the bottom heading and the date and time
// likewise on the footer line, two text lines below the printable height.
YWINDOW_EXPORT void PrintPageHeadings(Canvas& printer, const PageMetrics& page, int pageNumber,
                                      const QString& topHeading, const QString& bottomHeading,
                                      const QString& dateTime);

// A date and time as the footer shows it, "dddd, mmmm dd, yyyy hh:mmam/pm" in the locale's day and
// month names: "Monday, January 08, 2024 03:05pm".
YWINDOW_EXPORT QString FooterDateTime(const QDateTime& when);

}  // namespace Ywindow
