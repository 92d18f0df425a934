// Reading preparation and the per-reading reduction.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "readings/reduction.hpp"
#include "specimen/calibration.hpp"
#include "specimen/initial_state.hpp"

namespace velmor::readings {
namespace {

// A short-form test of the normal apparatus with n readings, ready for the
// reading reduction.
struct Specimen {
  TestState S;
  ReadingTable R;
  explicit Specimen(int n, float kdata = 1) {
    S.KDATA = kdata;
    S.PRCONS = 0.15f;
    S.ARAM = 1.2667686f;
    S.WTRAM = 0.35f;
    S.WTCAP = 0.2f;
    S.PSETPR = 1;
    S.CPSLOP = 0.0703f;
    S.PPSLOP = 0.0703f;
    S.CELLPR = 40;
    S.MASS = 150;
    S.WCINL = 0.2f;
    S.GS = 2.7f;
    S.D = 3.8f;
    S.H = 7.6f;
    S.EXTM = 0.35f;
    S.PM = 12;
    S.FRACA = 0.98f;
    S.PCFPSD = 6;
    S.ACTKFP = 0.19f;
    S.ALPHA = 45;
    S.WCOATA = 9999;
    S.KVOL = 3;
    S.SIG3K = 40 * 0.0703f;
    S.NREAD = n;
    S.NSEAT = static_cast<int>(static_cast<float>(n) * 0.8f);
    specimen::calibrate(S);
    specimen::evaluate_specimen(S);
    R.clear(n);
    for (int I = 1; I <= n; ++I) {
      R.TMIN(I) = static_cast<float>(15 * (I - 1));
      R.SDIAL(I) = static_cast<float>(20 * (I - 1));
      R.PRDIAL(I) = static_cast<float>(30 * (I - 1));
      R.APSIG3(I) = 40;
    }
  }
  void run() {
    prepare_readings(S, R);
    reduce_readings(S, R);
  }
};

TEST(ReadingsPreparation, DaysAndHoursBecomeRunningMaxima) {
  Specimen t(4, 7);
  const float days[] = {0, 1, 0, 2}, hours[] = {5, 3, 7, 1}, mins[] = {30, 10, 50, 0};
  for (int I = 1; I <= 4; ++I) {
    t.R.TDAY(I) = days[I - 1];
    t.R.THOUR(I) = hours[I - 1];
    t.R.TMIN(I) = mins[I - 1];
  }
  prepare_readings(t.S, t.R);
  const float want_days[] = {0, 1, 1, 2}, want_hours[] = {5, 5, 7, 7};
  for (int I = 1; I <= 4; ++I) {
    EXPECT_EQ(t.R.TDAY(I), want_days[I - 1]) << I;
    EXPECT_EQ(t.R.THOUR(I), want_hours[I - 1]) << I;  // corrected on its own, across a day
    EXPECT_EQ(t.R.TMIN(I), mins[I - 1]) << I;
  }
}

// Readings whose load-deformation gradients over rows 2.. are `g` (dial
// steps of 10 divisions).
Specimen with_gradients(const std::vector<float>& g) {
  const int n = static_cast<int>(g.size()) + 2;
  Specimen t(n);
  t.S.KOPT = 1;
  t.S.NSEAT = static_cast<int>(g.size()) + 1;
  float ring = 0;
  for (int I = 1; I <= n; ++I) {
    t.R.SDIAL(I) = static_cast<float>(10 * (I - 1));
    if (I >= 2) ring += 10 * (I - 2 < static_cast<int>(g.size()) ? g[static_cast<std::size_t>(I - 2)] : 1.0f);
    t.R.PRDIAL(I) = ring;
  }
  return t;
}

TEST(ReadingsPreparation, SeatingReadingIsTheFirstLargestGradient) {
  Specimen t = with_gradients({1, 3, 2, 3, 1});
  prepare_readings(t.S, t.R);
  EXPECT_EQ(t.S.IGMAX, 3);
  EXPECT_EQ(t.S.IGMAX1, 2);
  EXPECT_TRUE(t.S.SEATED);
  // PSETPR not 0: the line through (SDIAL(2), PRDIAL(2)) = (10, 10) with slope 3
  // reaches zero load at 10 - 10/3.
  EXPECT_FLOAT_EQ(t.S.SEATCR.v, static_cast<float>(10.0 - 10.0 / 3.0));
  EXPECT_FLOAT_EQ(t.R.SDIAL(1).v, 0.0f);
  EXPECT_FLOAT_EQ(t.R.SDIAL(2).v, static_cast<float>(10.0 / 3.0));  // both rules agree here
  EXPECT_FLOAT_EQ(t.R.SDIAL(7).v, static_cast<float>(60.0 - t.S.SEATCR));

  Specimen rising = with_gradients({1, 2, 3, 4});
  prepare_readings(rising.S, rising.R);
  EXPECT_EQ(rising.S.IGMAX, rising.S.NSEAT);
  EXPECT_EQ(rising.S.IGMAX1, rising.S.NSEAT - 1);
}

TEST(ReadingsPreparation, NetRingReadingWithTheRamThrust) {
  Specimen t = with_gradients({1, 3, 2, 3, 1});
  t.S.PSETPR = 0;
  // Ram thrust less ram weight, in ring divisions: (SIG3K * ARAM - WTRAM) / PRCONS.
  const double ram = (t.S.SIG3K * t.S.ARAM - t.S.WTRAM) / t.S.PRCONS;
  prepare_readings(t.S, t.R);
  EXPECT_FLOAT_EQ(t.S.PRDSEA.v, static_cast<float>(10.0 - ram));
  EXPECT_EQ(t.R.SDIAL(1), 0.0f);  // below the ram term: no net load
}

TEST(ReadingsPreparation, SeatingIsSkippedWhereNoLineCanBeDrawn) {
  Specimen few = with_gradients({1});  // NSEAT 2: no pair of gradients to compare
  prepare_readings(few.S, few.R);
  EXPECT_FALSE(few.S.SEATED);
  EXPECT_EQ(few.S.SEATCR, 0.0f);
  EXPECT_EQ(few.R.SDIAL(3), 20.0f);

  Specimen flat = with_gradients({0, 0, 0, 0});
  prepare_readings(flat.S, flat.R);
  EXPECT_FALSE(flat.S.SEATED);
  EXPECT_EQ(flat.R.SDIAL(3), 20.0f);

  Specimen full = with_gradients({1, 3, 2, 3, 1});
  full.S.KDATA = 7;  // an option left by an earlier short-form test
  prepare_readings(full.S, full.R);
  EXPECT_FALSE(full.S.SEATED);
  EXPECT_EQ(full.R.SDIAL(3), 20.0f);
}

TEST(ReadingsVolume, PorePressureByInstrument) {
  const struct {
    float kdata, kppdir, kppcf, para2, expected;
  } cases[] = {
      {1, 0, 1, 0, static_cast<float>((0.5 * 10 + 0.1) - 0.2 * 3)},
      {1, 0, 0, 0, static_cast<float>(0.0703f * 10 + 0.3f)},
      {3, 1, 0, 0, 10},
      {3, 0, 0, 1.5f, static_cast<float>((50 - 10) * 0.0252f - 0.01f)},
      {3, 0, 0, 2, static_cast<float>(((50 + 4) - 10) * 0.0252f - 0.01f)},
      {3, 0, 0, 3, static_cast<float>((10 - 2.5f) * 0.06715f - 0.01f)},
      {3, 0, 0, 3.5f, static_cast<float>((10 - 1) * 0.0703f + 0.04f)},
  };
  for (const auto& c : cases) {
    Specimen t(1, c.kdata);
    t.S.KPPDIR = c.kppdir;
    t.S.COEF01 = 0.1f;
    t.S.COEF1M = 0.5f;
    t.S.COEF2M = 0.2f;
    t.S.PPCON = 0.3f;
    t.S.ZEROM = 50;
    t.S.DMANR = 4;
    t.S.ZEROLF = 2.5f;
    t.R.PP(1) = 10;
    t.R.PPAUX(1) = 3;
    t.R.KPPCF(1) = c.kppcf;
    t.R.PARA2(1) = c.para2;
    reduce_volume_load(t.S, t.R, 1);
    EXPECT_FLOAT_EQ(t.R.PP(1).v, c.expected) << c.kdata << " " << c.para2;
  }
}

TEST(ReadingsVolume, LoadBranches) {
  const struct {
    float psetpr, sig3k;
    bool ram_thrust;
  } cases[] = {{0, 2.8f, true}, {1, 0.1f, true}, {1, 2.8f, false}, {2, 0.1f, false}};
  for (const auto& c : cases) {
    Specimen t(1);
    t.S.PSETPR = c.psetpr;
    t.S.SIG3K = c.sig3k;
    t.R.PRDIAL(1) = 100;
    reduce_volume_load(t.S, t.R, 1);
    const double base = 150.0 / 2000 + (0.15f * 100.0 + (0.2f + 0.35f));
    const double expected = c.ram_thrust ? base - 1.2667686f * c.sig3k : base - 0.35f;
    EXPECT_NEAR(t.S.PAXIAL, expected, 1e-5) << c.psetpr << " " << c.sig3k;
  }
}

TEST(ReadingsVolume, BuretteOfTheReadingAndDialConstant) {
  Specimen t(2);
  t.R.VOLRD1(1) = 10;
  t.R.VOLRD1(2) = 11;
  t.R.VOLRD2(1) = 20;
  t.R.VOLRD2(2) = 25;
  t.R.KBUR(2) = 2;
  t.S.DIALK = 0.00254f;
  reduce_volume_load(t.S, t.R, 1);
  reduce_volume_load(t.S, t.R, 2);
  EXPECT_EQ(t.R.VOLCH(2), 5.0f);  // burette 2 for both readings of the difference
  EXPECT_EQ(t.R.DTIME(2), 15.0f);
  EXPECT_EQ(t.R.SDIAL(2).v, static_cast<float>(20 * 0.00254f));  // same as DIALK 0
}

TEST(ReadingsVolume, PressureChangeCorrectionOfTheSpecialApparatus) {
  Specimen t(4, 7.85f);
  t.S.KSPEC = 9;
  t.S.CPV0 = 0.01553905f;
  const float minutes[] = {0, 10, 1410, 1420};
  for (int I = 1; I <= 4; ++I) {
    t.R.TMIN(I) = minutes[I - 1];
    t.R.APSIG3(I) = static_cast<float>(80 - I);
  }
  reduce_volume_load(t.S, t.R, 1);
  reduce_volume_load(t.S, t.R, 2);
  EXPECT_EQ(t.S.KRDG, 3.0f);
  reduce_volume_load(t.S, t.R, 3);  // an interval of 1400 minutes: no correction
  EXPECT_EQ(t.S.VCORP, 0.0f);
  EXPECT_EQ(t.S.KRDG, 4.0f);
  reduce_volume_load(t.S, t.R, 4);
  EXPECT_NE(t.S.VCORP, 0.0f);
  EXPECT_EQ(t.S.KRDG, 4.0f);
  EXPECT_EQ(t.R.DTM10(4), 0.0f);
}

TEST(ReadingsCorrections, FilterPaperFullyMobilisedAboveTwoAndAHalfPercent) {
  for (const double strain : {0.025, 0.0251}) {
    Specimen t(1);
    t.S.EPSCON = 0;
    t.S.H = 10;
    t.R.SDIAL(1) = static_cast<float>(strain * 10);
    strain_step(t.S, t.R, 1);
    correct_before_plane(t.S, t.R, 1);
    if (t.S.EPSMEM - 0.025f > 0) {
      EXPECT_EQ(t.S.FPKF, t.S.ACTKFP);
    } else {
      EXPECT_NE(t.S.FPKF, t.S.ACTKFP);
      EXPECT_GT(t.S.FPKF, 0.0f);
    }
  }
}

TEST(ReadingsShearPlane, ReferenceReadingIsTheLastBeforeThePlane) {
  Specimen t(9, 7);
  t.S.ALPHA = 55;  // evaluate again with an inclined plane
  t.S.NTEST = 0;
  specimen::evaluate_specimen(t.S);
  for (int I = 6; I <= 9; ++I) t.R.PARA3(I) = 1;
  t.S.CPSLOP = 0.0703f;
  t.run();
  EXPECT_EQ(t.S.NPOST, 4);
  EXPECT_EQ(t.S.IREF, 5);
  EXPECT_EQ(t.R.CMS1DS(9), t.R.CM1PRE(5));
  EXPECT_EQ(t.R.CFS1DS(7), t.R.CFSIG1(5));
  EXPECT_LT(t.R.ERRAC(9), 0.0f);  // the linear approximation lies below the overlap
}

TEST(ReadingsShearPlane, NoSlidingKeepsTheArea) {
  Specimen t(2, 7);
  t.S.ALPHA = 55;
  t.S.NTEST = 0;
  specimen::evaluate_specimen(t.S);
  t.R.SDIAL(2) = 0;
  t.R.PRDIAL(2) = 0;
  t.R.PARA3(2) = 1;
  t.S.KVOL = 1;
  t.run();
  EXPECT_EQ(t.S.DELS, 0.0f);
  EXPECT_NEAR(t.R.CORAR(2), t.R.CORAR(1), 1e-5 * t.R.CORAR(1));
  EXPECT_EQ(t.R.CMDELR(2), 0.0f);
}

TEST(ReadingsShearPlane, FirstReadingPastThePlaneHasNoReference) {
  Specimen t(2, 7);
  t.R.PARA3(1) = 1;
  t.R.PARA3(2) = 1;
  t.run();
  EXPECT_EQ(t.S.NPOST, 1);  // reading 1 is reduced before the plane
  EXPECT_EQ(t.R.CMS1DS(2), t.R.CM1PRE(1));
  EXPECT_TRUE(std::isfinite(t.R.CORAR(1)));
}

TEST(ReadingsPeak, FailureReadingAndTime) {
  const struct {
    std::vector<float> devsc;
    int ifail;
  } cases[] = {{{1, 2, 3, 4}, 4}, {{4, 3, 2, 1}, 1}, {{1, 2, 2, 1}, 2}, {{1, 3, 2, 4}, 4}, {{5}, 1}};
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.devsc.size());
    Specimen t(n);
    for (int I = 1; I <= n; ++I) {
      t.R.DTIME(I) = I == 1 ? 0.0f : 30.0f;
      t.R.DEVSC(I) = c.devsc[static_cast<std::size_t>(I - 1)];
      derive_reading(t.S, t.R, I);
    }
    EXPECT_EQ(t.S.IFAIL, c.ifail);
    EXPECT_FLOAT_EQ(t.S.TCFAIL.v, 0.5f * static_cast<float>(c.ifail - 1));
  }
}

TEST(ReadingsDerived, StartTimeOfFreeFormatReadingsAndDialInThousandths) {
  Specimen t(2, 2);
  t.S.KVOL = 90;
  t.R.DTIME(2) = 30;
  t.R.SDIAL(2) = 0.254f;
  t.R.SIG1C(1) = 2;
  derive_reading(t.S, t.R, 1);
  EXPECT_EQ(t.S.THOURS, 1.5f);
  derive_reading(t.S, t.R, 2);
  EXPECT_EQ(t.S.THOURS, 2.0f);
  EXPECT_NEAR(t.R.SDIALP(2), 100.0, 1e-4);
  EXPECT_EQ(t.R.ERSIG1(1), 0.0f);
}

}  // namespace
}  // namespace velmor::readings
