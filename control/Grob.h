#pragma once

#include <QString>

namespace Ywindow {

// The kinds of graphic object.
enum GrobKind : int {
  GrobLine = 1,
  GrobBox = 2,
  GrobTriangle = 3,
  GrobOval = 4,
  GrobText = 5,
};

// The ways a triangle's point can face.
enum TriangleDirection : int {
  TriangleLeft = 1,
  TriangleUp = 3,
  TriangleDown = 5,
  TriangleRight = 7,
};

// The first fill style of a box, without a pattern; 2 to 7 hatch the box (horizontal, vertical,
// upward diagonal, downward diagonal, cross, diagonal cross).
constexpr int kFillSolid = 1;

// One graphic object of a chart, in chart coordinates (twips from the left edge of grid column 0
// and the top of grid row 0). Colours are &HBBGGRR longs.
struct Grob {
  int Kind = 0;
  // First corner: a line's start, a text's anchor point at the top of the text.
  int X1 = 0;
  int Y1 = 0;
  // Opposite corner: a line's end; for a text X1 plus its padded width, Y1 plus its height.
  int X2 = 0;
  int Y2 = 0;
  // A line's colour; the outline of a box, triangle or oval.
  int BorderColor = 0;
  // The inside of a box, triangle or oval; the colour of a text.
  int FillColor = 0;
  // Boxes: kFillSolid, or a hatch pattern 2 to 7 over the fill.
  int FillStyle = 0;
  // Triangles: a TriangleDirection. Texts: the alignment code; code / 3 puts the text right of
  // the anchor (0), centred on it (1) or ending at it (2).
  int Direction = 0;
  // Lines: the pen width in pixels.
  int Thickness = 0;
  // Texts: one line of text.
  QString Text;
};

}  // namespace Ywindow
