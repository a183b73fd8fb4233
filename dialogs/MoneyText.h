#pragma once

#include <QLineEdit>

#include "Currency.h"

#include <optional>

// A money text box. It shows amounts in the money format, to the cent, and the amount it holds is
// the one it shows: a number typed is rewritten in the money format when the box is left, and an
// Ok stores that text, so no box keeps an amount the user never saw.
//
// One amount is kept more exactly than it is shown: the one the dialog loaded into the box
// (SetAmount), until the user edits the box. So a dialog closed without an edit hands back what
// it was given, to the last decimal.
class MoneyText final : public QLineEdit {
  Q_OBJECT

 public:
  explicit MoneyText(QWidget* parent = nullptr);

  // Shows the amount in the money format ("$1,234.50") and keeps it exactly until an edit.
  void SetAmount(double amount);
  // Writes an amount into the box as the user would type it and leave: shown in the money
  // format, and held as shown, to the cent. A box that holds exactly that amount already keeps it
  // as it is.
  void EnterAmount(praxel::Currency amount);
  // The amount: the one loaded, while the box is not edited; else the number in the text at
  // full precision, as it is being typed; none when the text is no number.
  std::optional<double> Amount() const;
  // The amount to store: the one loaded, while the box is not edited; else the text read as money
  // and taken to the cent as the money format shows it. None when the text is no number or the
  // amount lies beyond the range of money.
  std::optional<praxel::Currency> Money() const;
  // The refusal of a box whose text is no amount of money: "The Burdened rate must be an amount
  // of money, such as $1,250.50."
  static QString Refusal(const QString& field);
  // A box left by the user: an edited number is rewritten in the money format, which is then the
  // box's amount; any other text stays as typed, for the dialog's own check.
  void ShowAsMoney();

 private:
  // Shows the amount in the money format and lets go of any amount loaded.
  void ShowMoney(praxel::Currency amount);

  std::optional<double> loaded_;  // the amount loaded, until the user edits the box
};
