#include "GrobDrawing.h"

#include "Canvas.h"
#include "Grob.h"
#include "GrobList.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Ywindow {

namespace {

// A chart coordinate on the canvas, rounded half to even like every conversion to a Long, and
// kept inside a Long's range so that painting cannot fail.
int MapToCanvas(double chart, int viewStart, float magnification, int canvasStart) {
  const double mapped = std::nearbyint(magnification * (chart - viewStart) + canvasStart);
  constexpr double kLimit = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(mapped, -kLimit, kLimit));
}

// Whether an object spanning [a1, a2] (either way round) meets the range [v1, v2]: overlapping
// it, or, with `touching`, sharing an edge with it.
bool Meets(double a1, double a2, int v1, int v2, bool touching) {
  const double low = std::min(a1, a2);
  const double high = std::max(a1, a2);
  return touching ? high >= v1 && low <= v2 : high > v1 && low < v2;
}

}  // namespace

int DoRemapColor(int color) {
  if (color == 0xFF) return 0;
  if (color == 0xFF00) return 0xFFFFFF;
  return color;
}

bool DoTriangle(int x1, int y1, int x2, int y2, int Direction, TriangleCorners* corners) {
  // The middle rounds toward zero, like an integer division; the sums cannot overflow.
  const auto middle = [](int a, int b) { return static_cast<int>((static_cast<long long>(a) + b) / 2); };
  const auto mirrored = [](int mid, int near) {
    constexpr long long kLow = std::numeric_limits<int>::min();
    constexpr long long kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(2LL * mid - near, kLow, kHigh));
  };
  switch (Direction) {
    case TriangleLeft: {
      const int mid = middle(y1, y2);
      corners->xy = {x1, mid, x2, y1, x2, mirrored(mid, y1)};
      return true;
    }
    case TriangleUp: {
      const int mid = middle(x1, x2);
      corners->xy = {mid, y1, x1, y2, mirrored(mid, x1), y2};
      return true;
    }
    case TriangleDown: {
      const int mid = middle(x1, x2);
      corners->xy = {mid, y2, x1, y1, mirrored(mid, x1), y1};
      return true;
    }
    case TriangleRight: {
      const int mid = middle(y1, y2);
      corners->xy = {x2, mid, x1, y1, x1, mirrored(mid, y1)};
      return true;
    }
    default: return false;
  }
}

void RedrawAllGrobs(const GrobList& grobs, Canvas& canvas, const ViewWindow& view, bool remapColors, int first,
                    int last, const std::function<void(int)>& prepare) {
  if (last < 0 || last > grobs.Count()) last = grobs.Count();
  for (int index = std::max(first, 0); index < last; ++index) {
    const Grob& grob = grobs.At(index);
    double right = grob.X2;
    double bottom = grob.Y2;
    if (grob.Kind == GrobText) {
      // A text starts at its anchor and reaches right and down: one that starts beyond the window
      // cannot meet it, and need not be measured.
      if (grob.X1 > view.ViewX2 || grob.Y1 > view.ViewY2) continue;
      if (prepare) prepare(index);
      right = grob.X1 + canvas.TextWidth(grob.Text);
      bottom = grob.Y1 + canvas.TextHeight(grob.Text);
    } else if (prepare) {
      prepare(index);
    }
    const bool overlaps = Meets(grob.X1, right, view.ViewX1, view.ViewX2, false) &&
                          Meets(grob.Y1, bottom, view.ViewY1, view.ViewY2, false);
    if (!overlaps) {
      const bool touchesAcross = Meets(grob.X1, right, view.ViewX1, view.ViewX2, true);
      const bool touchesDown = Meets(grob.Y1, bottom, view.ViewY1, view.ViewY2, true);
      const bool horizontalOnEdge = grob.Y1 == bottom && touchesAcross && touchesDown;
      const bool verticalOnEdge = grob.X1 == right && touchesAcross && touchesDown;
      if (!horizontalOnEdge && !verticalOnEdge) continue;
    }
    RedrawGrob(grob, canvas, view, remapColors);
  }
}

void RedrawGrob(const Grob& grob, Canvas& canvas, const ViewWindow& view, bool remapColors) {
  double x1 = grob.X1;
  double y1 = grob.Y1;
  double x2 = grob.X2;
  double y2 = grob.Y2;
  if (grob.Kind == GrobLine || grob.Kind == GrobBox) {
    // Each coordinate is kept inside the window by itself, whichever way the object was drawn.
    x1 = std::clamp<double>(x1, view.ViewX1, std::max(view.ViewX1, view.ViewX2));
    x2 = std::clamp<double>(x2, view.ViewX1, std::max(view.ViewX1, view.ViewX2));
    y1 = std::clamp<double>(y1, view.ViewY1, std::max(view.ViewY1, view.ViewY2));
    y2 = std::clamp<double>(y2, view.ViewY1, std::max(view.ViewY1, view.ViewY2));
  }
  const int left = MapToCanvas(x1, view.ViewX1, view.Magnification, view.CanvasLeft);
  const int top = MapToCanvas(y1, view.ViewY1, view.Magnification, view.CanvasTop);
  const int right = MapToCanvas(x2, view.ViewX1, view.Magnification, view.CanvasLeft);
  const int bottom = MapToCanvas(y2, view.ViewY1, view.Magnification, view.CanvasTop);

  int borderColor = grob.BorderColor;
  int fillColor = grob.FillColor;
  if (canvas.IsPrinter() && remapColors) {
    borderColor = DoRemapColor(borderColor);
    fillColor = DoRemapColor(fillColor);
  }

  switch (grob.Kind) {
    case GrobLine: canvas.Line(left, top, right, bottom, borderColor, grob.Thickness); break;
    case GrobBox: canvas.Rectangle(left, top, right, bottom, borderColor, fillColor, grob.FillStyle); break;
    case GrobTriangle: {
      TriangleCorners corners;
      if (!DoTriangle(left, top, right, bottom, grob.Direction, &corners)) break;
      const auto& xy = corners.xy;
      canvas.Triangle(xy[0], xy[1], xy[2], xy[3], xy[4], xy[5], borderColor, fillColor);
      break;
    }
    case GrobOval: {
      // The ellipse fills a box at least as wide as tall; a taller box gets the ellipse as tall
      // as the box is wide, narrowed in proportion, centred in the box.
      const double width = std::abs(static_cast<double>(right) - left);
      const double height = std::abs(static_cast<double>(bottom) - top);
      if (width == 0) break;
      const double aspect = height / width;
      const double radius = width / 2;
      const double radiusX = aspect <= 1 ? radius : radius / aspect;
      const double radiusY = aspect <= 1 ? radius * aspect : radius;
      canvas.Ellipse((static_cast<double>(left) + right) / 2, (static_cast<double>(top) + bottom) / 2, radiusX, radiusY,
                     borderColor, fillColor);
      break;
    }
    case GrobText: {
      const int placement = grob.Direction / 3;
      canvas.Text(left, top, grob.Text, fillColor, placement >= 0 && placement <= 2 ? placement : 0);
      break;
    }
    default: break;
  }
}

}  // namespace Ywindow
