// Money as the user's locale shows it, and the one reading of money and numbers typed back.

#include "Format.h"

#include "Guard.h"
#include "RuntimeError.h"

#include <QLocale>

#include <cmath>
#include <string>

namespace Common {

namespace {

// The user's locale, grouping the digits even where its default leaves them ungrouped (C).
QLocale MoneyLocale() {
  QLocale locale;
  locale.setNumberOptions(QLocale::DefaultNumberOptions);
  return locale;
}

// The text without the invisible marks some locales put around signs and symbols (the
// left-to-right and right-to-left marks): what is left is what the user sees and types.
QString WithoutMarks(QString text) {
  text.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
  return text;
}

// What stands before and after the number of an amount.
struct Affixes {
  QString prefix;
  QString suffix;
};

// How the locale writes amounts of its currency.
struct MoneyForm {
  QString symbol;
  Affixes positive;
  Affixes negative;
};

// The locale's own writing of one unit (or minus one), split around its number.
Affixes AffixesOf(const QLocale& locale, double unit, const QString& symbol) {
  const QString written = locale.toCurrencyString(unit, symbol, 2);
  const QString number = locale.toString(1.0, 'f', 2);
  const qsizetype at = written.indexOf(number);
  if (at < 0) return {unit < 0 ? QLatin1Char('-') + symbol : symbol, QString()};
  return {written.left(at), written.mid(at + number.size())};
}

// The locale's symbol and the forms around it. A locale without a symbol (C) borrows "$" and
// puts it first, as "$" is read everywhere: "$1,234.50", "-$1,234.50".
MoneyForm FormOf(const QLocale& locale) {
  const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
  if (symbol.isEmpty()) {
    const QString dollar = QStringLiteral("$");
    return {dollar, {dollar, QString()}, {QLatin1Char('-') + dollar, QString()}};
  }
  return {symbol, AffixesOf(locale, 1.0, symbol), AffixesOf(locale, -1.0, symbol)};
}

// Whole cents in the locale's digits, grouping and decimal separator: "1.234,50".
QString CentsText(const QLocale& locale, std::uint64_t cents) {
  const std::uint64_t fraction = cents % 100;
  return locale.toString(static_cast<qulonglong>(cents / 100)) + locale.decimalPoint() +
         (fraction < 10 ? locale.zeroDigit() : QString()) + locale.toString(static_cast<qulonglong>(fraction));
}

constexpr std::uint64_t kTicksPerCent = praxel::Currency::kScale / 100;

// The whole cents of an amount's magnitude, rounded from its exact ticks (a half away from zero).
std::uint64_t ShownCents(praxel::Currency value) {
  const std::int64_t ticks = value.Ticks();
  const std::uint64_t magnitude = ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : ticks;
  return magnitude / kTicksPerCent + (magnitude % kTicksPerCent >= kTicksPerCent / 2 ? 1 : 0);
}

// The amount in the locale's currency format, rounded to the cent.
QString CurrencyText(praxel::Currency value) {
  const std::uint64_t cents = ShownCents(value);
  const QLocale locale = MoneyLocale();
  const MoneyForm form = FormOf(locale);
  const Affixes& affixes = value.Ticks() < 0 && cents != 0 ? form.negative : form.positive;
  return affixes.prefix + CentsText(locale, cents) + affixes.suffix;
}

// An amount read from a text: its sign, its value, and its digits in plain form ("1234.5").
struct ReadAmount {
  bool negative;
  double magnitude;
  std::string digits;
};

// The signs the user may type or the locale writes: each character of minus is a minus sign,
// each of plus a plus sign.
struct Signs {
  explicit Signs(const QLocale& locale)
      : minus(QStringLiteral("-\u2212") + WithoutMarks(locale.negativeSign())),
        plus(QLatin1Char('+') + WithoutMarks(locale.positiveSign())) {}
  bool Any(QChar c) const { return minus.contains(c) || plus.contains(c); }

