#include "Rounding.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace praxel {

namespace {

template <class T>
T RoundHalfEven(double value) {
  // std::nearbyint rounds in the current mode, which the program never changes from
  // round-to-nearest-even.
  // The bounds as doubles are exact powers of two: the least value and one past the greatest.
  const double rounded = std::nearbyint(value);
  const double least = static_cast<double>(std::numeric_limits<T>::min());
  if (!(rounded >= least && rounded < -least)) RaiseOverflow();
  return static_cast<T>(rounded);
}

}  // namespace

void RaiseOverflow() { throw RuntimeError(errOverflow, QStringLiteral("Overflow")); }

std::int16_t ToInteger(double value) { return RoundHalfEven<std::int16_t>(value); }

std::int32_t ToLong(double value) { return RoundHalfEven<std::int32_t>(value); }

std::int64_t ToLongLong(double value) { return RoundHalfEven<std::int64_t>(value); }

}  // namespace praxel
