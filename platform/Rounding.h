#pragma once

#include "RuntimeError.h"

#include <cstdint>

namespace praxel {

// Floating values become integers rounded to the nearest whole number, a half to the even
// neighbour (2.5 gives 2, 3.5 gives 4). A result out of range, or NaN, raises error 6 "Overflow".
std::int16_t ToInteger(double value);  // 16-bit
std::int32_t ToLong(double value);     // 32-bit
std::int64_t ToLongLong(double value);  // 64-bit

[[noreturn]] void RaiseOverflow();

// Integer arithmetic that raises error 6 "Overflow" instead of wrapping.
template <class T>
T AddChecked(T a, T b) {
  T result;
  if (__builtin_add_overflow(a, b, &result)) RaiseOverflow();
  return result;
}
template <class T>
T SubChecked(T a, T b) {
  T result;
  if (__builtin_sub_overflow(a, b, &result)) RaiseOverflow();
  return result;
}
template <class T>
T MulChecked(T a, T b) {
  T result;
  if (__builtin_mul_overflow(a, b, &result)) RaiseOverflow();
  return result;
}

}  // namespace praxel
