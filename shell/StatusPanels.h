#pragma once

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;

// The panels of the main window's status bar, side by side: the project, template and journal
// lists lie over panels 1 to 3, panel 4 shows the solver's message ("solve progress") and panel 5
// what the program is busy with ("status message"). A click on panel 4 or 5 is reported with
// the panel's number.
class StatusPanels final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPanels = 5;

  explicit StatusPanels(QWidget* parent = nullptr);

  QComboBox* ProjectCombo() const { return combos_[0]; }
  QComboBox* TemplateCombo() const { return combos_[1]; }
  QComboBox* JournalCombo() const { return combos_[2]; }
  QLabel* SolvePanel() const { return solvePanel_; }
  QLabel* BusyPanel() const { return busyPanel_; }

  // Sizes the panels to a client width: panels 1 to 4 a sixth of it each, panel 5 a third.
  void Arrange(int clientWidth);
  // Where panel 1 to 5 lies, in this widget.
  QRect PanelRect(int panel) const;

  QSize sizeHint() const override;

 signals:
  void PanelClicked(int panel);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlacePanels();

  std::array<QComboBox*, 3> combos_{};
  QLabel* solvePanel_;
  QLabel* busyPanel_;
  std::array<int, kPanels> widths_{};
};
