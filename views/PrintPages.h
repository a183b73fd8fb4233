#pragma once

#include <QList>

// How a chart larger than a page is cut into pages: bands of whole columns across, then bands of
// whole rows down, each page with the chart's heading rows and columns repeated in front when
// asked for. A column (or row) that does not fit a page even alone is printed alone, cut at the
// page's edge, so the cutting always moves on.
namespace PrintPages {

// One call of the chart control's PrintPiece: the chart's rectangle (X1, Y1)-(X2, Y2), in twips
// of the chart, placed at (X3, Y3) of the page, at scale 1; NewPage starts the next page.
struct Piece {
  bool newPage;
  int x1, y1, x2, y2, x3, y3;
  bool operator==(const Piece&) const = default;
};

// colPos and rowPos: the left edge of every column and the top edge of every row, and the right
// and bottom edge after the last (Cols + 1 and Rows + 1 entries).
QList<Piece> Cut(const QList<int>& colPos, const QList<int>& rowPos, int printerWidth, int printerHeight, int fixedCols,
                 int fixedRows);

}  // namespace PrintPages
