#include "specimen/initial_state.hpp"

#include <cmath>
#include <limits>

namespace velmor::specimen {
namespace {

bool flag_set(double flag) { return flag - 1 >= 0; }

}  // namespace

void evaluate_specimen(TestState& S) {
  const bool special = S.KSPEC != 0;

  // Diameter from the diameter dial (0.001 in divisions) when a reference is given.
  if (S.DREF != 0) S.D = ((S.DDIAL1 + S.DDIAL2) / 2 - S.DDIAL0) * 0.00254f + S.DREF;
  if (S.KFRACA != 0) S.FRACA = 1 - (S.DHFRA * 2) / S.H;

  // Bedding of the specimen ends.
  S.BEDSNP = S.BEDRAT * 100;
  S.ASTNIN = (1 - S.FRACA) * 50;
  S.PERBED = S.BEDSNP * 100 / S.ASTNIN;
  S.BEDCM = S.H * S.BEDRAT;
  S.BEDIN = S.BEDCM / 0.00254f;
  S.BEDGMM = S.BEDCM * 10;

  // Geometry and membrane coefficients.
  S.AREA0 = S.D * S.D * S.PI / 4;
  S.ASH = S.AREA0 * S.FRACA;
  S.VOLINL = S.H * S.AREA0;
  S.CMEM1 = (S.PM * S.EXTM) / (S.AREA0 * 1.5f);
  S.CMEM3 = S.EXTM / (S.D * 0.75f);

  if (S.NTEST < std::numeric_limits<int>::max()) S.NTEST = S.NTEST + 1;
  S.NSUMT = S.NTEST;

  // Angles of the failure plane.
  S.ALPHA = S.PI * S.ALPHA / 180;
  S.COSAL = std::cos(S.ALPHA);
  S.SINAL = std::sin(S.ALPHA);
  S.TANAL = S.SINAL / S.COSAL;
  S.ALPHMP = S.ALPHA - S.PI * S.PHIASM / 180;
  if (S.ALPHMP - 0.1747f < 0) S.ALPHMP = 0.1747f;  // about 10 degrees at least
  S.COTAMP = 1 / std::tan(S.ALPHMP);
  S.COTAL = 1 / S.TANAL;
  S.COTAL2 = S.COTAL * S.COTAL;
  S.CFPB = S.COTAL2 * 0.614f;
  S.CFPA = ((S.COTAMP * S.COTAL + 1) - S.COTAL2) * 0.614f;

  // Volume by the coated-specimen method (a coating of density 0.903 g/cc).
  if (S.WCOATA > 7800) {
    S.WSPVOL = S.WSPINL;
    S.VSPEC = S.AREA0 * S.H;
  } else {
    S.WSPVOL = S.WTARE + S.MASS;
    S.WWAX = S.WCOATA - S.WSPVOL;
    S.VWAX = S.WWAX / 0.903f;
    S.VTOTC = (S.WCOATA - S.WCOATW) + S.VCORR0;
    S.VSPEC = S.VTOTC - S.VWAX;
  }
  if (!special) {
    S.DENSBK = S.MASS / S.VOLINL;
  } else {
    S.DENSBK = S.WSPVOL / S.VSPEC;
  }

  // Saturation and porosity.
  S.SATINL = (S.DENSBK * S.WCINL * S.GS) / ((S.WCINL + 1) * S.GS - S.DENSBK);
  S.WCGS = S.WCINL * S.GS;
  S.VORINL = S.WCGS / (S.WCGS + S.SATINL);

  // Final water contents: the special apparatus weighs four samples.
  if (!special) {
    S.TOP = S.WCFIN;
    S.MID = S.WCFIN;
    S.BOT = S.WCFIN;
    S.LE = S.WCFIN;
  } else {
    const bool second = S.KCONT >= 2;
    const float tare_top = second ? 18.9f : 18.86f;
    const float tare_mid = second ? 18.7f : 18.47f;
    const float tare_bot = second ? 18.83f : 18.55f;
    const float tare_le = second ? 18.53f : 18.96f;
    S.TOP = (S.WWTOP - S.WDTOP) / (S.WDTOP - tare_top);
    S.MID = (S.WWMID - S.WDMID) / (S.WDMID - tare_mid);
    S.BOT = (S.WWBOT - S.WDBOT) / (S.WDBOT - tare_bot);
    S.LE = (S.WWLE - S.WDLE) / (S.WDLE - tare_le);
    S.WCFIN = (S.MID + S.TOP + S.BOT) / 3;
  }

  // Weight and water-content changes, grain fractions.
  S.DWSPEC = S.WSPFIN - S.WSPINL;
  S.DWC = (S.WCFIN - S.WCINL) * 100 / S.WCINL;
  if (flag_set(S.KWCSTS)) {
    S.DWCSTS = (S.WCINL - S.WCSTS) * 100 / S.WCSTS;
  } else {
    S.DWCSTS = 0;
  }
  if (flag_set(S.KDWC)) {
    S.DWCPCU = S.DWC;
    S.DWCUUT = 0;
  } else {
    S.DWCUUT = S.DWC;
    S.DWCPCU = 0;
  }
  if (flag_set(S.KGRAIN)) {
    S.WDRY = S.WSPINL / (S.WCINL + 1);
    S.W3T8 = S.W3T4 + S.W3T8;
    S.PER3T4 = S.W3T4 * 100 / S.WDRY;
    S.PER3T8 = S.W3T8 * 100 / S.WDRY;
  } else {
    S.PER3T4 = 0;
    S.PER3T8 = 0;
  }
  S.DWCLEW = (S.LE - S.WCFIN) * 100 / S.WCFIN;
  S.WCTB = (S.BOT + S.TOP) / 2;
  S.DWCMTE = (S.MID - S.WCTB) * 100 / S.WCTB;

  // Thrust of the cell pressure on the ram, in tenths of ring divisions.
  S.RAMDIV = (S.ARAM * S.CELLPR) / (S.PRCONS * 10);
  if (flag_set(S.KEXTC)) {
    S.EXTCLI = S.EXTC0 + S.RAMDIV;
  } else {
    S.EXTCLI = 0;
  }
  if (flag_set(S.KBSTN)) {
    S.BSTNCM = ((S.DIALST - S.EXTC0) - S.RAMDIV) * 0.00254f - S.H * S.ASTNIN / 100;
    S.BSTNCL = S.BSTNCM / S.H;
    S.RBGTS3 = S.BSTNCL / S.S3IPSI;
  } else {
    S.BSTNCL = 0;
    S.RBGTS3 = 0;
  }

  // State at the start of shear.
  S.STGMEC = (S.DIALSM - S.DIALST) * 0.0254f;
  S.FRACM1 = S.FRACA - 1;
  S.EPSCON = -(S.FRACM1 * 0.5f);
  S.DVVINL = -(S.EPSCON * 3);
  S.HSOFSH = (1 - S.EPSCON) * S.H;
  S.SGSNME = S.STGMEC / (S.HSOFSH * 10);
  S.VOLSH = S.HSOFSH * S.ASH;

  // Seating.
  S.SEATCM = (S.SEATF2 * S.SEATF1 * S.HSOFSH) / 405;
  S.SEATIN = S.SEATCM / 0.00254f;
  S.STGSTN = S.SEATCM * 100 / S.HSOFSH;
  S.SEATMM = S.SEATCM * 10;
  if (S.SEATMM + S.STGMEC == 0) {
    S.PSGMTT = 0;
  } else {
    S.PSGMTT = S.STGMEC * 100 / (S.SEATMM + S.STGMEC);
  }

  // End of consolidation.
  S.VOIDRI = S.VORINL / (1 - S.VORINL);
  S.DVOIDR = (S.VOIDRI + 1) * S.DVVINL;
  S.VOIDRF = S.DVOIDR + S.VOIDRI;
  S.PORFIN = S.VOIDRF / (S.VOIDRF + 1);
  S.DVOIDR = S.DVOIDR * 100 / S.VOIDRI;
  S.DPOROS = (S.PORFIN - S.VORINL) * 100 / S.VORINL;
  S.CAVITY = (S.WSPINL - S.MASS) * 100 / (S.VOLINL * S.DENSBK);

  // Every test starts its reading reduction afresh.
  S.NPOST = 0;
  S.KPEAK = 0;
  S.KGRAD = 0;
  S.KRDG = 0;
  S.KTVC = 0;
  S.DIALCR = 0;
  S.CUMLEK = 0;
  S.THOURS = 0;

  S.ALPA = S.ALPHA * 180 / S.PI;
}

}  // namespace velmor::specimen
