#pragma once

#include "YwindowExport.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Ywindow {

class GridModel;

// The MIME type under which the clipboard carries the chart's metafile (with its placeable
// header, which gives the picture's size).
inline constexpr char kWmfMimeType[] = "image/x-wmf";

// A chart as the clipboard carries it: the metafile, the same picture as SVG and as PNG, and, when
// not empty, plain text.
struct ChartClipboardContent {
  QByteArray wmf;
  QByteArray svg;
  QImage image;
  QString text;
};

// Replaces what the clipboard holds with the chart.
void PutOnClipboard(const ChartClipboardContent& content);

// A text-only grid as tab-separated text, as spreadsheets and editors paste it: every row, header
// rows included, on a line of its own ending in a line feed, its visible cells' texts (each on
// one line) between tabs. Hidden columns (width 0) are left out; a row without visible columns
// gives an empty line, so that rows keep their lines.
YWINDOW_EXPORT QString GridClipboardText(const GridModel& grid);

}  // namespace Ywindow
