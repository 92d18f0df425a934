// The shared state of a run: the named quantities of the run, the current data
// set and the current test (TestState), the per-reading columns of the current
// test (ReadingTable) and the strength points of all tests (EnvelopeTable).
//
// Every quantity starts at 0 and keeps its value until a record or a
// computation sets it again. Names are the upper-case names printed in the
// report's headings.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "state/real.hpp"

namespace velmor {

// One per-reading column, indexed from 1 like the readings of a test.
// Reading an index outside 1..size() yields 0 (a test without readings has no
// failure reading, and every value taken at one is 0); writing grows nothing
// and must stay in range.
class Column {
 public:
  Real& operator()(int i) { return v_[static_cast<std::size_t>(i - 1)]; }
  double operator()(int i) const { return at(i); }
  double at(int i) const {
    return (i >= 1 && static_cast<std::size_t>(i) <= v_.size()) ? static_cast<double>(v_[static_cast<std::size_t>(i - 1)]) : 0.0;
  }
  int size() const { return static_cast<int>(v_.size()); }
  void resize(int n) { v_.assign(static_cast<std::size_t>(n < 0 ? 0 : n), Real{}); }
  void push_back(double x) { v_.push_back(Real{x}); }

 private:
  std::vector<Real> v_;
};

// The per-reading columns of the current test. Every test starts with all rows
// at 0 (clear()), so a column that the data form of the test does not read
// holds 0, never a value left by an earlier test.
struct ReadingTable {
  // Read from the data file (converted in place: SDIAL and RAMDSP to cm, PP to
  // kg/cm2, TDAY and THOUR made non-decreasing).
  Column APSIG3, TDAY, THOUR, TMIN, VOLRD1, VOLRD2, KBUR, PP, PARA2, SDIAL, PRDIAL, PARA3, KPPCF,
      PPAUX, RAMDSP;
  // Reading preparation (seating search).
  Column DSDIAL, DPRDIA, GRDPRS;
  // Times, volumes, pressures.
  Column TELAP, DTIME, CUMDUR, DURATN, DTM10, VOLCH, SIG3UC;
  // Strains, areas, corrections, stresses.
  Column EPSAX, EPSVOL, CORAR, CM1PRE, CM3PRE, CMSIG1, CMSIG3, CMDEDS, CMDEPF, ERMCBH, CFSIG1,
      SIG1UC, SIG1C, SIG3C, DEVSC, PERCMB, PERCSD, TOTST, EFFNS, CMDELR, ERRAC, DELTAS, CMS1LR,
      CMS3LR, CFS1LR, CMS1DS, CMS3DS, CFS1DS;
  // Derived values.
  Column ERSIG1, CUMFPR, SIG1EF, SIG3EF, S1S3, AXSTRN, VOLSTN, SDIALP, PPKPA, TOTKPA, EFFKPA,
      DEVKPA;

  // Number of rows (readings) of the current test.
  int rows() const { return TDAY.size(); }

  // Sets every column to n rows of 0.
  void clear(int n);
};

// Strength points of all tests, in kPa: row NTEST, columns 1 (peak) and 2
// (ultimate, or total stress at peak). The table grows with the tests of the
// run; rows of tests that stored no point stay 0.
struct EnvelopeTable {
  std::vector<std::array<Real, 2>> SIGENV, TAUENV;
  std::vector<std::array<Real, 2>> SIGLOG, TAULOG;

  // Makes sure rows 1..n exist (new rows are 0).
  void ensure_rows(int n);
};

// The named scalar quantities of the run, the current data set and the current
// test. Codes and counts read from the data file are Real like every other
// field; integers only where the computation counts.
struct TestState {
  // Run constants.
  Real PI = 3.141593f;
  Real SICONV = 98.07f;

  // Run driver.
  std::string INFILE, OUTFIL;  // names as typed (12 characters, blank-padded)
  int NTEST = 0, NSUMT = 0, IPARRG = 0, KFIT = 0, JTITLE = 0;
  Real SIGTOP, KSPEC, KNEWDS;
  std::string TITLE = std::string(80, ' ');  // the title line just read

