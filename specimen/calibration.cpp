#include "specimen/calibration.hpp"

namespace velmor::specimen {

void calibrate(TestState& S) {
  const bool special = S.KSPEC != 0;
  S.S3IPSI = S.CELLPR;

  // The special apparatus has its own ram, proving ring and membrane; the
  // membrane modulus read for the test is halved.
  if (special) {
    S.EXTM = S.EXTM * 0.5f;
    S.PRCONS = 1.365f;
    S.ARAM = 18.4f;
    S.WTRAM = 3.5f;
    S.PHIASM = 20.0f;
    // Cell expansion: set A holds at 80 psi, set B at 120 psi.
    S.CC1 = 6.3383f;
    S.CC2 = -0.1018544f;
    S.CC3 = 0.0f;
    S.CCB1 = 5.925488f;
    S.CCB2 = -0.03972621f;
    S.CCB3 = 0.0f;
  }

  // Mobilised fraction of the filter-paper load against axial strain.
  S.CFP0 = 0.008902311f;
  S.CFP1 = 113.189f;
  S.CFP2 = -5112.527f;
  S.CFP3 = 96635.88f;
  S.CFP4 = -640144.8f;

  if (!special) {
    S.BEDRAT = 0;
  } else {
    // Linear interpolation (or extrapolation) between the sets, and the
    // bedding of the specimen ends, both from the gauge reading in psi.
    S.CELFAC = (S.CELLPR - 80) / 40;
    S.CC1 = (S.CCB1 - S.CC1) * S.CELFAC + S.CC1;
    S.CC2 = (S.CCB2 - S.CC2) * S.CELFAC + S.CC2;
    S.CC3 = (S.CCB3 - S.CC3) * S.CELFAC + S.CC3;
    S.BEDRAT = S.CELLPR * 7.3e-05f;
  }

  // Cell pressure from the gauge reading to kg/cm2.
  if (!special) {
    S.CELLPR = S.CPSLOP * S.CELLPR + S.CPCON;
  } else {
    S.CELLPR = S.CELLPR * 0.0703f + 0.037f;
  }
  S.S3IKGC = S.CELLPR;

  if (special) {
    // Time-dependent cell volume, interpolated like the cell expansion, and
    // the response of the cell volume to a change of cell pressure.
    S.CTV1 = 0.0003863836f;
    S.CTV2 = -1.946778e-08f;
    S.CTVB1 = 0.0006287827f;
    S.CTVB2 = -2.992932e-08f;
    S.CTV1 = (S.CTVB1 - S.CTV1) * S.CELFAC + S.CTV1;
    S.CTV2 = (S.CTVB2 - S.CTV2) * S.CELFAC + S.CTV2;
    S.CPV0 = 0.01553905f;
    S.CPV1 = 0.002748912f;
    S.CPV2 = -4.242007e-06f;
    S.CPV3 = 3.117357e-09f;
    S.CPV4 = -1.056635e-12f;
    S.CPV5 = 1.318603e-16f;
  }
  S.VCELL0 = 0;
}

}  // namespace velmor::specimen
