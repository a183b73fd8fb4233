#pragma once

#include <QList>
#include <QString>

#include <array>
#include <bitset>

// A shift's day as the shift dialog paints it: 288 five-minute cells, each holding its code ("N",
// "O", "B", "X", or whatever letter a file brought), and the cells picked for the next code.
//
// Cells are numbered in time order, hour × 12 + five-minute index, 0 to 287. A press picks one
// cell and makes it the anchor of a run; dragging moves the run's far end, and the run is every
// cell from the anchor to that end, in time order across hours. Cells picked by earlier presses
// stay picked, so several runs make one selection, except where the current run gives cells up
// as it shrinks. Writing a code ends the selection.
class ShiftPattern {
 public:
  static constexpr int kHours = 24;
  static constexpr int kCellsPerHour = 12;
  static constexpr int kCells = kHours * kCellsPerHour;

  // The codes of an hour, one letter per cell: missing letters leave empty cells, letters past
  // the twelfth are not part of the day.
  void SetHour(int hour, const QString& codes);
  // The codes of an hour's twelve cells, joined in time order.
  QString Hour(int hour) const;

  const QString& Code(int cell) const { return codes_[cell]; }
  bool Selected(int cell) const { return selected_[cell]; }
  bool SelectionPending() const { return selected_.any(); }

  // Starts a run at the cell. Returns the cells whose look changed.
  QList<int> Press(int cell);
  // Moves the end of the current run to the cell. Returns the cells whose look changed.
  QList<int> DragTo(int cell);
  // Writes the code into every selected cell, or, with an empty code, leaves them as they were,
  // and ends the selection. Returns the cells whose look changed.
  QList<int> ReplaceSelected(const QString& code);

 private:
  std::array<QString, kCells> codes_;
  std::bitset<kCells> selected_;
  int anchor_ = 0;
  int end_ = 0;
};
