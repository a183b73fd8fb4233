#include "MetaFileDrawing.h"

#include "Grob.h"
#include "GrobDrawing.h"
#include "Rounding.h"
#include "WmfCanvas.h"

namespace Ywindow {

namespace {

int Middle(int a, int b) { return praxel::ToLong((static_cast<double>(a) + b) / 2); }

// The object with the colours it takes in the metafile.
Grob Remapped(const Grob& grob, bool remapColors) {
  Grob copy = grob;
  if (remapColors) {
    copy.BorderColor = DoRemapColor(copy.BorderColor);
    copy.FillColor = DoRemapColor(copy.FillColor);
  }
  return copy;
}

}  // namespace

QList<QPoint> MetaTrianglePoints(const Grob& grob) {
  switch (grob.Direction) {
    case TriangleLeft:
      return {{grob.X1, Middle(grob.Y1, grob.Y2)}, {grob.X2, grob.Y1}, {grob.X2, grob.Y2}};
    case TriangleUp:
      return {{grob.X1, grob.Y2}, {Middle(grob.X1, grob.X2), grob.Y1}, {grob.X2, grob.Y2}};
    case TriangleDown:
      return {{grob.X1, grob.Y1}, {Middle(grob.X1, grob.X2), grob.Y2}, {grob.X2, grob.Y1}};
    case TriangleRight:
      return {{grob.X1, grob.Y1}, {grob.X2, Middle(grob.Y1, grob.Y2)}, {grob.X1, grob.Y2}};
    default: return {{0, 0}, {0, 0}, {0, 0}};
  }
}

void DrawMetaTriangle(const Grob& grob, WmfCanvas& canvas, bool remapColors) {
  const Grob object = Remapped(grob, remapColors);
  const QList<QPoint> points = MetaTrianglePoints(object);
  canvas.Triangle(points[0].x(), points[0].y(), points[1].x(), points[1].y(), points[2].x(), points[2].y(),
                  object.BorderColor, object.FillColor);
}

void DrawGrobToMetaFile(const Grob& grob, WmfCanvas& canvas, bool remapColors) {
  const Grob object = Remapped(grob, remapColors);
  const double x1 = object.X1;
  const double y1 = object.Y1;
  switch (object.Kind) {
    case GrobLine: canvas.Line(object.X1, object.Y1, object.X2, object.Y2, object.BorderColor, object.Thickness); break;
    case GrobBox:
      canvas.Rectangle(object.X1, object.Y1, object.X2, object.Y2, object.BorderColor, object.FillColor,
                       object.FillStyle);
      break;
    case GrobTriangle: DrawMetaTriangle(grob, canvas, remapColors); break;
    case GrobOval:
      // The ellipse of the whole box, corner to corner.
      canvas.Ellipse((x1 + object.X2) / 2, (y1 + object.Y2) / 2, (object.X2 - x1) / 2, (object.Y2 - y1) / 2,
                     object.BorderColor, object.FillColor);
      break;
    case GrobText: canvas.Text(object.X1, object.Y1, object.Text, object.FillColor, object.Direction / 3); break;
    default: break;
  }
}

}  // namespace Ywindow
