#include "state/state.hpp"

namespace velmor {

void ReadingTable::clear(int n) {
  for (Column* c : {&APSIG3, &TDAY,   &THOUR,  &TMIN,   &VOLRD1, &VOLRD2, &KBUR,   &PP,
                    &PARA2,  &SDIAL,  &PRDIAL, &PARA3,  &KPPCF,  &PPAUX,  &RAMDSP, &DSDIAL,
                    &DPRDIA, &GRDPRS, &TELAP,  &DTIME,  &CUMDUR, &DURATN, &DTM10,  &VOLCH,
                    &SIG3UC, &EPSAX,  &EPSVOL, &CORAR,  &CM1PRE, &CM3PRE, &CMSIG1, &CMSIG3,
                    &CMDEDS, &CMDEPF, &ERMCBH, &CFSIG1, &SIG1UC, &SIG1C,  &SIG3C,  &DEVSC,
                    &PERCMB, &PERCSD, &TOTST,  &EFFNS,  &CMDELR, &ERRAC,  &DELTAS, &CMS1LR,
                    &CMS3LR, &CFS1LR, &CMS1DS, &CMS3DS, &CFS1DS, &ERSIG1, &CUMFPR, &SIG1EF,
                    &SIG3EF, &S1S3,   &AXSTRN, &VOLSTN, &SDIALP, &PPKPA,  &TOTKPA, &EFFKPA,
                    &DEVKPA}) {
    c->resize(n);
  }
}

void EnvelopeTable::ensure_rows(int n) {
  const auto want = static_cast<std::size_t>(n < 0 ? 0 : n);
  for (auto* t : {&SIGENV, &TAUENV, &SIGLOG, &TAULOG}) {
    if (t->size() < want) t->resize(want, std::array<Real, 2>{});
  }
}

}  // namespace velmor
