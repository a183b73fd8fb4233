#pragma once

#include <QLineEdit>

#include "Currency.h"

#include <optional>

// A money text box that keeps the exact amount behind the text it shows. The money format shows
// whole cents; as long as the box still shows the text written for an amount, that amount is its
// value, so that a dialog closed without an edit hands back what it was given, to the last
// decimal, and leaving a box does not round what was typed.
class MoneyText final : public QLineEdit {
  Q_OBJECT

 public:
  explicit MoneyText(QWidget* parent = nullptr);

  // Shows the amount in the money format ("$1,234.50") and keeps it exactly.
  void SetAmount(double amount);
  // The amount: the one behind the text shown, or the number typed; none when the text is no
  // number.
  std::optional<double> Amount() const;
  // The amount as money (to the ten-thousandth, a half to the even); none when the text is no
  // number or the amount lies beyond the range of money.
  std::optional<praxel::Currency> Money() const;
  // The refusal of a box whose text is no amount of money: "The Burdened rate must be an amount
  // of money, such as $1,250.50."
  static QString Refusal(const QString& field);
  // A box left by the user: a number typed is shown in the money format, keeping its precision;
  // any other text stays as typed, for the dialog's own check.
  void ShowAsMoney();

 private:
  double amount_ = 0;
  QString amountText_;  // the text written for amount_; a null text before any amount
};
