// Strains of every reading; area, membrane and filter-paper corrections of a
// specimen that still deforms as a right cylinder.
#include <cmath>

#include "readings/polynomials.hpp"
#include "readings/reduction.hpp"

namespace velmor::readings {

void strain_step(TestState& S, ReadingTable& R, int I) {
  R.EPSAX(I) = (R.SDIAL(I) - S.SEATCM) / S.HSOFSH;
  // The dial correction for cell-pressure drops bounds the strain from below.
  S.EPSMIN = (S.DIALCR * 0.00254f) / S.HSOFSH;
  if (R.EPSAX(I) < S.EPSMIN) R.EPSAX(I) = S.EPSMIN;
  R.EPSVOL(I) = S.DVOL / S.VOLSH;
}

void correct_before_plane(TestState& S, ReadingTable& R, int I) {
  // Membrane strain from the initial height, consolidation included.
  S.EPSMEM = (R.SDIAL(I) - S.SEATCM) / S.H + S.EPSCON;
  if ((S.EPSMIN + S.EPSCON) > S.EPSMEM) S.EPSMEM = S.EPSMIN + S.EPSCON;
  S.EPSMB = S.BEDRAT + S.EPSMEM;
  S.RATMB = (1 - S.EPSMEM) / (1 - S.EPSMB);
  S.EVINL = S.DVOL / S.VOLINL + S.DVVINL;
  R.CORAR(I) = ((R.EPSVOL(I) + 1) * S.ASH) / (1 - R.EPSAX(I));
  S.EVINL1 = S.EVINL + 1;
  S.SQMB = std::sqrt(S.EVINL1 / (1 - S.EPSMEM));

  R.CM1PRE(I) = ((((S.EPSMB * 2) + 1) - S.SQMB) * S.CMEM1 / S.EVINL1) * S.RATMB;
  R.CM3PRE(I) = (((S.EPSMB + 2) - S.SQMB * 2) * S.CMEM3 / S.EVINL1) * S.RATMB;
  R.CMSIG1(I) = R.CM1PRE(I);
  R.CMSIG3(I) = R.CM3PRE(I);

  // Thin-shell estimate of the membrane correction, for comparison.
  S.CMBH = (((S.D * 3.1416f) * S.EXTM) * R.EPSAX(I)) / R.CORAR(I);
  R.CMDEDS(I) = R.CMSIG1(I) - R.CMSIG3(I);
  if (R.CMDEDS(I) == 0) {
    R.ERMCBH(I) = 0;
  } else {
    R.ERMCBH(I) = ((S.CMBH - R.CMDEDS(I)) * 100) / R.CMDEDS(I);
  }

  // Filter-paper side drains: fully mobilised beyond 2.5 % membrane strain,
  // below it by the calibrated polynomial with the factor 1.135.
  if (S.EPSMEM - 0.025f > 0) {
    S.FPKF = S.ACTKFP;
  } else {
    S.FPKF = filter_paper_fraction(S, S.EPSMEM) * ((S.ACTKFP * 1.135f) / 0.18f) * 0.18f;
  }
  R.CFSIG1(I) = (S.PCFPSD * S.FPKF) / R.CORAR(I);

  R.SIG1UC(I) = S.PAXIAL / R.CORAR(I) + R.SIG3UC(I);
  R.SIG1C(I) = (R.SIG1UC(I) - R.CMSIG1(I)) - R.CFSIG1(I);
  R.SIG3C(I) = R.SIG3UC(I) - R.CMSIG3(I);
  R.DEVSC(I) = (R.SIG1C(I) - R.SIG3C(I)) * 0.5f;
  if (R.DEVSC(I) == 0) {
    R.PERCMB(I) = 0;
    R.PERCSD(I) = 0;
  } else {
    R.PERCMB(I) = ((R.CMSIG1(I) - R.CMSIG3(I)) * 50) / R.DEVSC(I);
    R.PERCSD(I) = (R.CFSIG1(I) * 50) / R.DEVSC(I);
  }
  R.TOTST(I) = (R.SIG1C(I) + R.SIG3C(I)) * 0.5f;
  R.EFFNS(I) = R.TOTST(I) - R.PP(I);

  R.CMDELR(I) = 0;
  R.ERRAC(I) = 0;
  R.DELTAS(I) = 0;
  R.CMS1LR(I) = 0;
  R.CMS3LR(I) = 0;
  R.CFS1LR(I) = 0;
  R.CMS1DS(I) = R.CM1PRE(I);
  R.CMS3DS(I) = R.CM3PRE(I);
  R.CFS1DS(I) = R.CFSIG1(I);
}

}  // namespace velmor::readings
