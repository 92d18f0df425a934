// Per reading: times, burette volume with the cell corrections, dial
// conversion, cell and pore pressures, axial load.
#include "readings/polynomials.hpp"
#include "readings/reduction.hpp"

namespace velmor::readings {

void reduce_volume_load(TestState& S, ReadingTable& R, int I) {
  R.TELAP(I) = (R.TDAY(I) * 24 + R.THOUR(I)) * 60 + R.TMIN(I);
  if (S.KRDG - 1 < 0) {
    // First reading of the test (KRDG starts at 0 for every test): times and
    // the burette change restart here.
    R.DTIME(I) = 0;
    R.CUMDUR(I) = 0;
    R.DURATN(I) = 0;
    S.CUMVOL = 0;
    S.DSIG3 = 0;
    S.KRDG = 1;
  } else {
    R.DTIME(I) = R.TELAP(I) - R.TELAP.at(I - 1);
    R.CUMDUR(I) = R.CUMDUR.at(I - 1) + R.DTIME(I);
    R.DURATN(I) = R.CUMDUR(I);
    // Positive when the applied cell pressure falls.
    S.DSIG3 = R.APSIG3.at(I - 1) - R.APSIG3(I);
    // The selector of this reading chooses the burette for both readings.
    if (R.KBUR(I) - 2 >= 0) {
      S.CUMVOL = (S.CUMVOL + R.VOLRD2(I)) - R.VOLRD2.at(I - 1);
    } else {
      S.CUMVOL = (S.CUMVOL + R.VOLRD1(I)) - R.VOLRD1.at(I - 1);
    }
  }

  if (S.KSPEC > 0) {
    // Time-dependent cell volume: applied once, at the second reading.
    if (S.KTVC == 1) {
      S.VCORT = R.DTIME(I) * R.DTIME(I) * S.CTV2 + S.CTV1 * R.DTIME(I);
    } else {
      S.VCORT = 0;
    }
    S.KTVC = S.KTVC + 1;
    // Cell-volume response to a drop of the cell pressure, from the third
    // reading on and for intervals below 1400 minutes; the counter stands
    // still while the correction applies.
    if (S.KRDG - 3 < 0 || R.DTIME(I) - 1400 >= 0) {
      S.VCORP = 0;
      S.KRDG = S.KRDG + 1;
    } else {
      R.DTM10(I) = R.DTIME(I) - 10;
      const double x = R.DTM10(I);
      const double poly = S.CPV1 * x + S.CPV0 + S.CPV2 * x * x + S.CPV3 * x * x * x +
                          S.CPV4 * x * x * x * x + S.CPV5 * ipow(x, 5);
      S.VCORP = (0.747f - poly) * (S.DSIG3 / 17.5f);
    }
  } else {
    S.VCORT = 0;
    S.VCORP = 0;
  }

  // Leakage through the cell at the pressure of this interval.
  if (S.KSPEC > 0) {
    S.PLEAK = R.APSIG3(I) * 0.0703f + 0.022f;
  } else {
    S.PLEAK = S.CELLPR;
  }
  S.CUMLEK = (S.PLEAK * S.CSLFPR) * R.DTIME(I) + S.CUMLEK;
  R.VOLCH(I) = S.CUMVOL;

  // The strain dial moves 0.0369 divisions per psi of cell-pressure drop.
  S.DIALCR = S.DSIG3 * 0.0369f + S.DIALCR;
  if (S.DIALK != 0) {
    R.SDIAL(I) = (S.DIALCR + R.SDIAL(I)) * S.DIALK;
    R.RAMDSP(I) = S.DIALK * R.RAMDSP(I);
  } else {
    R.SDIAL(I) = (S.DIALCR + R.SDIAL(I)) * 0.00254f;
    R.RAMDSP(I) = 0.00254f * R.RAMDSP(I);
  }
  S.VRAM = S.ARAM * R.RAMDSP(I);

  if (S.KDATA < 7) {
    R.SIG3UC(I) = S.SIG3K;
  } else if (S.KSPEC != 0) {
    R.SIG3UC(I) = R.APSIG3(I) * 0.0703f + 0.037f;
  } else {
    R.SIG3UC(I) = S.CPSLOP * R.APSIG3(I) + S.CPCON;
  }

  if (S.KVOL == 1) {
    S.DVOL = 0;
  } else if (S.KVOL == 2) {
    S.DVOL = S.CUMVOL;
  } else {
    if (S.KSPEC > 0) {
      const double s3 = R.SIG3UC(I);
      S.VCELL = s3 * s3 * s3 * S.CC3 + s3 * s3 * S.CC2 + S.CC1 * s3 - S.VCELL0;
      S.VCTOT = (S.VCORT + S.VCELL) + S.VCORP;
    } else {
      S.VCTOT = 0;
    }
    S.DVOL = ((S.VCTOT - S.CUMVOL) - S.VRAM) + S.CUMLEK;
  }

  // Pore pressure to kg/cm2 by the instrument used.
  if (S.KDATA == 1) {
    if (R.KPPCF(I) > 0) {
      R.PP(I) = (S.COEF1M * R.PP(I) + S.COEF01) - S.COEF2M * R.PPAUX(I);
    } else {
      R.PP(I) = S.PPSLOP * R.PP(I) + S.PPCON;
    }
  } else if (S.KPPDIR == 1) {
    // used as read
  } else if (R.PARA2(I) - 2 < 0) {
    R.PP(I) = (S.ZEROM - R.PP(I)) * 0.0252f - 0.01f;
  } else if (R.PARA2(I) == 2) {
    R.PP(I) = ((S.ZEROM + S.DMANR) - R.PP(I)) * 0.0252f - 0.01f;
  } else if (R.PARA2(I) - 3 <= 0) {
    R.PP(I) = (R.PP(I) - S.ZEROLF) * 0.06715f - 0.01f;
  } else {
    R.PP(I) = (R.PP(I) - 1) * 0.0703f + 0.04f;
  }

  // Axial load: half the specimen's own weight, the ring load and the weights
  // on the specimen. Where the ring does not carry the cell thrust on the ram
  // (PSETPR not 0) the ram weight is taken off, except for PSETPR 1 with a
  // thrust below the ram weight; otherwise this reading's thrust is.
  S.WTOT = (S.WTCAP + S.WTRAM) + S.WTXTR;
  const bool branch_b = S.PSETPR == 0 || (S.PSETPR == 1 && S.ARAM * S.SIG3K < S.WTRAM);
  if (!branch_b) {
    S.PAXIAL = S.MASS / 2000 + ((S.PRCONS * R.PRDIAL(I) + S.WTOT) - S.WTRAM);
  } else {
    S.PAXIAL = S.MASS / 2000 + ((S.PRCONS * R.PRDIAL(I) + S.WTOT) - S.ARAM * R.SIG3UC(I));
  }
}

}  // namespace velmor::readings