  QString minus;
  QString plus;
};

// Takes a sign off the front of the text; true for a minus. Nothing when there is none.
std::optional<bool> TakeSign(QString& text, const Signs& signs) {
  if (text.isEmpty() || !signs.Any(text.front())) return std::nullopt;
  const bool minus = signs.minus.contains(text.front());
  text = text.mid(1).trimmed();
  return minus;
}

// A number in the locale's form alone: its digits (the locale's own or plain ones, as Qt reads
// them), its group separators where they belong and one decimal separator. Where the locale
// groups with a kind of space, any of the spaces users type serves. Nothing for anything else,
// a sign or a letter included (Qt would read "inf", "nan" and exponents).
std::optional<ReadAmount> ReadNumberPart(QString number, const QLocale& locale, const Signs& signs) {
  for (const QChar c : number) {
    if (c.isLetter() || signs.Any(c)) return std::nullopt;
  }
  const QString group = locale.groupSeparator();
  if (group.size() == 1 && group.front().isSpace()) {
    for (QChar& c : number) {
      if (c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F)) c = group.front();
    }
  }
  bool ok = false;
  const double magnitude = locale.toDouble(number, &ok);
  if (!ok || !std::isfinite(magnitude)) return std::nullopt;
  // Qt has checked the form: what is not a digit is a group separator or the decimal point.
  const char32_t point = locale.decimalPoint().toUcs4().value(0);
  std::string digits;
  for (const char32_t c : number.toUcs4()) {
    if (const int digit = QChar::digitValue(c); digit >= 0) {
      digits += static_cast<char>('0' + digit);
    } else if (c == point) {
      digits += '.';
    }
  }
  return ReadAmount{false, magnitude, digits};
}

// The one reading of money and numbers typed: the amount with the symbol before or after it
// (blanks between or not), one sign before the number (before or after a leading symbol), or
// parentheses around a negative amount.
std::optional<ReadAmount> ReadAmountText(const QString& text) {
  const QLocale locale = MoneyLocale();
  const QString symbol = WithoutMarks(FormOf(locale).symbol);
  QString rest = WithoutMarks(text).trimmed();
  const bool parenthesised =
      rest.size() >= 2 && rest.startsWith(QLatin1Char('(')) && rest.endsWith(QLatin1Char(')'));
  if (parenthesised) rest = rest.mid(1, rest.size() - 2).trimmed();
  const Signs signs(locale);
  std::optional<bool> minus;
  bool symbolSeen = false;
  for (bool taken = true; taken;) {
    taken = false;
    if (!minus) {
      minus = TakeSign(rest, signs);
      taken = minus.has_value();
    }
    if (!symbolSeen && rest.startsWith(symbol)) {
      rest = rest.mid(symbol.size()).trimmed();
      symbolSeen = taken = true;
    }
  }
  if (!symbolSeen && rest.endsWith(symbol)) {
    rest.chop(symbol.size());
    rest = rest.trimmed();
  }
  if (parenthesised && minus) return std::nullopt;  // a negative amount says so once
  std::optional<ReadAmount> amount = ReadNumberPart(rest, locale, signs);
  if (amount) amount->negative = parenthesised || minus.value_or(false);
  return amount;
}

// The amount read, exact to the ten-thousandth; error 6 beyond the range of money.
praxel::Currency CurrencyOf(const ReadAmount& amount) {
  return praxel::Currency::FromDecimal(amount.digits, amount.negative);
}

}  // namespace

QString FormatCurrency(praxel::Currency value) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatCurrency"), [&] { result = CurrencyText(value); });
  return result;
}

QString FormatCurrency(double value) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatCurrency"),
                   [&] { result = CurrencyText(praxel::Currency::FromDouble(value)); });
  return result;
}

QString FormatCurrency(const QString& value) {
  QString result;
  ErrTrap::Guarded(QStringLiteral("Common:FormatCurrency"), [&] {
    praxel::Currency amount;
    if (!value.isEmpty()) {
      const std::optional<ReadAmount> read = ReadAmountText(value);
      if (!read) throw praxel::RuntimeError(praxel::errTypeMismatch, QStringLiteral("Type mismatch"));
      amount = CurrencyOf(*read);
    }
    result = CurrencyText(amount);
  });
  return result;
}

praxel::Currency ShownCurrency(praxel::Currency value) {
  // The largest magnitudes end in fewer than half a cent of ticks, so the rounding stays in range.
  const auto ticks = static_cast<std::int64_t>(ShownCents(value) * kTicksPerCent);
  return praxel::Currency::FromTicks(value.Ticks() < 0 ? -ticks : ticks);
}

std::optional<praxel::Currency> TextToCurrency(const QString& text) {
  const std::optional<ReadAmount> amount = ReadAmountText(text);
  if (!amount) return std::nullopt;
  try {
    return CurrencyOf(*amount);
  } catch (const praxel::RuntimeError&) {
    return std::nullopt;  // beyond the range of money
  }
}

std::optional<double> TextToNumber(const QString& text) {
  const std::optional<ReadAmount> amount = ReadAmountText(text);
  if (!amount) return std::nullopt;
  return amount->negative ? -amount->magnitude : amount->magnitude;
}

}  // namespace Common
