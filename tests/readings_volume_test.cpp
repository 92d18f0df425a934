// Times, burette volume, cell corrections, dial conversion, pressures and the
// axial load of each reading.
#include <gtest/gtest.h>

#include <vector>

#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

struct Lab {
  TestState S;
  ReadingTable R;
};

// A short-form test of the normal apparatus with n readings: cell pressure
// 2 kg/cm2, pore pressures used as read, volumes as the burette change.
Lab short_test(int n) {
  Lab t;
  t.S.KDATA = 3;
  t.S.KPPDIR = 1;
  t.S.KVOL = 2;
  t.S.SIG3K = 2;
  t.S.CELLPR = 2;
  t.S.CSLFPR = 0.001f;
  t.S.PSETPR = 2;
  t.S.PRCONS = 0.5f;
  t.S.ARAM = 2;
  t.S.WTRAM = 1;
  t.S.WTCAP = 0.25f;
  t.S.WTXTR = 0.5f;
  t.S.MASS = 100;
  t.S.NREAD = n;
  t.R.clear(n);
  return t;
}

void run_volume_load(Lab& t) {
  for (int I = 1; I <= t.S.NREAD; ++I) reduce_volume_load(t.S, t.R, I);
}

std::vector<float> column(const Column& c) {
  std::vector<float> v;
  for (int I = 1; I <= c.size(); ++I) v.push_back(static_cast<float>(c.at(I)));
  return v;
}

TEST(ReadingsVolume, TimesBuretteAndLeakageFromTheFirstReading) {
  Lab t = short_test(3);
  const float hour[] = {1, 1, 2}, minute[] = {0, 30, 15}, burette[] = {10, 9.5f, 8.25f};
  for (int I = 1; I <= 3; ++I) {
    t.R.THOUR(I) = hour[I - 1];
    t.R.TMIN(I) = minute[I - 1];
    t.R.VOLRD1(I) = burette[I - 1];
    t.R.APSIG3(I) = static_cast<float>(30 - I);
  }
  // Left by an earlier test: the burette change restarts at the first reading.
  t.S.CUMVOL = 99;
  reduce_volume_load(t.S, t.R, 1);
  EXPECT_EQ(t.S.CUMVOL, 0.0f);
  EXPECT_EQ(t.S.DSIG3, 0.0f);  // no previous applied pressure to compare with
  EXPECT_EQ(t.S.KRDG, 1.0f);
  reduce_volume_load(t.S, t.R, 2);
  reduce_volume_load(t.S, t.R, 3);
  EXPECT_EQ(column(t.R.TELAP), (std::vector<float>{60, 90, 135}));
  EXPECT_EQ(column(t.R.DTIME), (std::vector<float>{0, 30, 45}));
  EXPECT_EQ(column(t.R.CUMDUR), (std::vector<float>{0, 30, 75}));
  EXPECT_EQ(column(t.R.DURATN), (std::vector<float>{0, 30, 75}));
  EXPECT_EQ(column(t.R.VOLCH), (std::vector<float>{0, -0.5f, -1.75f}));
  EXPECT_EQ(t.S.DVOL, -1.75f);  // KVOL 2: the burette change itself
  EXPECT_EQ(t.S.KRDG, 1.0f);    // the normal apparatus does not count readings on
  EXPECT_EQ(t.S.KTVC, 0.0f);
  // Leakage at the cell pressure: 2 * 0.001 * 30, then + 2 * 0.001 * 45.
  EXPECT_EQ(t.S.CUMLEK, 0.15f);
}

TEST(ReadingsVolume, BuretteOfTheReadingServesBothReadingsOfTheDifference) {
  Lab t = short_test(3);
  const float b1[] = {10, 9, 8}, b2[] = {20, 19, 15}, sel[] = {1, 1, 2};
  for (int I = 1; I <= 3; ++I) {
    t.R.VOLRD1(I) = b1[I - 1];
    t.R.VOLRD2(I) = b2[I - 1];
    t.R.KBUR(I) = sel[I - 1];
  }
  run_volume_load(t);
  EXPECT_EQ(column(t.R.VOLCH), (std::vector<float>{0, -1, -5}));  // -1 + (15 - 19)
}

TEST(ReadingsVolume, FewerMinutesAtTheSameHourGiveANegativeInterval) {
  Lab t = short_test(2);
  t.R.TMIN(1) = 30;
  t.R.TMIN(2) = 10;
  run_volume_load(t);
  EXPECT_EQ(t.R.DTIME(2), -20.0f);
  EXPECT_EQ(t.S.CUMLEK, -0.040000003f);
}

