#include "ShiftPattern.h"

#include <algorithm>

void ShiftPattern::SetHour(int hour, const QString& codes) {
  for (int i = 0; i < kCellsPerHour; ++i) codes_[hour * kCellsPerHour + i] = codes.mid(i, 1);
}

QString ShiftPattern::Hour(int hour) const {
  QString codes;
  for (int i = 0; i < kCellsPerHour; ++i) codes += codes_[hour * kCellsPerHour + i];
  return codes;
}

QList<int> ShiftPattern::Press(int cell) {
  anchor_ = end_ = cell;
  if (selected_[cell]) return {};
  selected_[cell] = true;
  return {cell};
}

QList<int> ShiftPattern::DragTo(int cell) {
  if (cell == end_) return {};
  // The run before and after the move; cells of the old run outside the new one are given up,
  // cells of the new one are picked.
  const int oldFirst = std::min(anchor_, end_);
  const int oldLast = std::max(anchor_, end_);
  end_ = cell;
  const int newFirst = std::min(anchor_, end_);
  const int newLast = std::max(anchor_, end_);
  QList<int> changed;
  for (int i = std::min(oldFirst, newFirst); i <= std::max(oldLast, newLast); ++i) {
    const bool picked = i >= newFirst && i <= newLast;
    if (selected_[i] != picked) {
      selected_[i] = picked;
      changed << i;
    }
  }
  return changed;
}

QList<int> ShiftPattern::ReplaceSelected(const QString& code) {
  QList<int> changed;
  for (int cell = 0; cell < kCells; ++cell) {
    if (!selected_[cell]) continue;
    if (!code.isEmpty()) codes_[cell] = code;
    changed << cell;
  }
  selected_.reset();
  return changed;
}
