#include "SheetTable.h"

namespace {

// Without the blanks around it, as the grid trims a cell it copies.
QString WithoutBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

}  // namespace

void SheetTable::AddColumn(const QString& heading, int alignment) {
  columns.append({heading, alignment});
  if (rows_.isEmpty()) rows_.append(QList<Cell>());
  for (QList<Cell>& row : rows_) row.append(Cell());
  rows_[0].last().text = heading;
}

int SheetTable::AddRow() { return InsertRow(Rows()); }

int SheetTable::InsertRow(int before) {
  rows_.insert(before, QList<Cell>(Cols()));
  return before;
}

void SheetTable::FixTop(bool centreDates) {
  headerRows = Rows();
  centreDateHeader = centreDates;
}

QString SheetTable::CopiedText(const QString& rowEnd, const QString& cellBreak) const {
  QString text;
  for (int row = 0; row < Rows(); ++row) {
    QStringList cells;
    for (int col = 0; col < Cols(); ++col) {
      const bool heading = row > 0 && row < headerRows && columns.at(col).alignment != kDateGridColumn;
      QString cell = WithoutBlanks(heading ? columns.at(col).heading : Text(row, col));
      cell.replace(QStringLiteral("\r\n"), cellBreak);
      cells.append(cell);
    }
    text += cells.join(QLatin1Char('\t')) + rowEnd;
  }
  return text;
}