TEST(ReadingsVolume, NetVolumeChangeByOption) {
  const struct {
    float kvol, dvol1, dvol2;
  } cases[] = {
      {1, 0, 0},
      {2, 0, -0.5f},
      // Burette, ram intrusion and leakage; the first reading already has a ram volume.
      {3, -0.508f, -0.20200002f},
      {2.5f, -0.508f, -0.20200002f},  // compared exactly: any other value corrects fully
  };
  for (const auto& c : cases) {
    Lab t = short_test(2);
    t.S.KVOL = c.kvol;
    t.R.VOLRD1(1) = 10;
    t.R.VOLRD1(2) = 9.5f;
    t.R.RAMDSP(1) = 100;
    t.R.RAMDSP(2) = 150;
    t.R.TMIN(2) = 30;
    reduce_volume_load(t.S, t.R, 1);
    EXPECT_EQ(t.S.DVOL, c.dvol1) << c.kvol;
    reduce_volume_load(t.S, t.R, 2);
    EXPECT_EQ(t.S.DVOL, c.dvol2) << c.kvol;
  }
}

// Special apparatus, five readings at 0, 10, 1410, 1422 and 2822 min; the
// applied pressure falls by 3.5 psi at readings 3 and 4.
TEST(ReadingsVolume, CellCorrectionsOfTheSpecialApparatus) {
  Lab t = short_test(5);
  t.S.KDATA = 7.85f;
  t.S.KSPEC = 9;
  t.S.KVOL = 0;
  t.S.CTV1 = 0.02f;
  t.S.CTV2 = 0.0005f;
  t.S.CPV0 = 0.5f;
  t.S.CPV1 = 0.25f;
  t.S.CPV2 = 0.125f;
  t.S.CPV3 = 0.0625f;
  t.S.CPV4 = 0.03125f;
  t.S.CPV5 = 0.0078125f;
  t.S.CC1 = 0.5f;
  t.S.CC2 = 0.1f;
  t.S.CC3 = 0.01f;
  t.S.VCELL0 = 0.2f;
  const float minute[] = {0, 10, 1410, 1422, 2822}, applied[] = {80, 80, 76.5f, 73, 73};
  for (int I = 1; I <= 5; ++I) {
    t.R.TMIN(I) = minute[I - 1];
    t.R.APSIG3(I) = applied[I - 1];
  }
  const struct {
    float krdg, ktvc, vcort, vcorp, sig3uc, cumlek, dialcr, vcell, dvol;
  } want[] = {
      {2, 1, 0, 0, 5.661f, 0, 0, 7.649368f, 7.649368f},
      {3, 2, 0.25f, 0, 5.661f, 0.05646f, 0, 7.649368f, 7.9558277f},
      // An interval of exactly 1400 min: no pressure-change correction.
      {4, 3, 0, 0, 5.41495f, 7.61639f, 0.12915f, 7.0273976f, 14.643787f},
      // (0.747 - polynomial at DTM10 = 2, i.e. 2.75) * 3.5 / 17.5; no count.
      {4, 4, 0, -0.40060002f, 5.1689f, 7.678237f, 0.2583f, 6.437205f, 13.714842f},
      {5, 5, 0, 0, 5.1689f, 14.893697f, 0.2583f, 6.437205f, 21.330902f},
  };
  for (int I = 1; I <= 5; ++I) {
    const auto& w = want[I - 1];
    reduce_volume_load(t.S, t.R, I);
    EXPECT_EQ(t.S.KRDG, w.krdg) << I;
    EXPECT_EQ(t.S.KTVC, w.ktvc) << I;
    EXPECT_EQ(t.S.VCORT, w.vcort) << I;
    EXPECT_EQ(t.S.VCORP, w.vcorp) << I;
    EXPECT_EQ(t.R.SIG3UC(I), w.sig3uc) << I;
    EXPECT_EQ(t.S.CUMLEK, w.cumlek) << I;  // leakage pressure APSIG3 * 0.0703 + 0.022
    EXPECT_EQ(t.S.DIALCR, w.dialcr) << I;
    EXPECT_EQ(t.S.VCELL, w.vcell) << I;
    EXPECT_EQ(t.S.DVOL, w.dvol) << I;
  }
  EXPECT_EQ(column(t.R.DTM10), (std::vector<float>{0, 0, 0, 2, 0}));
}

