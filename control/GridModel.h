#pragma once

#include "YwindowEnums.h"
#include "YwindowExport.h"

#include <QList>
#include <QString>

namespace Ywindow {

// The grid of text cells behind the control: rows and columns with their sizes, the cells'
// texts and formats, the fixed (unscrolled) leading rows and columns, the scroll position, the
// merge flags and each column's remembered width. Plain data without a window; the control's
// grid view paints it, the fitting, merging and drawing procedures read and change it.
//
// Positions and sizes are twips, colours &HBBGGRR longs. An index outside the grid raises
// run-time error 9, a count below zero error 5; callers hand them to the error trap.
class YWINDOW_EXPORT GridModel {
 public:
  GridModel();

  // Width and height that rows and columns added from now on get.
  void SetDefaultSizes(int colWidth, int rowHeight);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }

  // Counts. A larger count adds empty rows or columns at the end, a smaller one drops the last;
  // 0 empties the grid. The fixed counts and the scroll position follow a shrinking grid.
  int Rows() const { return static_cast<int>(rows_.size()); }
  void SetRows(int rows);
  int Cols() const { return static_cast<int>(cols_.size()); }
  void SetCols(int cols);

  // The leading rows and columns that do not scroll: 0 up to the count.
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int fixedRows);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int fixedCols);

  // The first scrolling row and column shown; never inside the fixed area.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);

  // An empty row before `before` (Rows() appends one); removing a row drops its cells.
  void InsertRow(int before);
  void RemoveRow(int row);

  // A cell's text as stored, blanks included.
  const QString& Text(int row, int col) const;
  void SetText(int row, int col, const QString& text);
  // A cell's own back colour; 0 when it has none and shows the grid's.
  int CellBackColor(int row, int col) const;
  void SetCellBackColor(int row, int col, int color);
  bool CellBold(int row, int col) const;
  void SetCellBold(int row, int col, bool bold);
  bool CellItalic(int row, int col) const;
  void SetCellItalic(int row, int col, bool italic);
  // A cell's own alignment code; 0 when the column's applies.
  int CellAlignment(int row, int col) const;
  void SetCellAlignment(int row, int col, int alignment);

  int ColAlignment(int col) const;
  void SetColAlignment(int col, int alignment);
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);
  // The width the control last fitted or saw for the column; a negative -w pins it to width w.
  int WidthMemory(int col) const;
  void SetWidthMemory(int col, int width);
  // Equal neighbouring texts merge side by side in a mergeable row, one above the other in a
  // mergeable column.
  bool MergeRow(int row) const;
  void SetMergeRow(int row, bool merge);
  bool MergeCol(int col) const;
  void SetMergeCol(int col, bool merge);

  // The back colour of cells without one of their own, and that of the fixed cells.
  int BackColor() const { return backColor_; }
  int BackColorFixed() const { return backColorFixed_; }

  // The left edge of a column: the widths of the columns before it (Cols() gives the whole
  // width). The top of a row likewise. A sum beyond a Long raises error 6.
  int ColPos(int col) const;
  int RowPos(int row) const;
  // The left edge of a column as the grid now shows it: a scrolling column after the first one
  // moves left by the width scrolled out of view; fixed columns and the first scrolling column
  // keep their place. The top of a row likewise.
  int ScreenColPos(int col) const;
  int ScreenRowPos(int row) const;
  // All left edges, 0 to Cols() inclusive; all tops, 0 to Rows() inclusive.
  QList<int> ColPositions() const;
  QList<int> RowPositions() const;

 private:
  struct Cell {
    QString text;
    int backColor = 0;
    bool bold = false;
    bool italic = false;
    int alignment = 0;
  };
  struct Column {
    int width = 0;
    int alignment = kAlignGeneral;
    int widthMemory = 0;
    bool merge = false;
  };
  struct Row {
    int height = 0;
    bool merge = false;
    QList<Cell> cells;
  };

  void CheckRow(int row) const;
  void CheckCol(int col) const;
  const Cell& CellAt(int row, int col) const;
  Cell& CellAt(int row, int col);
  Row NewRow() const;
  void KeepScrollInside();
  // The row tops are summed once per change of the rows, not at every RowPos: a chart asks for
  // the position of each of its rows, and summing each time would make that quadratic.
  void ForgetRowTops() { rowTopsValid_ = false; }

  QList<Row> rows_;
  mutable QList<qint64> rowTops_;  // RowPos of every row and of Rows(), while rowTopsValid_
  mutable bool rowTopsValid_ = false;
  QList<Column> cols_;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
  int topRow_ = 0;
  int leftCol_ = 0;
  int defaultColWidth_ = 960;
  int defaultRowHeight_ = 240;
  int backColor_ = 0xFFFFFF;
  int backColorFixed_ = 0xC0C0C0;
};

}  // namespace Ywindow
