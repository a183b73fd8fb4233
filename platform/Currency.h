#pragma once

#include <compare>
#include <cstdint>
#include <string_view>

namespace praxel {

// Money: a signed 64-bit count of ten-thousandths. Sums are exact; products round half to even
// to the ten-thousandth; a result out of range raises error 6 "Overflow".
class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;
  // The largest whole amount, either way, that a double carries into the ten-thousandths without
  // overflowing them.
  static constexpr double kLargestWhole = 922337203685477.0;

  constexpr Currency() = default;
  static constexpr Currency FromTicks(std::int64_t ticks) { return Currency(ticks); }
  // Rounds half to even to the ten-thousandth.
  static Currency FromDouble(double value);
  // The amount that a decimal in plain digits stands for ("1234.5", ".25", "7."), negated when
  // asked; rounded half to even to the ten-thousandth, exactly, however many digits it has.
  static Currency FromDecimal(std::string_view digits, bool negative);

  constexpr std::int64_t Ticks() const { return ticks_; }
  double ToDouble() const { return static_cast<double>(ticks_) / kScale; }

  Currency operator+(Currency other) const;
  Currency operator-(Currency other) const;
  Currency operator-() const;
  Currency operator*(Currency other) const;
  Currency operator*(double factor) const;
  Currency& operator+=(Currency other) { return *this = *this + other; }
  Currency& operator-=(Currency other) { return *this = *this - other; }

  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

 private:
  constexpr explicit Currency(std::int64_t ticks) : ticks_(ticks) {}
  std::int64_t ticks_ = 0;
};

}  // namespace praxel