TEST(ReadingsVolume, CellPressureOnTheSpecimenByDataForm) {
  const struct {
    float kdata, kspec, sig3uc, pleak;
  } cases[] = {
      {3, 0, 2, 2},                // short form: the test's cell pressure
      {7, 9, 2.849f, 2.8339999f},  // special: 0.037 here, 0.022 for leakage
      {7, 0, 2.8700001f, 2},       // full form: the gauge calibration
  };
  for (const auto& c : cases) {
    Lab t = short_test(1);
    t.S.KDATA = c.kdata;
    t.S.KSPEC = c.kspec;
    t.S.CPSLOP = 0.0705f;
    t.S.CPCON = 0.05f;
    t.R.APSIG3(1) = 40;
    reduce_volume_load(t.S, t.R, 1);
    EXPECT_EQ(t.R.SIG3UC(1), c.sig3uc) << c.kdata << " " << c.kspec;
    EXPECT_EQ(t.S.PLEAK, c.pleak) << c.kdata << " " << c.kspec;
  }
}

TEST(ReadingsVolume, DialToCentimetresWithTheCellPressureCorrection) {
  const struct {
    float dialk, sdial, ramdsp;
  } cases[] = {
      {0, 0.25493726f, 0.254f},  // 0 stands for 0.001 in = 0.00254 cm
      {0.00254f, 0.25493726f, 0.254f},
      {0.001f, 0.10036901f, 0.1f},
  };
  for (const auto& c : cases) {
    Lab t = short_test(2);
    t.S.KDATA = 7;
    t.S.DIALK = c.dialk;
    t.R.APSIG3(1) = 40;
    t.R.APSIG3(2) = 30;  // a drop of 10 psi: 0.369 divisions
    t.R.SDIAL(2) = 100;
    t.R.RAMDSP(2) = 100;
    run_volume_load(t);
    EXPECT_EQ(t.S.DIALCR, 0.369f);
    EXPECT_EQ(t.R.SDIAL(2), c.sdial) << c.dialk;
    EXPECT_EQ(t.R.RAMDSP(2), c.ramdsp) << c.dialk;  // the ram carries no dial correction
  }
}

TEST(ReadingsVolume, PorePressureByInstrument) {
  const struct {
    float kdata, kppdir, kppcf, para2, pp;
  } cases[] = {
      {1, 1, 1, 0, 4.75f},         // coefficients with the auxiliary reading
      {1, 1, 0, 0, 0.95299995f},   // gauge calibration; KPPDIR does not apply to KDATA 1
      {3, 1, 0, 3.5f, 10},         // used as read
      {3, 0, 0, 0, 0.998f},        // manometer
      {3, 0, 0, 1.5f, 0.998f},     // manometer: any code below 2
      {3, 0, 0, 2, 1.0988f},       // manometer over its range
      {3, 0, 0, 2.5f, 0.493625f},  // transducer from its zero
      {3, 0, 0, 3, 0.493625f},     // transducer up to code 3 itself
      {3, 0, 0, 3.5f, 0.6727f},    // gauge in psi
  };
  for (const auto& c : cases) {
    Lab t = short_test(1);
    t.S.KDATA = c.kdata;
    t.S.KPPDIR = c.kppdir;
    t.S.COEF1M = 0.5f;
    t.S.COEF01 = 0.25f;
    t.S.COEF2M = 0.125f;
    t.S.PPSLOP = 0.0703f;
    t.S.PPCON = 0.25f;
    t.S.ZEROM = 50;
    t.S.DMANR = 4;
    t.S.ZEROLF = 2.5f;
    t.R.PP(1) = 10;
    t.R.PPAUX(1) = 4;
    t.R.KPPCF(1) = c.kppcf;
    t.R.PARA2(1) = c.para2;
    reduce_volume_load(t.S, t.R, 1);
    EXPECT_EQ(t.R.PP(1), c.pp) << c.kdata << " " << c.kppdir << " " << c.para2;
  }
}

// Ring 20 divisions of 0.5 kgf, weights 0.25 + 1 + 0.5, ram area 2 cm2,
// specimen 100 g.
TEST(ReadingsVolume, AxialLoadWithOrWithoutTheRamThrust) {
  const struct {
    float psetpr, sig3k, paxial;
  } cases[] = {
      {0, 2, 7.8f},       // thrust of this reading's cell pressure taken off
      {1, 0.25f, 11.3f},  // thrust 0.5 below the ram weight 1: likewise
      {1, 2, 10.8f},      // ram weight taken off instead
      {2, 0.25f, 10.8f},  // the thrust test belongs to PSETPR 1 only
  };
  for (const auto& c : cases) {
    Lab t = short_test(1);
    t.S.PSETPR = c.psetpr;
    t.S.SIG3K = c.sig3k;
    t.S.WTOT = 99;  // formed again from the current weights
    t.R.PRDIAL(1) = 20;
    reduce_volume_load(t.S, t.R, 1);
    EXPECT_EQ(t.S.WTOT, 1.75f);
    EXPECT_EQ(t.S.PAXIAL, c.paxial) << c.psetpr << " " << c.sig3k;
  }
}

}  // namespace
}  // namespace velmor::readings
