// Derived values of a reading and one step of the search for the peak.
#include "readings/reduction.hpp"

namespace velmor::readings {

void derive_reading(TestState& S, ReadingTable& R, int I) {
  R.ERSIG1(I) = ((R.SIG1C(I) - R.SIG1C.at(1)) * 100) / R.SIG1C.at(1);
  R.CUMFPR(I) = S.CUMLEK * 0.965f;
  R.SIG1EF(I) = R.SIG1C(I) - R.PP(I);
  R.SIG3EF(I) = R.SIG3C(I) - R.PP(I);
  R.S1S3(I) = R.SIG1EF(I) / R.SIG3EF(I);
  R.AXSTRN(I) = R.EPSAX(I) * 100;
  R.VOLSTN(I) = R.EPSVOL(I) * 100;
  // Dial in thousandths of an inch.
  R.SDIALP(I) = R.SDIAL(I) / 0.00254f;
  // Free-format readings carry no times of day: the start time given in KVOL
  // stands in front of every interval.
  if (S.KDATA == 2) S.THOURS = S.KVOL / 60;
  S.THOURS = R.DTIME(I) / 60 + S.THOURS;
  R.PPKPA(I) = S.SICONV * R.PP(I);
  R.TOTKPA(I) = S.SICONV * R.TOTST(I);
  R.EFFKPA(I) = S.SICONV * R.EFFNS(I);
  R.DEVKPA(I) = S.SICONV * R.DEVSC(I);

  // Peak: the first reading with the largest half deviator. The first reading
  // only starts the search; when the rise ends, the failure reading is the one
  // before and its time is taken back by this reading's interval.
  if (S.KPEAK < 1) {
    S.KPEAK = S.KPEAK + 1;
  } else if (S.KPEAK == 1) {
    if (R.DEVSC(I) - R.DEVSC.at(I - 1) > 0) {
      S.TCFAIL = S.THOURS;
      S.IFAIL = I;
    } else {
      S.TCFAIL = S.THOURS - R.DTIME(I) / 60;
      S.IFAIL = I - 1;
      S.KPEAK = 2;
    }
  } else if (R.DEVSC(I) - R.DEVSC.at(S.IFAIL) > 0) {
    S.TCFAIL = S.THOURS;
    S.IFAIL = I;
  }
}

}  // namespace velmor::readings
