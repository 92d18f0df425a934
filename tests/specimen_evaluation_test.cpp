// Apparatus constants and the specimen before shearing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "specimen/calibration.hpp"
#include "specimen/initial_state.hpp"

namespace velmor::specimen {
namespace {

TEST(SpecimenCalibration, SpecialApparatusInterpolatesItsCellCalibrations) {
  // Set A holds at 80 psi, set B at 120 psi; between and beyond them the
  // coefficients follow the straight line through the two sets.
  constexpr float A1 = 6.3383f, B1 = 5.925488f, A2 = -0.1018544f, B2 = -0.03972621f;
  constexpr float AT1 = 0.0003863836f, BT1 = 0.0006287827f;
  constexpr float AT2 = -1.946778e-08f, BT2 = -2.992932e-08f;
  const auto at = [](double a, double b, double w) { return static_cast<float>(a + (b - a) * w); };
  const struct {
    float psi, celfac, cc1, ctv1, cc2, ctv2;
  } cases[] = {
      {80.0f, 0.0f, A1, AT1, A2, AT2},
      {120.0f, 1.0f, B1, BT1, B2, BT2},
      {100.0f, 0.5f, at(A1, B1, 0.5), at(AT1, BT1, 0.5), at(A2, B2, 0.5), at(AT2, BT2, 0.5)},
      {40.0f, -1.0f, at(A1, B1, -1), at(AT1, BT1, -1), at(A2, B2, -1), at(AT2, BT2, -1)},
      {0.0f, -2.0f, at(A1, B1, -2), at(AT1, BT1, -2), at(A2, B2, -2), at(AT2, BT2, -2)},
  };
  for (const auto& c : cases) {
    TestState S;
    S.KSPEC = 9;
    S.CELLPR = c.psi;
    S.EXTM = 1.0f;
    calibrate(S);
    EXPECT_EQ(S.CELFAC, c.celfac) << c.psi;
    EXPECT_FLOAT_EQ(S.CC1.v, c.cc1) << c.psi;
    EXPECT_FLOAT_EQ(S.CTV1.v, c.ctv1) << c.psi;
    EXPECT_FLOAT_EQ(S.CC2.v, c.cc2) << c.psi;
    EXPECT_FLOAT_EQ(S.CTV2.v, c.ctv2) << c.psi;
    EXPECT_EQ(S.CC3, 0.0f);
    EXPECT_EQ(S.S3IPSI, c.psi);
    EXPECT_FLOAT_EQ(S.BEDRAT.v, c.psi * 7.3e-05f);
    EXPECT_FLOAT_EQ(S.CELLPR.v, c.psi * 0.0703f + 0.037f);
    EXPECT_EQ(S.S3IKGC, S.CELLPR);
    EXPECT_EQ(S.EXTM, 0.5f);
    EXPECT_EQ(S.PRCONS, 1.365f);
    EXPECT_EQ(S.ARAM, 18.4f);
    EXPECT_EQ(S.WTRAM, 3.5f);
    EXPECT_EQ(S.PHIASM, 20.0f);
  }
  TestState S;
  S.KSPEC = 9;
  S.CELLPR = 100;
  calibrate(S);
  EXPECT_FLOAT_EQ(S.CELLPR.v, 7.067f);
}

TEST(SpecimenCalibration, NormalApparatusKeepsItsConstants) {
  TestState S;
  S.CELLPR = 100;
  S.CPSLOP = 0.0703f;
  S.CPCON = 0.037f;
  S.EXTM = 1.0f;
  S.PRCONS = 0.15f;
  S.ARAM = 1.2f;
  S.WTRAM = 2.25f;
  S.PHIASM = 30;
  S.BEDRAT = 3;
  S.VCELL0 = 4;
  calibrate(S);
  EXPECT_EQ(S.BEDRAT, 0.0f);
  EXPECT_EQ(S.EXTM, 1.0f);
  EXPECT_EQ(S.PRCONS, 0.15f);
  EXPECT_EQ(S.ARAM, 1.2f);
  EXPECT_EQ(S.WTRAM, 2.25f);
  EXPECT_EQ(S.PHIASM, 30.0f);
  EXPECT_EQ(S.VCELL0, 0.0f);
  EXPECT_EQ(S.CFP1, 113.189f);  // the filter-paper polynomial serves both apparatus
  EXPECT_FLOAT_EQ(S.CELLPR.v, 7.067f);  // the same conversion as the special apparatus
  EXPECT_EQ(S.S3IPSI, 100.0f);
  TestState Z;
  Z.CPCON = 0.5f;
  calibrate(Z);
  EXPECT_EQ(Z.CELLPR, 0.5f);
}

TEST(SpecimenCalibration, SpecialApparatusHalvesTheModulusReadForEachTest) {
  // Every test reads its own membrane modulus; the halving applies once to
  // that value, not again to the value of the previous test.
  TestState S;
  S.KSPEC = 9;
  S.VCELL0 = 4;
  for (int test = 1; test <= 2; ++test) {
    S.CELLPR = 80;
    S.EXTM = 1.0f;
    S.PRCONS = 0.15f;
    calibrate(S);
    EXPECT_EQ(S.EXTM, 0.5f) << test;
    EXPECT_EQ(S.PRCONS, 1.365f) << test;
    EXPECT_EQ(S.VCELL0, 0.0f) << test;
  }
}

TestState worked_specimen() {
  TestState S;
  S.D = 3.8f;
  S.H = 7.6f;
  S.MASS = 150;
  S.WCINL = 0.2f;
  S.GS = 2.7f;
  S.FRACA = 0.98f;
  S.ALPHA = 45;
  S.WCOATA = 9999;
  S.WCFIN = 0.18f;
  return S;
}

TEST(SpecimenState, WorkedSpecimenOfTheNormalApparatus) {
  TestState S = worked_specimen();
  evaluate_specimen(S);
  const struct {
    const char* name;
    double value, expected, tolerance;
  } cases[] = {
      {"AREA0", S.AREA0, 11.341, 5e-4},   {"VOLINL", S.VOLINL, 86.193, 5e-4},
      {"DENSBK", S.DENSBK, 1.7403, 5e-5}, {"SATINL", S.SATINL, 0.6266, 5e-5},
      {"VORINL", S.VORINL, 0.4629, 5e-5}, {"VOIDRI", S.VOIDRI, 0.8618, 5e-5},
      {"EPSCON", S.EPSCON, 0.01, 1e-6},   {"DVVINL", S.DVVINL, -0.03, 1e-6},
      {"HSOFSH", S.HSOFSH, 7.524, 5e-4},  {"VOIDRF", S.VOIDRF, 0.8059, 5e-5},
      {"PORFIN", S.PORFIN, 0.446, 5e-4},  {"DVOIDR", S.DVOIDR, -6.48, 5e-3},
      {"DPOROS", S.DPOROS, -3.59, 5e-3},  {"ASTNIN", S.ASTNIN, 1.0, 1e-5},
  };
  for (const auto& c : cases) EXPECT_NEAR(c.value, c.expected, c.tolerance) << c.name;
  EXPECT_EQ(S.NTEST, 1);
  EXPECT_EQ(S.NSUMT, 1);
}

TEST(SpecimenState, AnglesOfTheFailurePlane) {
  TestState S = worked_specimen();
  S.ALPHA = 55;
  S.PHIASM = 30;
  evaluate_specimen(S);
  EXPECT_NEAR(S.ALPHMP, 0.436, 5e-4);
  EXPECT_NEAR(S.COTAL, 0.70021, 5e-6);
  EXPECT_NEAR(S.CFPB, 0.30104, 5e-6);
  EXPECT_NEAR(S.CFPA, 1.23494, 5e-6);
  EXPECT_NEAR(S.ALPA, 55.0, 1e-4);
  EXPECT_EQ(S.PHIASM, 30.0f);  // stays in degrees for the next test

  TestState T = worked_specimen();
  T.ALPHA = 25;
  T.PHIASM = 20;
  evaluate_specimen(T);
  EXPECT_EQ(T.ALPHMP, 0.1747f);  // at least about 10 degrees
}

TEST(SpecimenState, DiameterFromTheDialAndAreaFractionFromTheHeightChange) {
  TestState S = worked_specimen();
  S.DREF = 3.5f;
  S.DDIAL0 = 10;
  S.DDIAL1 = 100;
  S.DDIAL2 = 120;
  S.KFRACA = 1;
  S.DHFRA = 0.05f;
  evaluate_specimen(S);
  EXPECT_FLOAT_EQ(S.D.v, 3.754f);
  EXPECT_FLOAT_EQ(S.FRACA.v, 0.9868421f);
}

TEST(SpecimenState, CoatedVolumeMethodCountsForTheSpecialApparatusOnly) {
  const struct {
    float kspec, wcoata;
    bool coated;
  } cases[] = {{9, 7800.0f, true}, {9, 7800.5f, false}, {0, 7800.0f, false}};
  for (const auto& c : cases) {
    TestState S = worked_specimen();
    S.KSPEC = c.kspec;
    S.WCOATA = c.wcoata;
    S.WSPINL = 151;
    S.WTARE = 1;
    S.WCOATW = 60;
    S.VCORR0 = 0.5f;
    evaluate_specimen(S);
    double expected = 150.0 / S.VOLINL;
    if (c.kspec != 0) {
      expected = c.coated ? 151.0 / (((c.wcoata - 60.0f) + 0.5f) - (c.wcoata - 151.0f) / 0.903f)
                          : 151.0 / S.VSPEC;
    }
    EXPECT_NEAR(S.DENSBK, expected, 1e-5 * std::fabs(expected)) << c.kspec << " " << c.wcoata;
  }
}

TEST(SpecimenState, TareSetsOfTheSpecialApparatus) {
  for (const float kcont : {1.999f, 2.0f}) {
    TestState S = worked_specimen();
    S.KSPEC = 9;
    S.KCONT = kcont;
    S.WWTOP = 50; S.WDTOP = 45;
    S.WWMID = 50; S.WDMID = 45;
    S.WWBOT = 50; S.WDBOT = 45;
    S.WWLE = 60;  S.WDLE = 45;
    evaluate_specimen(S);
    const bool second = kcont >= 2;
    const double top = 5.0 / (45.0 - (second ? 18.9 : 18.86));
    const double mid = 5.0 / (45.0 - (second ? 18.7 : 18.47));
    const double bot = 5.0 / (45.0 - (second ? 18.83 : 18.55));
    const double le = 15.0 / (45.0 - (second ? 18.53 : 18.96));
    const double mean = (top + mid + bot) / 3;  // LE is not in the mean
    EXPECT_NEAR(S.TOP, top, 1e-6) << kcont;
    EXPECT_NEAR(S.MID, mid, 1e-6) << kcont;
    EXPECT_NEAR(S.BOT, bot, 1e-6) << kcont;
    EXPECT_NEAR(S.LE, le, 1e-6) << kcont;
    EXPECT_NEAR(S.WCFIN, mean, 1e-6) << kcont;
    EXPECT_NEAR(S.DWCLEW, (le - mean) * 100 / mean, 1e-3) << kcont;
    EXPECT_NEAR(S.DWCMTE, (mid - (top + bot) / 2) * 100 / ((top + bot) / 2), 1e-3) << kcont;
  }
}

TEST(SpecimenState, FlagsAndGuardedDivisions) {
  TestState S = worked_specimen();
  S.KDWC = 0.5f;  // below 1
  S.KGRAIN = 1;
  S.W3T4 = 10;
  S.W3T8 = 5;
  S.WSPINL = 120;
  evaluate_specimen(S);
  EXPECT_EQ(S.DWCPCU, 0.0f);
  EXPECT_EQ(S.DWCUUT, S.DWC);
  EXPECT_FLOAT_EQ(S.PER3T4.v, 10.0f);  // of a dry mass of 100 g
  EXPECT_FLOAT_EQ(S.PER3T8.v, 15.0f * 100.0f / (120.0f / 1.2f));
  EXPECT_EQ(S.W3T8, 15.0f);  // the second fraction is cumulative
  EXPECT_EQ(S.SEATCM, 0.0f);
  EXPECT_EQ(S.PSGMTT, 0.0f);  // no seating and no measured seating

  TestState T = worked_specimen();
  T.FRACA = 1;
  evaluate_specimen(T);
  EXPECT_EQ(T.EPSCON, 0.0f);
  EXPECT_EQ(T.DVVINL, 0.0f);
  EXPECT_EQ(T.HSOFSH, T.H);
  EXPECT_EQ(T.ASH, T.AREA0);
  EXPECT_EQ(T.VOLSH, T.VOLINL);
  EXPECT_EQ(T.VOIDRF, T.VOIDRI);
  EXPECT_EQ(T.DVOIDR, 0.0f);
  EXPECT_FLOAT_EQ(T.PORFIN.v, T.VORINL.v);
  EXPECT_EQ(T.ASTNIN, 0.0f);
  EXPECT_FALSE(std::isfinite(T.PERBED));  // 0 / 0: no bedding, no consolidation
}

// A zero divisor outside the one guarded division gives a value that is not
// finite, and the evaluation goes on to the end.
TEST(SpecimenState, UnguardedZeroDivisorsFlowOn) {
  const struct {
    const char* what;
    void (*set)(TestState&);
    Real TestState::*result;
    bool nan;  // NaN rather than an infinity
  } cases[] = {
      {"WCINL 0", [](TestState& S) { S.WCINL = 0; }, &TestState::DWC, false},
      {"WCSTS 0", [](TestState& S) { S.KWCSTS = 1; S.WCSTS = 0; }, &TestState::DWCSTS, false},
      {"S3IPSI 0", [](TestState& S) { S.KBSTN = 1; S.DIALST = 100; S.PRCONS = 0.5f; }, &TestState::RBGTS3, false},
      {"ALPHA 0", [](TestState& S) { S.ALPHA = 0; }, &TestState::COTAL, false},
      {"ALPHA 0", [](TestState& S) { S.ALPHA = 0; }, &TestState::CFPA, true},
  };
  for (const auto& c : cases) {
    TestState S = worked_specimen();
    c.set(S);
    S.NPOST = 3;
    evaluate_specimen(S);
    const double v = S.*c.result;
    EXPECT_FALSE(std::isfinite(v)) << c.what;
    EXPECT_EQ(std::isnan(v), c.nan) << c.what;
    EXPECT_EQ(S.NPOST, 0) << c.what;  // the last steps still ran
    EXPECT_NEAR(S.HSOFSH, 7.524, 5e-4) << c.what;
  }
}

TEST(SpecimenState, RamDialAndSeatingQuantities) {
  TestState S = worked_specimen();
  S.CELLPR = 7.067f;  // converted: 100 psi
  S.S3IPSI = 100;
  S.ARAM = 10;
  S.PRCONS = 0.5f;
  S.KEXTC = 1;
  S.EXTC0 = 20;
  S.KBSTN = 1;
  S.DIALST = 200;
  S.DIALSM = 250;
  S.SEATF1 = 2;
  S.SEATF2 = 3;
  evaluate_specimen(S);
  const double bstncm = (180 - 14.134) * 0.00254 - 7.6 * 1.0 / 100;
  const double seatcm = 3 * 2 * 7.524 / 405;
  const struct {
    const char* name;
    double value, expected;
  } cases[] = {
      {"RAMDIV", S.RAMDIV, 14.134},  // 10 cm2 x 7.067 kg/cm2 over 0.5 x 10
      {"EXTCLI", S.EXTCLI, 34.134},
      {"BSTNCM", S.BSTNCM, bstncm},
      {"BSTNCL", S.BSTNCL, bstncm / 7.6},
      {"RBGTS3", S.RBGTS3, bstncm / 7.6 / 100},
      {"STGMEC", S.STGMEC, 1.27},  // 50 divisions in mm
      {"SGSNME", S.SGSNME, 1.27 / 75.24},
      {"SEATCM", S.SEATCM, seatcm},
      {"SEATIN", S.SEATIN, seatcm / 0.00254},
      {"STGSTN", S.STGSTN, 600.0 / 405},
      {"SEATMM", S.SEATMM, seatcm * 10},
      {"PSGMTT", S.PSGMTT, 127 / (seatcm * 10 + 1.27)},
  };
  for (const auto& c : cases) EXPECT_NEAR(c.value, c.expected, 1e-6 * std::fabs(c.expected)) << c.name;

  TestState T = worked_specimen();
  T.CELLPR = 7.067f;
  T.EXTC0 = 20;
  T.DIALST = 200;
  T.KEXTC = 0.999f;  // below 1
  T.KBSTN = 0.999f;
  evaluate_specimen(T);
  EXPECT_EQ(T.EXTCLI, 0.0f);
  EXPECT_EQ(T.BSTNCL, 0.0f);
  EXPECT_EQ(T.RBGTS3, 0.0f);
  EXPECT_NEAR(T.PSGMTT, 100.0, 1e-5);  // measured seating only
}

TEST(SpecimenState, WeightAndWaterContentChanges) {
  const struct {
    float kwcsts, kdwc;
    double dwcsts, dwcpcu, dwcuut;
  } cases[] = {
      {1, 1, -20, -10, 0},  // (0.2 - 0.25) / 0.25 and (0.18 - 0.2) / 0.2
      {0.5f, 1.5f, 0, -10, 0},
      {0, 0, 0, 0, -10},
  };
  for (const auto& c : cases) {
    TestState S = worked_specimen();
    S.KWCSTS = c.kwcsts;
    S.WCSTS = 0.25f;
    S.KDWC = c.kdwc;
    S.WSPINL = 151;
    S.WSPFIN = 149.5f;
    evaluate_specimen(S);
    EXPECT_NEAR(S.DWC, -10, 1e-4) << c.kwcsts;
    EXPECT_NEAR(S.DWCSTS, c.dwcsts, 1e-4) << c.kwcsts;
    EXPECT_NEAR(S.DWCPCU, c.dwcpcu, 1e-4) << c.kdwc;
    EXPECT_NEAR(S.DWCUUT, c.dwcuut, 1e-4) << c.kdwc;
    EXPECT_EQ(S.DWSPEC, -1.5f);
    EXPECT_NEAR(S.CAVITY, 100.0 / 150, 1e-6);  // 1 g over the 150 g of the initial volume
    EXPECT_EQ(S.DWCLEW, 0.0f);  // one final water content for all samples
    EXPECT_EQ(S.DWCMTE, 0.0f);
  }
}

TEST(SpecimenState, SpecialApparatusFromCalibrationToSpecimen) {
  TestState S = worked_specimen();
  S.KSPEC = 9;
  S.CELLPR = 100;
  S.EXTM = 1.0f;
  S.PM = 2;
  S.WSPINL = 150;
  calibrate(S);
  evaluate_specimen(S);
  const struct {
    const char* name;
    double value, expected;
  } cases[] = {
      {"BEDSNP", S.BEDSNP, 0.73},  // 100 psi x 7.3e-05 as a percentage
      {"PERBED", S.PERBED, 73.0},  // of an initial axial strain of 1 %
      {"BEDCM", S.BEDCM, 0.05548},
      {"BEDIN", S.BEDIN, 0.05548 / 0.00254},
      {"BEDGMM", S.BEDGMM, 0.5548},
      {"RAMDIV", S.RAMDIV, 18.4 * 7.067 / 13.65},
      {"CMEM3", S.CMEM3, 0.5 / (3.8 * 0.75)},  // with the halved modulus
      {"CMEM1", S.CMEM1, 2 * 0.5 / (11.341149 * 1.5)},
      {"DENSBK", S.DENSBK, 1.7402857},  // WSPINL over the volume from the dimensions
  };
  for (const auto& c : cases) EXPECT_NEAR(c.value, c.expected, 2e-6 * std::fabs(c.expected)) << c.name;
}

TEST(SpecimenState, ReadingReductionStartsAfresh) {
  TestState S = worked_specimen();
  S.NPOST = 4;
  S.KPEAK = 1;
  S.KGRAD = 2;
  S.KRDG = 7;
  S.KTVC = 1;
  S.DIALCR = 0.3f;
  S.CUMLEK = 1.5f;
  S.THOURS = 12;
  evaluate_specimen(S);
  EXPECT_EQ(S.NPOST, 0);
  EXPECT_EQ(S.KPEAK, 0);
  EXPECT_EQ(S.KGRAD, 0);
  EXPECT_EQ(S.KRDG, 0.0f);
  EXPECT_EQ(S.KTVC, 0.0f);
  EXPECT_EQ(S.DIALCR, 0.0f);
  EXPECT_EQ(S.CUMLEK, 0.0f);
  EXPECT_EQ(S.THOURS, 0.0f);
}

TEST(SpecimenState, TestsAreCountedOverTheRun) {
  TestState S = worked_specimen();
  S.KSPEC = 9;
  float first_alphmp = 0;
  for (int n = 1; n <= 3; ++n) {
    S.ALPHA = 55;  // read afresh for every test
    S.CELLPR = 100;
    calibrate(S);
    evaluate_specimen(S);
    EXPECT_EQ(S.NTEST, n);
    EXPECT_EQ(S.NSUMT, n);
    if (n == 1) first_alphmp = S.ALPHMP.v;
    EXPECT_EQ(S.ALPHMP, first_alphmp) << n;  // PHIASM taken in degrees each time
  }
  EXPECT_NEAR(first_alphmp, 35 * 3.141593 / 180, 1e-6);

  // The count stops at the largest integer instead of wrapping round.
  S.NTEST = std::numeric_limits<int>::max() - 1;
  for (int n = 0; n < 2; ++n) {
    S.ALPHA = 55;
    evaluate_specimen(S);
    EXPECT_EQ(S.NTEST, std::numeric_limits<int>::max());
    EXPECT_EQ(S.NSUMT, std::numeric_limits<int>::max());
  }
}

}  // namespace
}  // namespace velmor::specimen
