// Single-precision storage with double-precision evaluation.
//
// Every quantity of the computation is stored in IEEE single precision. The
// terms of one formula are evaluated in double precision and the result is
// rounded to single precision when it is stored. `Real` enforces that model:
// reading a Real yields a double, assigning a double rounds it to float.
//
//   Real a = 0.1;            // a holds 0.1f
//   Real b = a * 3;          // 0.1f * 3 evaluated in double, then rounded
//   double x = a;            // exact widening
//
// Constants are written as float literals (0.0703f) so that they carry the
// single-precision value of the decimal written, promoted to double.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace velmor {

struct Real {
  float v = 0.0f;

  constexpr Real() = default;
  constexpr Real(double x) : v(static_cast<float>(x)) {}  // NOLINT: implicit by design
  constexpr operator double() const { return v; }         // NOLINT: implicit by design
  constexpr Real& operator=(double x) {
    v = static_cast<float>(x);
    return *this;
  }
};

// Truncation toward zero of a real count into an integer, saturating at the
// limits of int instead of overflowing (a count of 1e30 gives INT_MAX).
//   trunc_count(10.7) -> 10, trunc_count(-1.5) -> -1, trunc_count(1e30) -> INT_MAX
constexpr int trunc_count(double x) {
  if (x != x) return 0;
  if (x >= 2147483647.0) return std::numeric_limits<int>::max();
  if (x <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(x);
}

}  // namespace velmor
