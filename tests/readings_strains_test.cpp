// Strains of a reading and the corrections of a specimen that still deforms
// as a right cylinder.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

struct Lab {
  TestState S;
  ReadingTable R;
};

// One reading of a consolidated specimen (height 8 cm, 7.8 cm at the start
// of shear, area 11.2 cm2) under 2 kg/cm2 with a membrane and side drains.
Lab specimen() {
  Lab t;
  t.S.SEATCM = 0.05f;
  t.S.H = 8;
  t.S.HSOFSH = 7.8f;
  t.S.EPSCON = 0.01f;
  t.S.BEDRAT = 0.002f;
  t.S.DVOL = -0.6f;
  t.S.VOLSH = 85;
  t.S.VOLINL = 88;
  t.S.DVVINL = -0.02f;
  t.S.ASH = 11.2f;
  t.S.CMEM1 = 0.05f;
  t.S.CMEM3 = 0.03f;
  t.S.D = 3.8f;
  t.S.EXTM = 0.35f;
  t.S.ACTKFP = 0.19f;
  t.S.PCFPSD = 6;
  t.S.CFP0 = 0.3f;
  t.S.CFP1 = 20;
  t.S.CFP2 = -100;
  t.S.CFP3 = 500;
  t.S.CFP4 = -1000;
  t.S.PAXIAL = 12.5f;
  t.S.NREAD = 1;
  t.R.clear(1);
  t.R.SDIAL(1) = 0.4f;
  t.R.SIG3UC(1) = 2;
  t.R.PP(1) = 0.5f;
  return t;
}

void reduce(Lab& t) {
  strain_step(t.S, t.R, 1);
  correct_before_plane(t.S, t.R, 1);
}

TEST(ReadingsStrains, AxialStrainIsBoundedByTheDialCorrection) {
  const struct {
    float sdial, dialcr, dialk, epsax, epsmin;
  } cases[] = {
      {0.4f, 0, 0, 0.044871796f, 0},
      {0.02f, 0, 0, 0, 0},  // below the seating displacement: raised to 0
      // 0.369 divisions of 0.00254 cm whatever the dial constant.
      {0.02f, 0.369f, 0.001f, 0.00012016153f, 0.00012016153f},
      {0.4f, 0.369f, 0.001f, 0.044871796f, 0.00012016153f},
  };
  for (const auto& c : cases) {
    Lab t = specimen();
    t.R.SDIAL(1) = c.sdial;
    t.S.DIALCR = c.dialcr;
    t.S.DIALK = c.dialk;
    strain_step(t.S, t.R, 1);
    EXPECT_EQ(t.R.EPSAX(1), c.epsax) << c.sdial << " " << c.dialcr;
    EXPECT_EQ(t.S.EPSMIN, c.epsmin) << c.sdial << " " << c.dialcr;
    EXPECT_EQ(t.R.EPSVOL(1), -0.007058824f);  // -0.6 / 85
  }
}

TEST(ReadingsStrains, WorkedReadingBeforeTheShearPlane) {
  Lab t = specimen();
  reduce(t);
  EXPECT_EQ(t.S.EPSMEM, 0.05375f);  // 0.35 / 8 + 0.01
  EXPECT_EQ(t.S.EPSMB, 0.05575f);
  EXPECT_EQ(t.S.RATMB, 1.0021181f);
  EXPECT_EQ(t.S.EVINL1, 0.97318184f);
  EXPECT_EQ(t.S.SQMB, 1.014131f);
  EXPECT_EQ(t.R.CORAR(1), 11.643401f);
  EXPECT_EQ(t.R.CM1PRE(1), 0.00501321f);
  EXPECT_EQ(t.R.CM3PRE(1), 0.0008491627f);
  EXPECT_EQ(t.R.CMSIG1(1), t.R.CM1PRE(1));
  EXPECT_EQ(t.R.CMSIG3(1), t.R.CM3PRE(1));
  EXPECT_EQ(t.S.CMBH, 0.016102603f);  // thin shell with 3.1416
  EXPECT_EQ(t.R.CMDEDS(1), 0.004164047f);
  EXPECT_EQ(t.R.ERMCBH(1), 286.7056f);
  EXPECT_EQ(t.S.FPKF, 0.19f);  // membrane strain above 2.5 %: fully mobilised
  EXPECT_EQ(t.R.CFSIG1(1), 0.09790953f);
  EXPECT_EQ(t.R.SIG1UC(1), 3.0735695f);
  EXPECT_EQ(t.R.SIG1C(1), 2.9706469f);
  EXPECT_EQ(t.R.SIG3C(1), 1.9991509f);
  EXPECT_EQ(t.R.DEVSC(1), 0.485748f);
  EXPECT_EQ(t.R.PERCMB(1), 0.42862216f);
  EXPECT_EQ(t.R.PERCSD(1), 10.078223f);
  EXPECT_EQ(t.R.TOTST(1), 2.4848988f);
  EXPECT_EQ(t.R.EFFNS(1), 1.9848988f);
  // No sliding yet; the corrections at the start of sliding are this reading's.
  for (const Column* c :
       {&t.R.CMDELR, &t.R.ERRAC, &t.R.DELTAS, &t.R.CMS1LR, &t.R.CMS3LR, &t.R.CFS1LR}) {
    EXPECT_EQ(c->at(1), 0.0);
  }
  EXPECT_EQ(t.R.CMS1DS(1), t.R.CM1PRE(1));
  EXPECT_EQ(t.R.CMS3DS(1), t.R.CM3PRE(1));
  EXPECT_EQ(t.R.CFS1DS(1), t.R.CFSIG1(1));
}

