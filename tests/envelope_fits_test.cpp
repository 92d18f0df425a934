// Envelope fits by selector, points on a line through the origin, a falling
// envelope, degenerate data, the rounding of SIGTOP and the summary table.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "envelope/envfit.hpp"

namespace velmor {
namespace {

struct Lines : control::RecordSink {
  std::vector<std::string> v;
  void record(std::string_view rec) override { v.emplace_back(rec); }
};

// Both columns hold the same points.
envelope::Table table(std::initializer_list<float> v) {
  envelope::Table t;
  for (float x : v) t.push_back({Real(x), Real(x)});
  return t;
}

// Results of an earlier call that a fit which does not run must leave alone.
constexpr float kOld = 7;
void mark_results(TestState& S) {
  for (std::size_t m = 0; m < 2; ++m) {
    S.PHIORG[m] = kOld;
    S.COFC0[m] = kOld;
    S.PHILRG[m] = kOld;
    S.COHESN[m] = kOld;
    S.BEXPNT[m] = kOld;
    S.ACONST[m] = kOld;
  }
}

TEST(EnvelopeFits, FitsRunBySelector) {
  // Points on TAU = 0.5 SIG: every fit that runs has a definite value.
  const struct {
    int iparrg;
    bool origin, linear;
  } cases[] = {{1, true, false}, {2, false, true}, {3, true, true}, {4, true, false},
               {5, true, true},  {6, true, false}, {9, true, false}};
  for (const auto& c : cases) {
    TestState S;
    S.IPARRG = c.iparrg;
    S.KFIT = 7;
    mark_results(S);
    envelope::fit_envelopes(S, table({100, 200, 300}), table({50, 100, 150}), 3, 2);
    for (std::size_t m = 0; m < 2; ++m) {
      EXPECT_EQ(S.COFCOR[m], 1.0) << c.iparrg;  // in every call
      EXPECT_EQ(S.COFC0[m] != kOld, c.origin) << c.iparrg;
      EXPECT_EQ(S.PHIORG[m] != kOld, c.origin) << c.iparrg;
      EXPECT_EQ(S.PHILRG[m] != kOld, c.linear) << c.iparrg;
      EXPECT_EQ(S.COHESN[m] != kOld, c.linear) << c.iparrg;
      EXPECT_EQ(S.BEXPNT[m], kOld) << c.iparrg;  // only in the power-curve pass
      EXPECT_EQ(S.ACONST[m], kOld) << c.iparrg;
    }
  }
}

TEST(EnvelopeFits, LineThroughTheOrigin) {
  TestState S;
  S.IPARRG = 3;
  S.KFIT = 7;
  envelope::fit_envelopes(S, table({100, 200, 300}), table({50, 100, 150}), 3, 2);
  EXPECT_EQ(S.COFC0[0], 1.0);
  // The slope 0.5 is the sine of 30 degrees (converted with PI = 3.141593).
  EXPECT_NEAR(S.PHIORG[0], 30.0, 1e-5);
  EXPECT_NEAR(S.PHILRG[0], 30.0, 1e-5);
  EXPECT_NEAR(S.COHESN[0], 0.0, 1e-3);
}

TEST(EnvelopeFits, FallingEnvelopeKeepsAPositiveCorrelation) {
  TestState S;
  S.IPARRG = 2;
  S.KFIT = 7;
  envelope::fit_envelopes(S, table({100, 200}), table({110, 60}), 2, 2);
  EXPECT_EQ(S.COFCOR[0], 1.0);
  EXPECT_NEAR(S.PHILRG[0], -30.0, 1e-5);
  // Intercept 160 = COHESN cos(-30 deg).
  EXPECT_NEAR(S.COHESN[0], 184.752, 1e-3);
}

TEST(EnvelopeFits, PowerCurvePassFitsTheLogarithms) {
  TestState S;
  S.IPARRG = 5;
  S.KFIT = 8;
  envelope::Table sig, tau;
  for (float s : {100.0f, 400.0f}) sig.push_back({Real(std::log(s)), Real(std::log(s))});
  for (float t : {50.0f, 100.0f}) tau.push_back({Real(std::log(t)), Real(std::log(t))});
  envelope::fit_envelopes(S, sig, tau, 2, 2);
  for (std::size_t m = 0; m < 2; ++m) {
    EXPECT_NEAR(S.BEXPNT[m], 0.5, 1e-6);
    EXPECT_NEAR(S.ACONST[m], 5.0, 5e-5);
    // Two points are on a line; the single-precision centred sums of the
    // logarithms leave a few units in the sixth digit.
    EXPECT_NEAR(S.COFCOR[m], 1.0, 1e-5);
  }
}

TEST(EnvelopeFits, EqualStressesGiveUndefinedFitsThatArePrinted) {
  // All SIG equal: SXX = 0, so the correlation and the regression line are
  // undefined; the report goes on and shows them as NaN.
  TestState S;
  S.IPARRG = 2;
  S.KFIT = 7;
  Lines out;
  envelope::envfit(out, S, table({100, 100}), table({60, 70}), 2, 2);
  EXPECT_TRUE(std::isnan(S.COFCOR[0]));
  EXPECT_TRUE(std::isnan(S.PHILRG[0]));
  ASSERT_EQ(out.v.size(), 12u);
  EXPECT_EQ(out.v[8].substr(0, 34), " COEF. OF COR. WITH C, COFCOR: NaN");
  EXPECT_EQ(out.v[11].substr(0, 42), std::string(22, ' ') + "PHILRG (deg):" + "   " + " NaN");
}

TEST(EnvelopeReport, SigtopRoundedToTheNextHundredInIntegers) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float sigtop, rounded;
  } cases[] = {
      {250, 300}, {300, 400}, {40, 100}, {0, 100}, {99.99f, 100}, {-250, -100}, {-50, 100},
      {1e30f, 2147483647.0f},  // saturates at the largest integer
      {-1e30f, -2147483648.0f}, {nan, 100},
  };
  for (const auto& c : cases) {
    TestState S;
    S.IPARRG = 7;
    S.KFIT = 7;
    S.SIGTOP = c.sigtop;
    Lines out;
    envelope::write_envelope_report(out, S, table({1, 2}), table({1, 2}), 2, 2);
    EXPECT_EQ(S.SIGTOP.v, c.rounded) << c.sigtop;
    EXPECT_EQ(S.SIGSTR[4].v, c.rounded) << c.sigtop;
  }
}

