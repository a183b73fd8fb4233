#pragma once

#include "EntryForm.h"
#include "ShiftPattern.h"

#include <array>

class QLineEdit;
class QPushButton;
class QTableWidget;
class Yshift;
class Ytemplate;

// "Shift Entry": adds a shift to the active template, or modifies the shift of the selected tree
// node: its name, four multipliers and its day, painted with the mouse in a grid of 24 hour rows
// by 12 five-minute columns. A press and drag picks a run of cells in time order (several runs
// make one selection); a code button writes its code into every picked cell. While cells are
// picked, Ok is disabled and Cancel only drops the selection; the next Cancel closes.
//
// Its boxes carry no tool tips and select nothing on entry, no field takes the focus when it
// opens, and it answers no notification. Ok reads and checks the name (blank, or another shift's
// of the template) and the four multipliers, which must be numbers (the holiday multiplier is
// kept as the text typed), before anything is stored.
class ShiftEntryForm final : public EntryForm {
  Q_OBJECT

 public:
  explicit ShiftEntryForm(QWidget* parent = nullptr);

  // Opens the dialog on a new shift of the active template.
  Q_INVOKABLE void StartAdd();
  // Opens the dialog on the shift of the selected node.
  Q_INVOKABLE void StartModify();

  // The grid's rows and columns: row 0 and columns 0 and 13 hold the labels.
  static constexpr int kRows = ShiftPattern::kHours + 1;
  static constexpr int kColumns = ShiftPattern::kCellsPerHour + 2;

  // The cell number of a five-minute cell of the grid, and back.
  static int RowColToCell(int row, int column);
  static int CellRow(int cell);
  static int CellColumn(int cell);

 protected:
  // With cells picked, drops them and stays open; otherwise closes.
  void CancelCommand_Click() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What Ok stores, read and checked in full before anything is.
  struct ShiftEntry {
    Ytemplate* owner = nullptr;
    QString name;
    float burdenedMultiplier = 0;
    float overtimeMultiplier = 0;
    float offDayMultiplier = 0;
    QString holidayMultiplier;
    std::array<QString, ShiftPattern::kHours> matrix;
  };

  // Sets the grid's shape, labels and sizes, and the window's size around it.
  void BuildGrid();
  void LoadData();
  bool GatherData() override;
  void SaveData(const ShiftEntry& entry);
  void FinishAdd() override;
  void FinishModify() override;

  // The five-minute column (1 to 12) and hour row (1 to 24) under a point of the grid: the hour
  // labels count as the nearest five-minute column, the header row as the first hour.
  int FindCol(int X) const;
  int FindRow(int Y) const;
  // Paints a cell as the pattern holds it: white while picked, else its code on the code's colour.
  void UpdateCell(int cell);
  void UpdateCells(const QList<int>& cells);
  // Writes the code into the picked cells (none: leaves them as they were) and ends the selection.
  void ReplaceSelectedCells(const QString& code);
  // Code buttons enabled, Ok disabled and Cancel white while cells are picked; the reverse after.
  void ShowSelectionPending(bool pending);

  // Event handlers.
  void Grid_MouseDown(int X, int Y);
  void Grid_MouseMove(Qt::MouseButtons Button, int X, int Y);
  void GroupCommand_Click(int Index);

  // First, so that it is null, not unset, while the boxes made before it send their events through
  // this dialog's filter.
  QTableWidget* grid_ = nullptr;
  QLineEdit* shiftNameText_;
  QLineEdit* burdenedMultiplierText_;
  QLineEdit* overtimeMultiplierText_;
  QLineEdit* offDayMultiplierText_;
  QLineEdit* holidayMultiplierText_;
  std::array<QPushButton*, 4> groupCommand_{};

  Yshift* shift_ = nullptr;
  ShiftPattern pattern_;
  ShiftEntry entry_;
};
