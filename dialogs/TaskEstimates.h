#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The effort grid of the task dialog as plain data: four working values in whole minutes and the
// nine cells drawn from them in a display unit.
//
// The working values are the effort booked before the current journal's date (one value for all
// three columns) and the optimistic, most likely and pessimistic totals. Cells are numbered
// 3 × row + column: row 0 the effort before the journal date, row 1 the effort from that date on
// (total less prior), row 2 the total; column 0 optimistic, 1 most likely, 2 pessimistic.
//
// Only typing changes the working values. Drawing the cells in another unit, or in the other kind
// of time, shows figures rounded to hundredths but keeps the exact minutes, so that looking at an
// estimate in days never changes it: 100 minutes shown as 0.21 days stay 100 minutes. A cell
// typed in keeps its text (and its minutes are what that text reads) until the cells are drawn
// again; the dialog checks that text on OK.
class TaskEstimates {
 public:
  static constexpr int kCells = 9;
  // The display units, in the order of the dialog's unit options.
  enum Unit : int { Minutes = 0, Hours, Days, Weeks, Months, kUnitCount };

  // The minutes of one display unit: a day is 8 working hours or 24 hours, a week 5 working days or
  // 7 days, a month 20 working days or 30 days. Any other unit is "Assertion failed".
  static int UnitMinutes(int unit, bool effortDriven);
  // The unit shown for a task's EffortUnits: days for a value that is not one of the ten units (0
  // included).
  static int UnitOf(int effortUnits);
  // "minutes", "hours", "days (8 hours each)", "weeks (7 days each)", ...
  static QString UnitCaption(int unit, bool effortDriven);

  // Which headings, and so which cells, can be typed in while the grid is in use: the most likely
  // column always, the other two with three estimates; the "and later" row always, the prior and
  // total rows only in a journal other than the plan journal.
  static bool ColumnEnabled(int column, bool threeEstimates);
  static bool RowEnabled(int row, bool otherJournal);
  static bool CellEnabled(int cell, bool threeEstimates, bool otherJournal);

  void Load(std::int64_t prior, std::int32_t optimistic, std::int32_t mostLikely, std::int32_t pessimistic);
  std::int64_t Prior() const { return minutes_[0]; }
  std::int64_t Total(int column) const { return minutes_[1 + column]; }

  // The cell's minutes and its figure in a unit of that many minutes ("####0.##").
  std::int64_t CellMinutes(int cell) const;
  QString CellText(int cell, int unitMinutes) const;

  // The user typed into a cell. Its leading number (with the user's decimal separator; nothing
  // readable counts as 0) times the unit, to the nearest minute (a half to the even minute), sets:
  // in the prior row the prior effort, keeping the totals; in the "and later" row the column's
  // total, as that figure plus the prior effort; in the total row the column's total.
  void Type(int cell, const QString& text, int unitMinutes);
  // The cell whose text stands as typed; -1 when every cell shows the working values.
  int TypedCell() const { return typedCell_; }
  // Every cell has been drawn again from the working values.
  void ForgetTyped() { typedCell_ = -1; }

  // Why the estimates cannot be stored: the typed cell's text is not a plain number (digits with
  // an optional sign and decimal separator, nothing else), or a figure leaves what an estimate
  // holds (a signed 32-bit count of minutes): the typed cell's own, or a total to be stored.
  enum class Fault { NotANumber, OutOfRange };
  struct Refusal {
    int cell;
    Fault fault;
  };
  // typedText is the text of TypedCell (ignored when there is none, or when its column is not
  // stored: with one estimate only the most likely column is).
  std::optional<Refusal> Check(const QString& typedText, int unitMinutes, bool threeEstimates) const;

  // The estimates to store, after Check: the three totals, or the most likely one for all three.
  struct Estimates {
    std::int32_t optimistic;
    std::int32_t mostLikely;
    std::int32_t pessimistic;
  };
  Estimates ToStore(bool threeEstimates) const;

 private:
  std::array<std::int64_t, 4> minutes_{};
  int typedCell_ = -1;
};
