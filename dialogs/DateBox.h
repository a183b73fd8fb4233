#pragma once

#include <QLineEdit>

#include <optional>

// A date text box that keeps the exact date behind the text it shows. Dates are shown to the
// minute in the user's formats (praxel::DateTimeText); as long as the box still shows the text
// written for a date, that date is its value, so that a dialog closed without an edit hands back
// what it was given, to the last fraction of a second.
class DateBox final : public QLineEdit {
  Q_OBJECT

 public:
  explicit DateBox(QWidget* parent = nullptr);

  // Shows the date in the user's formats and keeps it exactly.
  void SetDate(double day);
  // The date: the one behind the text shown, or the date typed (praxel::ParseDateTime); none
  // when the text is no date.
  std::optional<double> Date() const;
  // True when the box holds nothing but blanks: no date was given.
  bool IsBlank() const;

 private:
  double date_ = 0;
  QString dateText_;  // the text written for date_; a null text before any date
};
