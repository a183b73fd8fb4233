#pragma once

#include "YwindowExport.h"

#include <array>
#include <functional>

namespace Ywindow {

class Canvas;
class GrobList;
struct Grob;

// The window of the chart being drawn (chart twips), where its top-left corner lands on the
// canvas (canvas units) and the canvas units per chart twip.
struct ViewWindow {
  int ViewX1 = 0;
  int ViewY1 = 0;
  int ViewX2 = 0;
  int ViewY2 = 0;
  int CanvasLeft = 0;
  int CanvasTop = 0;
  float Magnification = 1.0f;
};

// The colour a printed or exported object takes when colours are remapped: pure red prints black,
// pure green white; every other colour stays.
YWINDOW_EXPORT int DoRemapColor(int color);

// Draws the objects first to last - 1 (all when last is -1), in order, that meet the window:
// those that overlap it, and lines that lie on its edge. Texts are tested with their size on the
// canvas. With remapColors, colours on the printer pass DoRemapColor. `prepare`, when given, is
// called with the index of each object that may meet the window, before it is tested, so that a
// caller can set the canvas up for it (the grid view sets a cell's bold or italic font).
YWINDOW_EXPORT void RedrawAllGrobs(const GrobList& grobs, Canvas& canvas, const ViewWindow& view, bool remapColors,
                                   int first = 0, int last = -1, const std::function<void(int)>& prepare = {});

// Draws one object: lines and boxes clipped to the window, ovals, triangles and texts whole.
// Drawing never fails: an oval without width draws nothing.
YWINDOW_EXPORT void RedrawGrob(const Grob& grob, Canvas& canvas, const ViewWindow& view, bool remapColors);

// The corners of a triangle in the box (x1, y1)-(x2, y2), point first; the base is made
// symmetric about the point by moving its far end. False for an unknown direction.
struct TriangleCorners {
  std::array<int, 6> xy{};  // point x, y, then the two base corners
};
YWINDOW_EXPORT bool DoTriangle(int x1, int y1, int x2, int y2, int Direction, TriangleCorners* corners);

}  // namespace Ywindow
