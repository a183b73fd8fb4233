#include "GridModel.h"

#include "PaintBreaks.h"

#include "Rounding.h"
#include "RuntimeError.h"

#include <algorithm>
#include <limits>

namespace Ywindow {

namespace {

[[noreturn]] void RaiseSubscript() {
  throw praxel::RuntimeError(praxel::errSubscript, QStringLiteral("Subscript out of range"));
}

[[noreturn]] void RaiseInvalidCall() {
  throw praxel::RuntimeError(praxel::errInvalidCall, QStringLiteral("Invalid procedure call or argument"));
}

}  // namespace

GridModel::GridModel() = default;

void GridModel::SetDefaultSizes(int colWidth, int rowHeight) {
  defaultColWidth_ = colWidth;
  defaultRowHeight_ = rowHeight;
}

GridModel::Row GridModel::NewRow() const {
  Row row;
  row.height = defaultRowHeight_;
  row.cells.resize(cols_.size());
  return row;
}

void GridModel::SetRows(int rows) {
  if (rows < 0) RaiseInvalidCall();
  if (rows < Rows()) {
    // Rows go a block at a time: freeing a big chart's cells is a long stretch of its own.
    constexpr int kRowsFreedAtOnce = 512;
    while (Rows() - rows > kRowsFreedAtOnce) {
      rows_.resize(Rows() - kRowsFreedAtOnce);
      KeepPainting(kRowsFreedAtOnce);
    }
    rows_.resize(rows);
  } else {
    while (Rows() < rows) rows_.append(NewRow());
  }
  ForgetRowTops();
  fixedRows_ = std::min(fixedRows_, rows);
  KeepScrollInside();
}

void GridModel::SetCols(int cols) {
  if (cols < 0) RaiseInvalidCall();
  Column column;
  column.width = defaultColWidth_;
  cols_.resize(cols, column);
  for (Row& row : rows_) row.cells.resize(cols);
  fixedCols_ = std::min(fixedCols_, cols);
  KeepScrollInside();
}

void GridModel::SetFixedRows(int fixedRows) {
  if (fixedRows < 0 || fixedRows > Rows()) RaiseSubscript();
  fixedRows_ = fixedRows;
  KeepScrollInside();
}

void GridModel::SetFixedCols(int fixedCols) {
  if (fixedCols < 0 || fixedCols > Cols()) RaiseSubscript();
  fixedCols_ = fixedCols;
  KeepScrollInside();
}

void GridModel::SetTopRow(int row) {
  if (row < fixedRows_ || row >= std::max(Rows(), fixedRows_ + 1)) RaiseSubscript();
  topRow_ = row;
}

void GridModel::SetLeftCol(int col) {
  if (col < fixedCols_ || col >= std::max(Cols(), fixedCols_ + 1)) RaiseSubscript();
  leftCol_ = col;
}

void GridModel::KeepScrollInside() {
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, Rows() - 1));
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, Cols() - 1));
}

void GridModel::InsertRow(int before) {
  if (before < 0 || before > Rows()) RaiseSubscript();
  rows_.insert(before, NewRow());
  ForgetRowTops();
}

void GridModel::RemoveRow(int row) {
  CheckRow(row);
  rows_.remove(row);
  ForgetRowTops();
  fixedRows_ = std::min(fixedRows_, Rows());
  KeepScrollInside();
}

void GridModel::CheckRow(int row) const {
  if (row < 0 || row >= Rows()) RaiseSubscript();
}

void GridModel::CheckCol(int col) const {
  if (col < 0 || col >= Cols()) RaiseSubscript();
}

const GridModel::Cell& GridModel::CellAt(int row, int col) const {
  CheckRow(row);
  CheckCol(col);
  return rows_[row].cells[col];
}

GridModel::Cell& GridModel::CellAt(int row, int col) {
  CheckRow(row);
  CheckCol(col);
  return rows_[row].cells[col];
}

