#pragma once

#include <QFont>

class QPrinter;

namespace Ywindow {

// The printable page, in twips: the yardstick of the automatic date scale and the page that
// printing cuts the chart into.
struct PageMetrics {
  int PrinterWidth = 11520;   // printable width
  int PrinterHeight = 13680;  // printable height less four lines of text, room for the headings
  int PrinterLeftBorder = 360;
  int PrinterTopBorder = 720;
};

// The printer's page, with its heading lines measured in the font at a whole point size. When
// the system has no printer at all, the fixed 8 by 9.5 inch printable area of a letter page,
// whatever printer is named. Measuring starts no print job.
PageMetrics CurrentPageMetrics(const QFont& font, const QPrinter& printer);

}  // namespace Ywindow
