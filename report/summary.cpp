#include "report/summary.hpp"

namespace velmor::report {
namespace {

// Volume-change slope between readings a and b; 0 when the axial strain did
// not change.
double slope(const ReadingTable& R, int a, int b) {
  if (R.EPSAX.at(b) == R.EPSAX.at(a)) return 0;
  return (R.EPSVOL.at(b) - R.EPSVOL.at(a)) / (R.EPSAX.at(b) - R.EPSAX.at(a));
}

}  // namespace

void summarize_test(TestState& S, ReadingTable& R) {
  const int N = S.NREAD;
  // A test without readings has no failure reading: its values taken at a
  // reading are 0 and its slopes 0.
  const bool readings = N >= 1 && S.IFAIL >= 1 && S.IFAIL <= N;

  // Ultimate reading: stepping back from the last reading over at most three
  // readings, the first at which the half deviator did not rise (a tie does
  // not rise); when it rose at all three, the third. The search never looks
  // before reading 1: reaching it gives IULT = 1.
  if (S.KPRINT == 9) {
    S.KBACK = 0;
    for (;;) {
      S.IULT = N - S.KBACK;
      if (S.IULT <= 1) {
        S.IULT = N >= 1 ? 1 : 0;
        break;
      }
      if (R.DEVSC.at(S.IULT) <= R.DEVSC.at(S.IULT - 1)) break;
      S.KBACK = S.KBACK + 1;
      if (N == 2 || S.KBACK == 3) break;
    }
  }

  S.KF = readings ? N - S.IFAIL + 1 : 0;
  if (S.KDWC - 1 >= 0) {
    S.DEGCON = (S.PPSAT - R.PP.at(1)) * 100 / S.PPSAT;
  } else {
    S.DEGCON = 0;
  }
  S.PPSOSH = R.PP.at(1);
  S.STNRAT = S.STNRAT * 25.4f;
  S.BEDPER = S.BEDSNP * 100 / R.AXSTRN.at(S.IFAIL);
  S.STGPER = S.STGSTN * 100 / R.AXSTRN.at(S.IFAIL);

  // Volume-change slopes at failure and over the last step. A slope that
  // needs a reading before the first or after the last is left out.
  const int F = S.IFAIL;
  if (!readings || N == 1) {
    S.DVDHF = 0;
  } else if (F == N) {
    S.DVDHF = slope(R, F - 1, F);
  } else if (F == 1) {
    S.DVDHF = slope(R, F, F + 1);
  } else if (R.EPSAX(F) == R.EPSAX(F - 1) || R.EPSAX(F + 1) == R.EPSAX(F)) {
    S.DVDHF = 0;
  } else {
    S.DVDHF = (slope(R, F - 1, F) + slope(R, F, F + 1)) / 2;
  }
  S.DVDUE = N >= 2 ? slope(R, N - 1, N) : 0.0;

  S.PPSAT = R.PP.at(1) / (1 - S.DEGCON / 100);
  S.BSAT = (1 - S.SATINL) * 0.923f / (S.SATINL * 0.02f);
  S.RPPSAT = S.PPSAT / S.BSAT;
  if (readings) R.CMS3LR(F) = -R.CMS3LR(F);
}

}  // namespace velmor::report
