// Apparatus constants and the specimen before shearing.
#include <gtest/gtest.h>

#include <cmath>

#include "specimen/calibration.hpp"
#include "specimen/initial_state.hpp"

namespace velmor::specimen {
namespace {

TEST(SpecimenCalibration, SpecialApparatusInterpolatesItsCellCalibrations) {
  const struct {
    float psi, celfac, cc1, ctv1;
  } cases[] = {
      {80.0f, 0.0f, 6.3383f, 0.0003863836f},
      {120.0f, 1.0f, 5.925488f, 0.0006287827f},
      {100.0f, 0.5f, static_cast<float>((6.3383f + 5.925488f) / 2.0),
       static_cast<float>((0.0003863836 + 0.0006287827) / 2.0)},
      {40.0f, -1.0f, static_cast<float>(2.0 * 6.3383f - 5.925488f),
       static_cast<float>(2.0 * 0.0003863836f - 0.0006287827f)},
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
  S.BEDRAT = 3;
  calibrate(S);
  EXPECT_EQ(S.BEDRAT, 0.0f);
  EXPECT_EQ(S.EXTM, 1.0f);
  EXPECT_EQ(S.PRCONS, 0.15f);
  EXPECT_EQ(S.ARAM, 1.2f);
  EXPECT_FLOAT_EQ(S.CELLPR.v, 7.067f);  // the same conversion as the special apparatus
  EXPECT_EQ(S.S3IPSI, 100.0f);
  TestState Z;
  Z.CPCON = 0.5f;
  calibrate(Z);
  EXPECT_EQ(Z.CELLPR, 0.5f);
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
    EXPECT_FLOAT_EQ(S.TOP.v, 5.0f / (45.0f - (second ? 18.9f : 18.86f)));
    EXPECT_FLOAT_EQ(S.MID.v, 5.0f / (45.0f - (second ? 18.7f : 18.47f)));
    EXPECT_FLOAT_EQ(S.WCFIN.v, static_cast<float>((S.MID + S.TOP + S.BOT) / 3));  // LE not in the mean
    EXPECT_GT(S.DWCLEW, 0.0f);
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
  EXPECT_FLOAT_EQ(S.PER3T8.v, 15.0f * 100.0f / (120.0f / 1.2f));
  EXPECT_EQ(S.SEATCM, 0.0f);
  EXPECT_EQ(S.PSGMTT, 0.0f);  // no seating and no measured seating

  TestState T = worked_specimen();
  T.FRACA = 1;
  evaluate_specimen(T);
  EXPECT_EQ(T.EPSCON, 0.0f);
  EXPECT_EQ(T.HSOFSH, T.H);
  EXPECT_EQ(T.ASTNIN, 0.0f);
  EXPECT_FALSE(std::isfinite(T.PERBED));  // 0 / 0: no bedding, no consolidation
}

TEST(SpecimenState, TestsAreCountedOverTheRun) {
  TestState S = worked_specimen();
  for (int n = 1; n <= 3; ++n) {
    S.ALPHA = 45;
    evaluate_specimen(S);
    EXPECT_EQ(S.NTEST, n);
  }
}

}  // namespace
}  // namespace velmor::specimen
