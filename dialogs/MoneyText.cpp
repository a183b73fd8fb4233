#include "MoneyText.h"

#include "Format.h"
#include "RuntimeError.h"

MoneyText::MoneyText(QWidget* parent) : QLineEdit(parent) {}

void MoneyText::SetAmount(double amount) {
  const QString text = Common::FormatCurrency(amount);
  if (text.isEmpty()) return;  // beyond the range of money: the trap has said so
  amount_ = amount;
  amountText_ = text;
  setText(text);
}

std::optional<double> MoneyText::Amount() const {
  if (!amountText_.isNull() && text() == amountText_) return amount_;
  return Common::TextToNumber(text());
}

void MoneyText::ShowAsMoney() {
  if (text() == amountText_ || !Money()) return;  // shown so already, or no amount of money
  SetAmount(*Amount());
}

std::optional<praxel::Currency> MoneyText::Money() const {
  const std::optional<double> amount = Amount();
  if (!amount) return std::nullopt;
  try {
    return praxel::Currency::FromDouble(*amount);
  } catch (const praxel::RuntimeError&) {
    return std::nullopt;  // beyond the range of money
  }
}

QString MoneyText::Refusal(const QString& field) {
  return QStringLiteral("The %1 must be an amount of money, such as %2.").arg(field, Common::FormatCurrency(1250.5));
}
