// Corrections once a shear plane has formed: the two halves of the specimen
// slide along the plane; the area is their overlap and the membrane and side
// drains resist the sliding.
#include <cmath>

#include "readings/polynomials.hpp"
#include "readings/reduction.hpp"

namespace velmor::readings {

void correct_on_plane(TestState& S, ReadingTable& R, int I) {
  S.NPOST = S.NPOST + 1;
  S.IREF = I - S.NPOST;
  // Reference: the reading where the sliding started, counted back over all
  // readings past the plane so far.
  const int J = S.IREF;

  // Sliding since the reference, as a fraction of the height: the axial
  // strain plus a share of the volume change spread over the reference area.
  S.DELS =
      (((R.EPSVOL(I) - R.EPSVOL.at(J)) * 0.5f) * S.VOLSH) / ((S.HSOFSH * R.CORAR.at(J)) * 1.5f) +
      (R.EPSAX(I) - R.EPSAX.at(J));
  S.DEQ = std::sqrt(R.CORAR.at(J) * 1.273f);
  S.DELH = S.HSOFSH * S.DELS;

  // Overlap of two circles of diameter DEQ whose centres are DELH / TANAL apart.
  S.THETA = std::acos(S.DELH / (S.TANAL * S.DEQ)) * 2;
  R.CORAR(I) = ((S.THETA - std::sin(S.THETA)) * R.CORAR.at(J)) / S.PI;
  S.ARAPX = R.CORAR.at(J) - (S.DEQ * S.DELH) / S.TANAL;
  R.ERRAC(I) = ((S.ARAPX - R.CORAR(I)) * 100) / R.CORAR(I);

  // Membrane resistance to the sliding, stiffer at higher cell pressure; the
  // minor principal stress takes its share with the opposite sign below.
  S.CMLOG = std::log(R.SIG3UC(I) * 10) * 0.2263f + 0.0143f;
  R.CMDELR(I) = (std::sqrt(((S.CMLOG * S.EXTM) * S.DELH) * S.SINAL) * (S.DEQ * S.PI)) /
                (S.COSAL * R.CORAR(I));
  R.CMS1LR(I) = S.CFPA * R.CMDELR(I);
  R.CMS3LR(I) = S.CFPB * R.CMDELR(I);
  R.CMDELR(I) = R.CMS1LR(I) + R.CMS3LR(I);

  // Side drains mobilised by the sliding itself (no 1.135, no 2.5 % limit),
  // added to the correction reached at the reference reading.
  S.FPKF = filter_paper_fraction(S, S.DELS) * (S.ACTKFP / 0.18f) * 0.18f;
  R.CFS1DS(I) = R.CFSIG1.at(J);
  R.CFS1LR(I) = (S.PCFPSD * S.FPKF) / R.CORAR(I);
  R.CFSIG1(I) = R.CFS1DS(I) + R.CFS1LR(I);

  R.DELTAS(I) = S.DELS * 100;
  R.CMS1DS(I) = R.CM1PRE.at(J);
  R.CMS3DS(I) = R.CM3PRE.at(J);
  R.SIG1UC(I) = S.PAXIAL / R.CORAR(I) + R.SIG3UC(I);
  R.CMSIG1(I) = R.CMS1DS(I) + R.CMS1LR(I);
  R.CMSIG3(I) = R.CMS3DS(I) - R.CMS3LR(I);
  R.CMDEPF(I) = R.CMSIG1(I) - R.CMSIG3(I);
  // Thin-shell value of the last reading before the plane plus a fixed
  // sliding term, compared with the total membrane correction.
  if (R.CMDEPF(I) == 0) {
    R.ERMCBH(I) = 0;
  } else {
    R.ERMCBH(I) = (((S.CMBH + 0.0422f) - R.CMDEPF(I)) * 100) / R.CMDEPF(I);
  }

  R.SIG1C(I) = (R.SIG1UC(I) - R.CMSIG1(I)) - R.CFSIG1(I);
  R.SIG3C(I) = R.SIG3UC(I) - R.CMSIG3(I);
  R.DEVSC(I) = (R.SIG1C(I) - R.SIG3C(I)) * 0.5f;
  R.TOTST(I) = (R.SIG1C(I) + R.SIG3C(I)) * 0.5f;
  R.EFFNS(I) = R.TOTST(I) - R.PP(I);
  R.CMDEDS(I) = R.CMDEDS.at(J);
  if (R.DEVSC(I) == 0) {
    R.PERCMB(I) = 0;
    R.PERCSD(I) = 0;
  } else {
    R.PERCMB(I) = (R.CMDEPF(I) * 50) / R.DEVSC(I);
    R.PERCSD(I) = (R.CFSIG1(I) * 50) / R.DEVSC(I);
  }
}

}  // namespace velmor::readings
