// Corrections once a shear plane has formed: the two halves of the specimen
// slide along the plane; the area is their overlap and the membrane and side
// drains resist the sliding.
#include <cmath>

#include "readings/reduction.hpp"

namespace velmor::readings {

double filter_paper_fraction(const TestState& S, double e);

void correct_on_plane(TestState& S, ReadingTable& R, int I) {
  S.NPOST = S.NPOST + 1;
  S.IREF = I - S.NPOST;
  const int J = S.IREF;

  S.DELS = (((R.EPSVOL(I) - R.EPSVOL(J)) * 0.5f) * S.VOLSH) / ((S.HSOFSH * R.CORAR(J)) * 1.5f) +
           (R.EPSAX(I) - R.EPSAX(J));
  S.DEQ = std::sqrt(R.CORAR(J) * 1.273f);
  S.DELH = S.HSOFSH * S.DELS;

  // Overlap of two circles of diameter DEQ whose centres are DELH / TANAL apart.
  S.THETA = std::acos(S.DELH / (S.TANAL * S.DEQ)) * 2;
  R.CORAR(I) = ((S.THETA - std::sin(S.THETA)) * R.CORAR(J)) / S.PI;
  S.ARAPX = R.CORAR(J) - (S.DEQ * S.DELH) / S.TANAL;
  R.ERRAC(I) = ((S.ARAPX - R.CORAR(I)) * 100) / R.CORAR(I);

  S.CMLOG = std::log(R.SIG3UC(I) * 10) * 0.2263f + 0.0143f;
  R.CMDELR(I) = (std::sqrt(((S.CMLOG * S.EXTM) * S.DELH) * S.SINAL) * (S.DEQ * S.PI)) /
                (S.COSAL * R.CORAR(I));
  R.CMS1LR(I) = S.CFPA * R.CMDELR(I);
  R.CMS3LR(I) = S.CFPB * R.CMDELR(I);
  R.CMDELR(I) = R.CMS1LR(I) + R.CMS3LR(I);

  S.FPKF = filter_paper_fraction(S, S.DELS) * (S.ACTKFP / 0.18f) * 0.18f;
  R.CFS1DS(I) = R.CFSIG1(J);
  R.CFS1LR(I) = (S.PCFPSD * S.FPKF) / R.CORAR(I);
  R.CFSIG1(I) = R.CFS1DS(I) + R.CFS1LR(I);

  R.DELTAS(I) = S.DELS * 100;
  R.CMS1DS(I) = R.CM1PRE(J);
  R.CMS3DS(I) = R.CM3PRE(J);
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
  R.CMDEDS(I) = R.CMDEDS(J);
  if (R.DEVSC(I) == 0) {
    R.PERCMB(I) = 0;
    R.PERCSD(I) = 0;
  } else {
    R.PERCMB(I) = (R.CMDEPF(I) * 50) / R.DEVSC(I);
    R.PERCSD(I) = (R.CFSIG1(I) * 50) / R.DEVSC(I);
  }
}

}  // namespace velmor::readings