TEST(EnvelopeReport, SummaryOfPeakAndTotalStress) {
  TestState S;
  S.IPARRG = 7;
  S.KFIT = 7;
  S.KPRINT = 0;
  envelope::Table sig{{Real(100), Real(150.5f)}, {Real(200), Real(275.25f)},
                      {Real(300), Real(-12)}};
  envelope::Table tau{{Real(60), Real(60)}, {Real(110), Real(110)}, {Real(150), Real(1e6f)}};
  Lines out;
  envelope::envfit(out, S, sig, tau, 3, 2);
  const std::vector<std::string> want{
      "",
      "  SUMMARY OF ALL TESTS:" + std::string(20, ' ') + "AT PEAK STRENGTH ",
      "  NOTE: SIG = (S1+S3)/2 (KPA)       EFFECTIVE STR.   TOTAL STRESS",
      "        TAU = (S1-S3)/2 (KPA)       SIG    TAU      SIG    TAU",
      std::string(36, ' ') + std::string(28, '-'),
      // TR34, then per column 2F7.1 and TR2
      std::string(34, ' ') + "  100.0   60.0    150.5   60.0",
      std::string(34, ' ') + "  200.0  110.0    275.3  110.0",  // 275.25 is a tie
      std::string(34, ' ') + "  300.0  150.0    -12.0*******",
  };
  EXPECT_EQ(out.v, want);
}

}  // namespace
}  // namespace velmor
