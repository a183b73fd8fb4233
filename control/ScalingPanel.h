#pragma once

#include <QGroupBox>
#include <QMap>

class QLineEdit;
class QRadioButton;

namespace Ywindow {

// The scaling panel of the date-grid style: the first and last date of the axis in two text
// boxes, and the scale options, indexed by the days a column stands for: 0 "Automatic", 1 "Day",
// 7 "Week", 30 "Month", 90 "Quarter". At most one option is selected; none may be. The panel
// only reports; the control decides what a change means.
class ScalingPanel final : public QGroupBox {
  Q_OBJECT

 public:
  // Lengths in the panel are twips, placed at twipsPerPixel.
  ScalingPanel(double twipsPerPixel, QWidget* parent);

  QString EarliestText() const;
  void SetEarliestText(const QString& text);
  QString LatestText() const;
  void SetLatestText(const QString& text);

  // The selected option's index, or -1 when none is selected.
  int SelectedOption() const;
  bool IsSelected(int index) const;
  // Selecting an option unselects the others and reports the selection.
  void Select(int index);
  void Unselect(int index);
  void UnselectAll();

 signals:
  // A box's text changed, typed or set.
  void EarliestTextChanged();
  void LatestTextChanged();
  // An option was selected, by the user or by Select; the user's click on the option already
  // selected reports it again.
  void OptionSelected(int index);

 private:
  void OnToggled(int index, bool checked);

  QLineEdit* earliestText_;
  QLineEdit* latestText_;
  QMap<int, QRadioButton*> options_;
};

}  // namespace Ywindow
