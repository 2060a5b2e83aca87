// Number conversions and repeated sums that give the same result for every
// input, however large or undefined, without running for long.
#pragma once

#include <cstdint>

// Truncates toward zero like a cast to a 32-bit int, but defined for every
// double: values beyond the int range saturate and NaN becomes 0.
inline int32_t truncToInt32(double v) {
  if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
  if (v != v) return 0;
  return v < 0 ? INT32_MIN : INT32_MAX;
}

__extension__ typedef __int128 Int128;

// Rounds a quotient of positive numbers up.
inline Int128 ceilDivide(Int128 numerator, Int128 divisor) {
  return (numerator + divisor - 1) / divisor;
}

// The value that `count` successive evaluations of `a = a + c` leave in a,
// bit for bit, computed in time that does not grow with count. Edge and span
// walks use it to jump over rows and columns that lie off the screen.
double addRepeatedly(double a, double c, uint64_t count);
