#pragma once

#include "ControlGeometry.h"
#include "YwindowExport.h"

#include <QByteArray>
#include <QImage>

class QFont;

namespace Ywindow {

class GrobList;

// The whole drawing as a picture framed like the chart's metafile: the drawing extent with one
// pixel of margin on every side, at the screen's size, on white. Exported pictures take the
// printer's colours when colours are remapped, as the metafile does.
YWINDOW_EXPORT QImage ChartImage(const GrobList& grobs, const QFont& font, PixelSize pixel, bool remapColors);
YWINDOW_EXPORT QByteArray ChartSvg(const GrobList& grobs, const QFont& font, PixelSize pixel, bool remapColors);

}  // namespace Ywindow