  // Data-set header.
  Real KDATA, KPPDIR, PRCONS, DRAM, WTRAM, PHIASM, PARREG, KPRINT, KGAUGE;
  Real ARAM, WTOT;
  // Gauge record.
  Real PSETPR, CPCON, CPSLOP, PPCON, PPSLOP, WTCAP, WTXTR, DIALK, CSLFPR;

  // Specimen records (all data forms).
  Real CELLPR, PRCNEW, MASS, WCINL, GS, D, H, EXTM, PM, DHFRB, PCFPSD, ACTKFP, ALPHA, WCFIN, KVOL,
      RNREAD, KOPT;
  Real COEF01, COEF1M, COEF2M;
  Real WCOATA, WSPINL, WSPFIN, DREF, DDIAL0, DDIAL1, DDIAL2, ZEROM, FRACA, KFRACA, DHFRA, TFLPR,
      ZEROLF, WTARE, WCOATW, VCORR0, DMANR;
  Real SPARE1, SPARE2, SEATF1, SEATF2;
  Real TESTNO, FAILMD, EXTC0, KEXTC, DIALST, KBSTN, DIALSM, W3T4, W3T8, KGRAIN, STNRAT, KDWC,
      PPSAT, WCSTS, KWCSTS;
  Real WWTOP, WWMID, WWBOT, WWLE, WDTOP, WDMID, WDBOT, WDLE, KCONT;
  // Formed right after reading.
  Real SIG3K;
  int NREAD = 0, NSEAT = 0;

  // Apparatus calibration.
  Real S3IPSI, S3IKGC, CELFAC, CC1, CC2, CC3, CCB1, CCB2, CCB3, CTV1, CTV2, CTVB1, CTVB2;
  Real CPV0, CPV1, CPV2, CPV3, CPV4, CPV5, VCELL0, CFP0, CFP1, CFP2, CFP3, CFP4, BEDRAT;

  // Specimen initial state.
  Real AREA0, VOLINL, ASH, HSOFSH, VOLSH, EPSCON, DVVINL, FRACM1, CMEM1, CMEM3;
  Real BEDSNP, ASTNIN, PERBED, BEDCM, BEDIN, BEDGMM;
  Real WSPVOL, WWAX, VWAX, VTOTC, VSPEC, DENSBK, SATINL, WCGS, VORINL;
  Real TOP, MID, BOT, LE, DWSPEC, DWC, DWCSTS, DWCUUT, DWCPCU, DWCLEW, DWCMTE, WDRY, PER3T4,
      PER3T8, WCTB;
  Real RAMDIV, EXTCLI, BSTNCM, BSTNCL, RBGTS3, STGMEC, SGSNME;
  Real SEATCM, SEATIN, SEATMM, STGSTN, PSGMTT;
  Real VOIDRI, VOIDRF, DVOIDR, DPOROS, PORFIN, CAVITY;
  Real COSAL, SINAL, TANAL, ALPHMP, COTAMP, COTAL, COTAL2, CFPA, CFPB, ALPA;
  int NPOST = 0, KPEAK = 0, KGRAD = 0;
  Real KRDG, KTVC, DIALCR, CUMLEK, THOURS;

  // Reading preparation.
  int IGMAX = 0, IGMAX1 = 0;
  Real PRDSEA, SEATCR, PRNET;
  bool SEATED = false;  // the seating step ran for the current test

  // Reading reduction.
  Real CUMVOL, DSIG3, VCORT, VCORP, PLEAK, VRAM, VCELL, VCTOT, DVOL, PAXIAL;
  Real EPSMIN, EPSMEM, EPSMB, RATMB, EVINL, EVINL1, SQMB, CMBH, FPKF;
  int IREF = 0;
  Real DELS, DEQ, DELH, THETA, ARAPX, CMLOG;
  int IFAIL = 0;
  Real TCFAIL;

  // Test summary.
  int KBACK = 0, IULT = 0, KF = 0;
  Real DEGCON, PPSOSH, BEDPER, STGPER, DVDHF, DVDUE, BSAT, RPPSAT;

  // Envelope fits (per column; COFC0 has room for six).
  std::array<Real, 2> COFCOR{}, PHIORG{}, PHILRG{}, COHESN{}, BEXPNT{}, ACONST{};
  std::array<Real, 6> COFC0{};
  std::array<Real, 5> SIGSTR{}, TAUSTR{};
};

}  // namespace velmor
