// Test summary: volume-change slopes with their zero rules, consolidation and
// saturation pressure, bedding and seating shares, the sign of CMS3LR at
// failure.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "report/summary.hpp"

namespace velmor {
namespace {

// A test whose readings have the given axial and volumetric strains (ratios).
struct Strains {
  TestState S;
  ReadingTable R;
  Strains(const std::vector<float>& epsax, const std::vector<float>& epsvol, int ifail) {
    const int n = static_cast<int>(epsax.size());
    S.NREAD = n;
    S.IFAIL = ifail;
    S.SATINL = 0.5f;
    R.clear(n);
    for (int I = 1; I <= n; ++I) {
      R.EPSAX(I) = epsax[static_cast<std::size_t>(I - 1)];
      R.EPSVOL(I) = epsvol[static_cast<std::size_t>(I - 1)];
      R.AXSTRN(I) = R.EPSAX(I) * 100;
      R.PP(I) = 0.5f;
    }
  }
};

TEST(ReportSummary, SlopesAtFailureAndAtTheEnd) {
  const struct {
    const char* what;
    std::vector<float> epsax, epsvol;
    int ifail;
    double dvdhf, dvdue;
  } cases[] = {
      // Slopes -0.1 before and -0.2 after reading 2.
      {"mean of both sides", {0.01f, 0.02f, 0.04f}, {0, -0.001f, -0.005f}, 2, -0.15, -0.2},
      {"no strain before failure", {0.01f, 0.01f, 0.03f}, {0, -0.001f, -0.005f}, 2, 0, -0.2},
      {"no strain after failure", {0.01f, 0.02f, 0.02f}, {0, -0.001f, -0.005f}, 2, 0, 0},
      {"failure at the last reading", {0.01f, 0.02f, 0.04f}, {0, -0.001f, -0.005f}, 3, -0.2,
       -0.2},
      {"last reading, no strain", {0.01f, 0.02f, 0.02f}, {0, -0.001f, -0.005f}, 3, 0, 0},
      {"failure at the first reading", {0.01f, 0.02f, 0.04f}, {0, -0.001f, -0.005f}, 1, -0.1,
       -0.2},
      {"first reading, no strain after", {0.01f, 0.01f, 0.03f}, {0, -0.001f, -0.005f}, 1, 0,
       -0.2},
      {"one reading", {0.01f}, {-0.001f}, 1, 0, 0},
  };
  for (const auto& c : cases) {
    Strains t(c.epsax, c.epsvol, c.ifail);
    report::summarize_test(t.S, t.R);
    EXPECT_NEAR(t.S.DVDHF, c.dvdhf, 1e-5) << c.what;
    EXPECT_NEAR(t.S.DVDUE, c.dvdue, 1e-5) << c.what;
  }
}

TEST(ReportSummary, ConsolidationReferencePressureAndSaturation) {
  // KDWC counts as set when KDWC - 1 >= 0. DEGCON uses PPSAT as read; PPSAT
  // is then recomputed from PP(1).
  const struct {
    float kdwc, ppsat, pp1, satinl;
    float degcon, ppsat_after, bsat;
  } cases[] = {
      {1, 2.0f, 0.5f, 0.5f, 75, 2.0f, 46.15f},
      {2, 4.0f, 1.0f, 0.5f, 75, 4.0f, 46.15f},
      {0, 2.0f, 0.5f, 0.5f, 0, 0.5f, 46.15f},
      {0.99f, 2.0f, 0.5f, 0.5f, 0, 0.5f, 46.15f},
      {0, 2.0f, 0.5f, 0.9f, 0, 0.5f, 5.127778f},  // 0.1 * 0.923 / 0.018
  };
  for (const auto& c : cases) {
    Strains t({0.01f, 0.02f}, {0, 0}, 2);
    t.S.KDWC = c.kdwc;
    t.S.PPSAT = c.ppsat;
    t.S.SATINL = c.satinl;
    t.R.PP(1) = c.pp1;
    report::summarize_test(t.S, t.R);
    EXPECT_FLOAT_EQ(t.S.DEGCON.v, c.degcon) << c.kdwc;
    EXPECT_FLOAT_EQ(t.S.PPSAT.v, c.ppsat_after) << c.kdwc;
    EXPECT_FLOAT_EQ(t.S.PPSOSH.v, c.pp1) << c.kdwc;
    EXPECT_FLOAT_EQ(t.S.BSAT.v, c.bsat) << c.kdwc;
    EXPECT_FLOAT_EQ(t.S.RPPSAT.v, c.ppsat_after / c.bsat) << c.kdwc;
  }
}

TEST(ReportSummary, SaturatedSpecimenNeedsNoPressure) {
  // Unguarded: a fully saturated specimen gives BSAT 0 and an infinite ratio.
  Strains t({0.01f}, {0}, 1);
  t.S.SATINL = 1;
  report::summarize_test(t.S, t.R);
  EXPECT_EQ(t.S.BSAT, 0.0);
  EXPECT_TRUE(std::isinf(t.S.RPPSAT));
}

TEST(ReportSummary, SharesAtFailureStrainRateAndMembraneSign) {
  Strains t({0.01f, 0.05f, 0.06f}, {0, 0, 0}, 2);
  t.S.BEDSNP = 0.5f;
  t.S.STGSTN = 0.25f;
  t.S.STNRAT = 0.02f;
  t.S.KPRINT = 7;
  t.S.IULT = 17;
  for (int I = 1; I <= 3; ++I) t.R.CMS3LR(I) = 0.01f * static_cast<float>(I);
  report::summarize_test(t.S, t.R);
  EXPECT_FLOAT_EQ(t.S.BEDPER.v, 10.0f);  // 0.5 % of an axial strain of 5 %
  EXPECT_FLOAT_EQ(t.S.STGPER.v, 5.0f);
  EXPECT_FLOAT_EQ(t.S.STNRAT.v, 0.508f);  // in/min to mm/min
  EXPECT_EQ(t.S.KF, 2);
  EXPECT_EQ(t.S.IULT, 17);  // searched only for KPRINT 9
  EXPECT_FLOAT_EQ(t.R.CMS3LR(1).v, 0.01f);
  EXPECT_FLOAT_EQ(t.R.CMS3LR(2).v, -0.02f);  // only at the failure reading
  EXPECT_FLOAT_EQ(t.R.CMS3LR(3).v, 0.03f);
}

}  // namespace
}  // namespace velmor
