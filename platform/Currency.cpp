#include "Currency.h"

#include "Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace praxel {

namespace {

// 2^63 as a double: every double below it in magnitude converts to a 64-bit integer.
constexpr double kTicksLimit = 9223372036854775808.0;

std::int64_t TicksOfDouble(double ticks) {
  const double rounded = std::nearbyint(ticks);  // half to even
  if (!(rounded >= -kTicksLimit && rounded < kTicksLimit)) RaiseOverflow();
  return static_cast<std::int64_t>(rounded);
}

}  // namespace

Currency Currency::FromDouble(double value) {
  // Rounded from the shortest decimal form of the value, so that 0.00015 (held in binary as a
  // little less) rounds as the 0.00015 it stands for.
  if (!std::isfinite(value)) RaiseOverflow();
  // Below 2^31 ticks the value times 10,000 lies within a millionth of a tick of that decimal
  // form; unless it is near a half, both have the same nearest tick and no text is needed.
  // (The solver prices every booked slot: the text costs more than the booking.)
  const double ticks = value * 10000.0;
  if (std::fabs(ticks) < 2147483648.0) {
    const double whole = std::floor(ticks);
    const double fraction = ticks - whole;
    if (std::fabs(fraction - 0.5) > 1e-3) return Currency(static_cast<std::int64_t>(fraction < 0.5 ? whole : whole + 1.0));
  }
  char text[400];
  const auto [end, failed] = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed);
  if (failed != std::errc()) RaiseOverflow();
  return FromDecimal(std::string_view(text, end), value < 0);
}

Currency Currency::FromDecimal(std::string_view digits, bool negative) {
  __int128 ticks = 0;
  auto p = digits.begin();
  for (; p != digits.end() && *p != '.'; ++p) {
    ticks = ticks * 10 + (*p - '0');
    if (ticks > INT64_MAX) RaiseOverflow();
  }
  if (p != digits.end()) ++p;  // the decimal point
  for (int place = 0; place < 4; ++place) ticks = ticks * 10 + (p != digits.end() ? *p++ - '0' : 0);
  // The digits beyond the fourth place: above, at or below one half.
  if (p != digits.end()) {
    const bool atLeastHalf = *p >= '5';
    const bool exactlyHalf = *p == '5' && std::all_of(p + 1, digits.end(), [](char c) { return c == '0'; });
    if (exactlyHalf ? (ticks & 1) != 0 : atLeastHalf) ++ticks;
  }
  if (negative) ticks = -ticks;
  if (ticks > INT64_MAX || ticks < INT64_MIN) RaiseOverflow();
  return Currency(static_cast<std::int64_t>(ticks));
}

Currency Currency::operator+(Currency other) const { return Currency(AddChecked(ticks_, other.ticks_)); }

Currency Currency::operator-(Currency other) const { return Currency(SubChecked(ticks_, other.ticks_)); }

Currency Currency::operator-() const { return Currency(SubChecked<std::int64_t>(0, ticks_)); }

Currency Currency::operator*(Currency other) const {
  const __int128 product = static_cast<__int128>(ticks_) * other.ticks_;
  __int128 quotient = product / kScale;
  const __int128 remainder = product % kScale;  // same sign as the product
  const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
  if (twice > kScale || (twice == kScale && (quotient & 1) != 0)) quotient += product < 0 ? -1 : 1;
  if (quotient > INT64_MAX || quotient < INT64_MIN) RaiseOverflow();
  return Currency(static_cast<std::int64_t>(quotient));
}

Currency Currency::operator*(double factor) const {
  return Currency(TicksOfDouble(static_cast<double>(ticks_) * factor));
}

}  // namespace praxel
