#pragma once

// The control's enumerations, as hosts pass them.

// What the control shows.
enum YwindowStyles : int {
  ywTextOnly = 0,      // the grid alone: no drawing surface, no key, no scaling panel
  ywGraphicsOnly = 1,  // the drawing alone: the grid's plain cells only carry its scroll bars
  ywDateGrid = 2,      // grid with date columns, drawing surface, key and scaling panel (the default)
};

// Alignments that only AddColumn understands, besides the grid's codes.
enum SpecialAlignments : int {
  AlignHidden = -1,    // a column of width 0; the column alignment is not set
  AlignDateGrid = -2,  // right-aligned, pinned to the width of " 88.8 " like the date columns
};

namespace Ywindow {

// Grid alignment codes: code / 3 places the text across (0 left, 1 centred, 2 right),
// code % 3 up and down (0 top, 1 centre, 2 bottom). Hosts pass 1, 4 and 7.
constexpr int kAlignLeftCentre = 1;
constexpr int kAlignCentreCentre = 4;
constexpr int kAlignRightCentre = 7;
// The grid's general alignment, which every new column has: texts stand left, centred up and down.
constexpr int kAlignGeneral = 9;

}  // namespace Ywindow