// Height 10 cm, no consolidation: the membrane strain is SDIAL / 10.
TEST(ReadingsStrains, FilterPaperMobilisedByPolynomialUpToTwoAndAHalfPercent) {
  const struct {
    float sdial, epsmem, fpkf;
  } cases[] = {
      {0.1f, 0.01f, 0.11134123f},
      {0.25f, 0.025f, 0.16909727f},   // exactly 2.5 %: still the polynomial (with 1.135)
      {0.2501f, 0.025009999f, 0.2f},  // just above: the full load ACTKFP
  };
  for (const auto& c : cases) {
    Lab t = specimen();
    t.S.SEATCM = 0;
    t.S.H = 10;
    t.S.HSOFSH = 10;
    t.S.EPSCON = 0;
    t.S.ACTKFP = 0.2f;
    t.R.SDIAL(1) = c.sdial;
    reduce(t);
    EXPECT_EQ(t.S.EPSMEM, c.epsmem);
    EXPECT_EQ(t.S.FPKF, c.fpkf) << c.sdial;
  }
}

TEST(ReadingsStrains, MembraneStrainRaisedWithTheAxialStrain) {
  Lab t = specimen();
  t.R.SDIAL(1) = 0.02f;  // below the seating displacement
  t.S.DIALCR = 0.369f;
  reduce(t);
  EXPECT_EQ(t.S.EPSMEM, 0.010120161f);  // EPSMIN + EPSCON
}

TEST(ReadingsStrains, ZeroDivisorsOfTheSharesGiveZero) {
  const struct {
    const char* what;
    float cmem, paxial, actkfp;
  } cases[] = {
      {"no membrane", 0, 12.5f, 0.19f},
      {"no deviator", 0, 0, 0},
  };
  for (const auto& c : cases) {
    Lab t = specimen();
    t.S.CMEM1 = c.cmem;
    t.S.CMEM3 = c.cmem;
    t.S.PAXIAL = c.paxial;
    t.S.ACTKFP = c.actkfp;
    reduce(t);
    EXPECT_EQ(t.R.CMDEDS(1), 0.0f) << c.what;
    EXPECT_EQ(t.R.ERMCBH(1), 0.0f) << c.what;
    if (c.paxial == 0) {
      EXPECT_EQ(t.R.DEVSC(1), 0.0f);
      EXPECT_EQ(t.R.PERCMB(1), 0.0f);
      EXPECT_EQ(t.R.PERCSD(1), 0.0f);
    } else {
      EXPECT_GT(t.R.PERCSD(1), 0.0f);
    }
  }
}

TEST(ReadingsStrains, SpecimenStrainedToItsFullHeightGivesAnInfiniteAreaThatFlowsOn) {
  Lab t = specimen();
  t.S.SEATCM = 0;
  t.R.SDIAL(1) = 7.8f;  // the height at the start of shear: axial strain 1
  reduce(t);
  EXPECT_EQ(t.R.EPSAX(1), 1.0f);
  EXPECT_EQ(t.R.CORAR(1), std::numeric_limits<float>::infinity());
  EXPECT_EQ(t.R.CFSIG1(1), 0.0f);
  EXPECT_EQ(t.R.SIG1UC(1), 2.0f);  // no load on an infinite area
}

}  // namespace
}  // namespace velmor::readings
