#include "MoneyText.h"

#include "Format.h"
#include "RuntimeError.h"

MoneyText::MoneyText(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this] { loaded_.reset(); });
}

void MoneyText::SetAmount(double amount) {
  const QString text = Common::FormatCurrency(amount);
  if (text.isEmpty()) return;  // beyond the range of money: the trap has said so
  loaded_ = amount;
  setText(text);
}

void MoneyText::EnterAmount(praxel::Currency amount) {
  if (Money() == amount) return;
  ShowMoney(amount);
}

std::optional<double> MoneyText::Amount() const {
  if (loaded_) return loaded_;
  return Common::TextToNumber(text());
}

std::optional<praxel::Currency> MoneyText::Money() const {
  if (loaded_) {
    try {
      return praxel::Currency::FromDouble(*loaded_);
    } catch (const praxel::RuntimeError&) {
      return std::nullopt;  // beyond the range of money
    }
  }
  const std::optional<praxel::Currency> typed = Common::TextToCurrency(text());
  if (!typed) return std::nullopt;
  // The amount as the money format shows it: the cents the user sees.
  return Common::ShownCurrency(*typed);
}

void MoneyText::ShowAsMoney() {
  if (loaded_) return;  // not edited: shown so already
  if (const std::optional<praxel::Currency> money = Money()) ShowMoney(*money);
}

void MoneyText::ShowMoney(praxel::Currency amount) {
  loaded_.reset();
  setText(Common::FormatCurrency(amount));
}

QString MoneyText::Refusal(const QString& field) {
  return QStringLiteral("The %1 must be an amount of money, such as %2.").arg(field, Common::FormatCurrency(1250.5));
}
