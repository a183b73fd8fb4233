#pragma once

#include "YwindowExport.h"

#include <QList>
#include <QPoint>

namespace Ywindow {

class WmfCanvas;
struct Grob;

// The chart's graphic objects replayed into its metafile, in chart twips and unclipped: the whole
// drawing, whatever part of it a window shows. With remapColors every object's colours pass the
// printer's remapping, as on paper.

// One object, by its kind; an object of no known kind draws nothing.
YWINDOW_EXPORT void DrawGrobToMetaFile(const Grob& grob, WmfCanvas& canvas, bool remapColors);

// One triangle, its point and base by Direction, the middles rounded half to even; an unknown
// direction gives three points at the origin (nothing to see, and no error).
YWINDOW_EXPORT void DrawMetaTriangle(const Grob& grob, WmfCanvas& canvas, bool remapColors);
YWINDOW_EXPORT QList<QPoint> MetaTrianglePoints(const Grob& grob);

}  // namespace Ywindow
