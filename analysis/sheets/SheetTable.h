#pragma once

#include <QList>
#include <QString>

// One spreadsheet as its builder lays it out, before it reaches a window: the caption, the
// columns with their headings and alignments, the header rows, the cells with their texts and
// colours, the columns that stay in place when the grid scrolls sideways. The spreadsheet window
// hands it to its chart control; the command-line tool prints it as text.
class SheetTable {
 public:
  // A column of the date-grid kind: right-aligned and narrow, its heading not repeated down the
  // header rows.
  static constexpr int kDateGridColumn = -2;

  struct Column {
    QString heading;
    int alignment = 1;  // 1 left, 4 centre, 7 right, or kDateGridColumn
  };
  struct Cell {
    QString text;
    int backColor = 0;  // 0: the grid's own
    bool bold = false;
    bool italic = false;
  };

  // The caption: the title, followed by the active project's page header where the sheet says so.
  QString title;
  bool titleTakesPageHeader = false;
  QList<Column> columns;
  // Rows 0 to headerRows - 1 are the header; the date columns of a two-row header are centred.
  int headerRows = 0;
  bool centreDateHeader = false;
  int lockedColumns = 0;
  QString toolTip;

  // The heading row is row 0; a builder adds its columns before any row.
  void AddColumn(const QString& heading, int alignment);
  // Appends an empty row, or inserts one before `before`; answers its index.
  int AddRow();
  int InsertRow(int before);
  // The rows added so far become the header.
  void FixTop(bool centreDateHeader = false);

  int Rows() const { return static_cast<int>(rows_.size()); }
  int Cols() const { return static_cast<int>(columns.size()); }
  const Cell& At(int row, int col) const { return rows_.at(row).at(col); }
  Cell& At(int row, int col) { return rows_[row][col]; }
  const QString& Text(int row, int col) const { return At(row, col).text; }
  void SetText(int row, int col, const QString& text) { At(row, col).text = text; }

  // The sheet as the grid copies it: a line per row, the cells' texts without their blanks
  // around them, separated by tabs; a heading stands in every header row of its column. Lines
  // end with `rowEnd`; a line break inside a cell becomes `cellBreak`.
  QString CopiedText(const QString& rowEnd, const QString& cellBreak) const;

 private:
  QList<QList<Cell>> rows_;
};
