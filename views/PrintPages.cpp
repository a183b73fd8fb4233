#include "PrintPages.h"

namespace PrintPages {

namespace {

// The end of the band that starts at `start`: as many whole lines as fit the room, at least one.
int BandEnd(const QList<int>& pos, int start, int heading, int room) {
  const int lines = static_cast<int>(pos.size()) - 1;
  int end = start;
  while (end < lines && pos.at(end + 1) - pos.at(start) + heading <= room) ++end;
  return end == start && start < lines ? start + 1 : end;
}

}  // namespace

QList<Piece> Cut(const QList<int>& colPos, const QList<int>& rowPos, int printerWidth, int printerHeight, int fixedCols,
                 int fixedRows) {
  QList<Piece> pieces;
  const int cols = static_cast<int>(colPos.size()) - 1;
  const int rows = static_cast<int>(rowPos.size()) - 1;
  if (cols <= 0 || rows <= 0) return pieces;
  const int hw = colPos.at(fixedCols);
  const int hh = rowPos.at(fixedRows);
  const bool headings = fixedCols >= 1 || fixedRows >= 1;
  int startRow = fixedRows;
  while (startRow < rows) {
    const int endRow = BandEnd(rowPos, startRow, hh, printerHeight);
    int startCol = fixedCols;
    while (startCol < cols) {
      const int endCol = BandEnd(colPos, startCol, hw, printerWidth);
      if (headings) {
        pieces.append({true, 0, 0, hw, hh, 0, 0});
        pieces.append({false, colPos.at(startCol), 0, colPos.at(endCol), hh, hw, 0});
        pieces.append({false, 0, rowPos.at(startRow), hw, rowPos.at(endRow), 0, hh});
      }
      pieces.append({!headings, colPos.at(startCol), rowPos.at(startRow), colPos.at(endCol), rowPos.at(endRow), hw, hh});
      startCol = endCol;
    }
    startRow = endRow;
  }
  return pieces;
}

}  // namespace PrintPages
