// The reading loop: each reading is reduced completely before the next.
#include "readings/reduction.hpp"

namespace velmor::readings {

void reduce_readings(TestState& S, ReadingTable& R) {
  S.IFAIL = 0;
  S.TCFAIL = 0;
  for (int I = 1; I <= S.NREAD; ++I) {
    reduce_volume_load(S, R, I);
    strain_step(S, R, I);
    // A reading marked past the shear plane needs an earlier reading of the
    // test reduced before it as its reference; without one it is reduced as a
    // reading before the plane.
    if (R.PARA3(I) - 1 >= 0 && I - (S.NPOST + 1) >= 1) {
      correct_on_plane(S, R, I);
    } else {
      correct_before_plane(S, R, I);
    }
    derive_reading(S, R, I);
  }
}

}  // namespace velmor::readings
