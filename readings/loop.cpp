// The reading loop: each reading is reduced completely before the next.
#include <algorithm>

#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

// A reading marked past the shear plane is reduced as sliding halves only
// when an earlier reading of the test can be its reference (I - (NPOST + 1)
// at least 1). Otherwise, as for a first reading already marked, there is no
// area or correction to slide from: it is reduced as a reading before the
// plane, and NPOST does not count it.
bool on_shear_plane(const TestState& S, const ReadingTable& R, int I) {
  return R.PARA3.at(I) - 1 >= 0 && I - (S.NPOST + 1) >= 1;
}

}  // namespace

void reduce_readings(TestState& S, ReadingTable& R) {
  // The failure point belongs to this test alone.
  S.IFAIL = 0;
  S.TCFAIL = 0;
  const int n = std::min(S.NREAD, R.rows());
  for (int I = 1; I <= n; ++I) {
    reduce_volume_load(S, R, I);
    strain_step(S, R, I);
    if (on_shear_plane(S, R, I)) {
      correct_on_plane(S, R, I);
    } else {
      correct_before_plane(S, R, I);
    }
    derive_reading(S, R, I);
  }
  // One reading gives nothing to compare: it is the failure reading.
  if (n == 1) {
    S.IFAIL = 1;
    S.TCFAIL = S.THOURS;
  }
}

}  // namespace velmor::readings