const QString& GridModel::Text(int row, int col) const { return CellAt(row, col).text; }
void GridModel::SetText(int row, int col, const QString& text) { CellAt(row, col).text = text; }
int GridModel::CellBackColor(int row, int col) const { return CellAt(row, col).backColor; }
void GridModel::SetCellBackColor(int row, int col, int color) { CellAt(row, col).backColor = color; }
bool GridModel::CellBold(int row, int col) const { return CellAt(row, col).bold; }
void GridModel::SetCellBold(int row, int col, bool bold) { CellAt(row, col).bold = bold; }
bool GridModel::CellItalic(int row, int col) const { return CellAt(row, col).italic; }
void GridModel::SetCellItalic(int row, int col, bool italic) { CellAt(row, col).italic = italic; }
int GridModel::CellAlignment(int row, int col) const { return CellAt(row, col).alignment; }
void GridModel::SetCellAlignment(int row, int col, int alignment) { CellAt(row, col).alignment = alignment; }

int GridModel::ColAlignment(int col) const {
  CheckCol(col);
  return cols_[col].alignment;
}

void GridModel::SetColAlignment(int col, int alignment) {
  CheckCol(col);
  cols_[col].alignment = alignment;
}

int GridModel::ColWidth(int col) const {
  CheckCol(col);
  return cols_[col].width;
}

void GridModel::SetColWidth(int col, int width) {
  CheckCol(col);
  if (width < 0) RaiseInvalidCall();
  cols_[col].width = width;
}

int GridModel::RowHeight(int row) const {
  CheckRow(row);
  return rows_[row].height;
}

void GridModel::SetRowHeight(int row, int height) {
  CheckRow(row);
  if (height < 0) RaiseInvalidCall();
  ForgetRowTops();
  rows_[row].height = height;
}

int GridModel::WidthMemory(int col) const {
  CheckCol(col);
  return cols_[col].widthMemory;
}

void GridModel::SetWidthMemory(int col, int width) {
  CheckCol(col);
  cols_[col].widthMemory = width;
}

bool GridModel::MergeRow(int row) const {
  CheckRow(row);
  return rows_[row].merge;
}

void GridModel::SetMergeRow(int row, bool merge) {
  CheckRow(row);
  rows_[row].merge = merge;
}

bool GridModel::MergeCol(int col) const {
  CheckCol(col);
  return cols_[col].merge;
}

void GridModel::SetMergeCol(int col, bool merge) {
  CheckCol(col);
  cols_[col].merge = merge;
}

int GridModel::ColPos(int col) const {
  if (col < 0 || col > Cols()) RaiseSubscript();
  int position = 0;
  for (int c = 0; c < col; ++c) position = praxel::AddChecked(position, cols_[c].width);
  return position;
}

int GridModel::RowPos(int row) const {
  if (row < 0 || row > Rows()) RaiseSubscript();
  if (!rowTopsValid_) {
    rowTops_.resize(Rows() + 1);
    rowTops_[0] = 0;
    for (int r = 0; r < Rows(); ++r) rowTops_[r + 1] = rowTops_[r] + rows_[r].height;
    rowTopsValid_ = true;
  }
  const qint64 position = rowTops_[row];
  if (position > std::numeric_limits<int>::max() || position < std::numeric_limits<int>::min()) praxel::RaiseOverflow();
  return static_cast<int>(position);
}

int GridModel::ScreenColPos(int col) const {
  int position = ColPos(col);
  if (col > fixedCols_)
    position = praxel::SubChecked(position, praxel::SubChecked(ColPos(leftCol_), ColPos(fixedCols_)));
  return position;
}

int GridModel::ScreenRowPos(int row) const {
  int position = RowPos(row);
  if (row > fixedRows_)
    position = praxel::SubChecked(position, praxel::SubChecked(RowPos(topRow_), RowPos(fixedRows_)));
  return position;
}

QList<int> GridModel::ColPositions() const {
  QList<int> positions{0};
  for (const Column& column : cols_) positions.append(praxel::AddChecked(positions.last(), column.width));
  return positions;
}

QList<int> GridModel::RowPositions() const {
  QList<int> positions{0};
  for (const Row& row : rows_) positions.append(praxel::AddChecked(positions.last(), row.height));
  return positions;
}

}  // namespace Ywindow
