// Test summary, report lines of a test, and the envelope fits with their report.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "control/sinks.hpp"
#include "envelope/envfit.hpp"
#include "report/summary.hpp"
#include "report/tables.hpp"

namespace velmor {
namespace {

struct Summary {
  TestState S;
  ReadingTable R;
  explicit Summary(const std::vector<float>& devsc) {
    const int n = static_cast<int>(devsc.size());
    S.NREAD = n;
    S.KPRINT = 9;
    S.SATINL = 0.5f;
    R.clear(n);
    for (int I = 1; I <= n; ++I) {
      R.DEVSC(I) = devsc[static_cast<std::size_t>(I - 1)];
      R.EPSAX(I) = 0.01f * static_cast<float>(I);
      R.EPSVOL(I) = -0.002f * static_cast<float>(I * I);
      R.AXSTRN(I) = R.EPSAX(I) * 100;
      R.PP(I) = 0.5f;
    }
    S.IFAIL = 1;
    for (int I = 2; I <= n; ++I) {
      if (R.DEVSC(I) > R.DEVSC(S.IFAIL)) S.IFAIL = I;
    }
  }
};

TEST(ReportSummary, UltimateReadingAmongTheLastThree) {
  const struct {
    std::vector<float> devsc;
    int iult;
  } cases[] = {
      {{1, 2}, 2},          {{2, 1}, 2},          {{1, 2, 3, 4, 5}, 3}, {{1, 5, 3, 3}, 4},
      {{1, 5, 3, 4}, 3},    {{1, 2, 3}, 1},       {{7}, 1},
  };
  for (const auto& c : cases) {
    Summary t(c.devsc);
    report::summarize_test(t.S, t.R);
    EXPECT_EQ(t.S.IULT, c.iult) << c.devsc.size();
  }
}

TEST(ReportSummary, ConsolidationSaturationAndSlopes) {
  Summary t({1, 2, 3, 2});
  t.S.KDWC = 1;
  t.S.PPSAT = 2;
  t.S.STNRAT = 0.01f;
  report::summarize_test(t.S, t.R);
  EXPECT_EQ(t.S.KF, 2);
  EXPECT_FLOAT_EQ(t.S.DEGCON.v, 75.0f);
  EXPECT_FLOAT_EQ(t.S.PPSAT.v, 2.0f);
  EXPECT_FLOAT_EQ(t.S.BSAT.v, 46.15f);
  EXPECT_FLOAT_EQ(t.S.STNRAT.v, 0.254f);
  // EPSVOL = -0.002 I^2 over EPSAX = 0.01 I: slopes -1.0 before and -1.4
  // after the failure reading 3.
  EXPECT_NEAR(t.S.DVDHF, -1.2, 1e-5);
  EXPECT_NEAR(t.S.DVDUE, -1.4, 1e-5);

  Summary u({1, 2, 3, 4});
  report::summarize_test(u.S, u.R);
  EXPECT_EQ(u.S.KF, 1);
  EXPECT_EQ(u.S.DVDHF, u.S.DVDUE);  // failure at the last reading: one-sided
  EXPECT_EQ(u.S.DEGCON, 0.0f);
  EXPECT_EQ(u.S.PPSAT, 0.5f);  // KDWC below 1: PPSAT becomes PP(1)

  Summary first({4, 3, 2});
  report::summarize_test(first.S, first.R);
  EXPECT_NEAR(first.S.DVDHF, -0.6, 1e-5);  // only the slope after failure
}

TEST(ReportSummary, TestWithoutReadings) {
  Summary t({});
  t.S.IFAIL = 0;
  t.S.PARREG = 1;
  t.S.NTEST = 1;
  report::summarize_test(t.S, t.R);
  EXPECT_EQ(t.S.KF, 0);
  EXPECT_EQ(t.S.DVDHF, 0.0f);
  EXPECT_EQ(t.S.DVDUE, 0.0f);
  EXPECT_EQ(t.S.PPSOSH, 0.0f);
  EnvelopeTable E;
  report::capture_envelope_point(t.S, t.R, E);
  EXPECT_TRUE(E.SIGENV.empty());
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t a = 0;
  for (std::size_t e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2) {
    out.push_back(text.substr(a, e - a));
  }
  return out;
}

TEST(ReportTables, KfLineAndSeatingLine) {
  Summary t({1, 2, 3});
  t.S.KPRINT = 0;
  report::summarize_test(t.S, t.R);
  control::StringSink out;
  report::write_test_tables(out, t.S, t.R);
  EXPECT_NE(out.text.find("\r\n KF=  1          TEST NO: 0.00"), std::string::npos);

  t.S.KPRINT = 7;
  t.S.KOPT = 1;
  t.S.SEATED = false;
  t.S.SEATCR = 12;
  control::StringSink kpa;
  report::write_test_tables(kpa, t.S, t.R);
  const auto l = lines(kpa.text);
  EXPECT_EQ(l.back(), "              MAX.SEATING COR.=   0.0 DIVS.;      MAX. GRDPRS = 0.000");
  t.S.KDATA = 7;  // never for a full-form test
  control::StringSink full;
  report::write_test_tables(full, t.S, t.R);
  EXPECT_EQ(full.text.find("MAX.SEATING"), std::string::npos);
  t.S.KPRINT = 8;
  control::StringSink none;
  report::write_test_tables(none, t.S, t.R);
  EXPECT_EQ(none.text, "");
}

envelope::Table table(std::initializer_list<float> v) {
  envelope::Table t;
  for (float x : v) t.push_back({Real(x), Real(x)});
  return t;
}

TEST(EnvelopeFits, TwoTestsInAColumn) {
  TestState S;
  S.IPARRG = 5;
  S.KFIT = 7;
  S.SIGTOP = 200;
  control::StringSink out;
  envelope::envfit(out, S, table({100, 200}), table({60, 110}), 2, 2);
  const auto l = lines(out.text);
  ASSERT_EQ(l.size(), 16u);
  EXPECT_EQ(l[5], "                                    100.0   60.0    100.0   60.0");
  EXPECT_EQ(l[8], " COEF. OF CORRELATION FOR C = ZERO:  0.991968        0.991968");
  EXPECT_EQ(l[10], " REGR.FORCED THRO.ORIGIN.PHI (deg):    34.056          34.056");
  EXPECT_EQ(l[12], " COEF. OF COR. WITH C, COFCOR:        1.000000        1.000000");
  EXPECT_EQ(l[14], " ORDINARY LINEAR REGR.COHESN (kPa):    11.547          11.547");
  EXPECT_EQ(l[15], "                      PHILRG (deg):    30.000          30.000");
}

TEST(EnvelopeFits, PowerCurveAndStrengthTable) {
  TestState S;
  S.IPARRG = 4;
  S.KFIT = 8;
  S.SIGTOP = 400;
  envelope::Table sig, tau;
  for (float s : {100.0f, 400.0f}) sig.push_back({Real(std::log(s)), Real(std::log(s))});
  for (float t : {50.0f, 100.0f}) tau.push_back({Real(std::log(t)), Real(std::log(t))});
  control::StringSink out;
  envelope::envfit(out, S, sig, tau, 2, 2);
  EXPECT_NEAR(S.BEXPNT[0], 0.5, 1e-6);
  EXPECT_NEAR(S.ACONST[0], 5.0, 5e-5);
  const auto l = lines(out.text);
  ASSERT_EQ(l.size(), 7u);
  EXPECT_EQ(l[2], "                            ACONST:    5.0000          5.0000");
  EXPECT_EQ(l[5], " STRENGTH FOR FOLLOWING (S1+S3)/2:  100.0  200.0  300.0  400.0  500.0");
  EXPECT_EQ(l[6], " ((S1-S3)/2)F=5.0000*SIG**0.5000 :   50.0   70.7   86.6  100.0  111.8");
}

TEST(EnvelopeReport, TopOfTheStrengthTable) {
  const struct {
    float sigtop;
    const char* abscissae;
  } cases[] = {
      {250, " STRENGTH FOR FOLLOWING (S1+S3)/2:   60.0  120.0  180.0  240.0  300.0"},
      {300, " STRENGTH FOR FOLLOWING (S1+S3)/2:   80.0  160.0  240.0  320.0  400.0"},
      {40, " STRENGTH FOR FOLLOWING (S1+S3)/2:   20.0   40.0   60.0   80.0  100.0"},
  };
  for (const auto& c : cases) {
    TestState S;
    S.IPARRG = 4;
    S.KFIT = 8;
    S.SIGTOP = c.sigtop;
    control::StringSink out;
    envelope::envfit(out, S, table({1, 2}), table({1, 3}), 2, 2);
    EXPECT_EQ(lines(out.text)[5], c.abscissae) << c.sigtop;
  }
}

TEST(EnvelopeReport, LinesWrittenPerFitSelector) {
  const struct {
    int iparrg;
    bool origin, linear;
  } cases[] = {{1, true, false}, {2, false, true}, {3, true, true},
               {4, true, false}, {5, true, true},  {6, false, false}, {7, false, false}};
  for (const auto& c : cases) {
    TestState S;
    S.IPARRG = c.iparrg;
    S.KFIT = 7;
    S.KPRINT = 9;
    control::StringSink out;
    envelope::envfit(out, S, table({100, 200, 300}), table({60, 110, 150}), 3, 2);
    EXPECT_EQ(out.text.find("C = ZERO") != std::string::npos, c.origin) << c.iparrg;
    EXPECT_EQ(out.text.find("COHESN") != std::string::npos, c.linear) << c.iparrg;
    EXPECT_NE(out.text.find("  PEAK STR.      ULT. STR."), std::string::npos);
    EXPECT_EQ(lines(out.text).size(), 5u + 3 + (c.origin ? 4 : 0) + (c.linear ? 5 : 0));
  }
}

}  // namespace
}  // namespace velmor
