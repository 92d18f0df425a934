// Polynomials shared by the reading corrections.
#pragma once

#include "state/state.hpp"

namespace velmor::readings {

// x to a whole power n >= 1 by repeated multiplication, in double.
inline double ipow(double x, int n) {
  double r = x;
  for (int k = 1; k < n; ++k) r = r * x;
  return r;
}

// Mobilised fraction of the filter-paper side-drain load at strain e, summed
// from the lowest term up (the order decides the last digit).
inline double filter_paper_fraction(const TestState& S, double e) {
  return S.CFP1 * e + S.CFP0 + S.CFP2 * e * e + S.CFP3 * e * e * e + S.CFP4 * ipow(e, 4);
}

}  // namespace velmor::readings
