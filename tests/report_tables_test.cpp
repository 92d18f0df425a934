// Test tables: the report form chosen by KPRINT, the rows and result lines of
// each form worked out field by field from the layouts, a test without
// readings, and the strength point stored for the envelopes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/summary.hpp"
#include "report/tables.hpp"

namespace velmor {
namespace {

struct Lines : control::RecordSink {
  std::vector<std::string> v;
  void record(std::string_view rec) override { v.emplace_back(rec); }
};

std::string blanks(std::size_t n) { return std::string(n, ' '); }
std::string dashes(std::size_t n) { return std::string(n, '-'); }

// A reduced test of three readings failing at reading 2. Reading 2 carries
// the values the expected lines are worked out from; readings 1 and 3 differ
// from it in every column.
struct Reduced {
  TestState S;
  ReadingTable R;

  Reduced() {
    S.KDATA = 5;
    S.KPRINT = 0;
    S.NREAD = 3;
    S.IFAIL = 2;
    S.KF = 2;
    S.NTEST = 1;
    R.clear(3);
    for (Column* c :
         {&R.APSIG3, &R.DURATN, &R.VOLCH, &R.PP, &R.PARA2, &R.SDIALP, &R.PRDIAL, &R.PARA3,
          &R.AXSTRN, &R.VOLSTN, &R.EFFNS, &R.DEVSC, &R.TOTST, &R.CORAR, &R.ERRAC, &R.S1S3,
          &R.SIG1UC, &R.CMSIG1, &R.SIG1C, &R.ERSIG1, &R.SIG3UC, &R.CMSIG3, &R.SIG3C, &R.CMDEDS,
          &R.CMDELR, &R.ERMCBH, &R.SIG1EF, &R.SIG3EF, &R.CUMFPR, &R.CFSIG1, &R.PERCMB, &R.PERCSD,
          &R.DELTAS, &R.CMS1DS, &R.CMS1LR, &R.CMS3DS, &R.CMS3LR, &R.CFS1DS, &R.CFS1LR, &R.TOTKPA,
          &R.PPKPA, &R.EFFKPA, &R.DEVKPA, &R.GRDPRS}) {
      (*c)(1) = 1;
      (*c)(3) = 3;
    }
    // Table 1.
    R.APSIG3(2) = 30;
    R.DURATN(2) = 125.5f;
    R.VOLCH(2) = -1.25f;
    R.PP(2) = 0.75f;
    R.PARA2(2) = 0;
    R.SDIALP(2) = 123.4f;
    R.PRDIAL(2) = 1520;
    R.PARA3(2) = 0;
    R.AXSTRN(2) = 2.5f;
    R.VOLSTN(2) = -0.125f;
    R.EFFNS(2) = 1.5f;
    R.DEVSC(2) = 0.875f;
    R.TOTST(2) = 2.25f;
    R.CORAR(2) = 10.5f;
    R.ERRAC(2) = 0.5f;
    R.S1S3(2) = 2.167f;
    // Table 2.
    R.SIG1UC(2) = 3.25f;
    R.CMSIG1(2) = -0.02f;
    R.SIG1C(2) = 3.23f;
    R.ERSIG1(2) = -0.62f;
    R.SIG3UC(2) = 2.109f;
    R.CMSIG3(2) = 0.01f;
    R.SIG3C(2) = 2.119f;
    R.CMDEDS(2) = 0;
    R.CMDELR(2) = 0;
    R.ERMCBH(2) = 0.5f;
    R.SIG1EF(2) = 2.48f;
    R.SIG3EF(2) = 1.369f;
    R.CUMFPR(2) = 12.5f;
    R.CFSIG1(2) = 0.004f;
    R.PERCMB(2) = 0.62f;
    R.PERCSD(2) = 0.12f;
    // Values at failure of the coded blocks; DELTAS(NREAD) for the KF line.
    R.DELTAS(2) = 0.25f;
    R.DELTAS(3) = 0.5f;
    R.CMS1DS(2) = 0.011f;
    R.CMS1LR(2) = 0.022f;
    R.CMS3DS(2) = 0.033f;
    R.CMS3LR(2) = -0.044f;
    R.CFS1DS(2) = 0.055f;
    R.CFS1LR(2) = 0.066f;
    // kPa table.
    R.TOTKPA(2) = 220.65f;
    R.PPKPA(2) = 73.55f;
    R.EFFKPA(2) = 147.1f;
    R.DEVKPA(2) = 85.81f;
    R.GRDPRS(2) = 0.125f;

    S.TCFAIL = 1.5f;
    S.BEDCM = 0.0254f;
    S.BEDSNP = 0.33f;
    S.FRACA = 0.9999f;
    S.ASTNIN = 2.25f;
    S.BEDIN = 10;
    S.BEDPER = 13.2f;
    S.PERBED = 14.67f;
    S.SEATCM = 0.0127f;
    S.STGSTN = 0.17f;
    S.SEATIN = 5;
    S.STGPER = 6.8f;
    S.TESTNO = 12;
    S.DWSPEC = 0.35f;
    S.RPPSAT = 0.0163f;
    S.WCINL = 0.215f;
    S.DWCSTS = -0.4f;
    S.D = 3.57f;
    S.H = 7.62f;
    S.DENSBK = 1.985f;
    S.SATINL = 0.953f;
    S.CAVITY = 1.5f;
    S.PER3T4 = 12.3f;
    S.PER3T8 = 45.6f;
    S.S3IPSI = 30;
    S.DEGCON = 75;
    S.PPSOSH = 0.5f;
    S.STNRAT = 0.254f;
    S.BEDGMM = 0.25f;
    S.STGMEC = 0.13f;
    S.SGSNME = 0.0125f;
    S.SEATMM = 0.127f;
    S.PSGMTT = 7.5f;
    S.WCFIN = 0.201f;
    S.DWCUUT = 1;
    S.DWCPCU = -2;
    S.DWCLEW = 0.5f;
    S.DWCMTE = 0.25f;
    S.CSLFPR = 0.0001234f;
    S.EXTM = 1.25f;
    S.ACTKFP = 0.16f;
    S.FAILMD = 2;
    S.ALPA = 57.5f;
    S.S3IKGC = 2.109f;
    S.EXTCLI = 5;
    S.BSTNCL = 0.0123f;
    S.RBGTS3 = 0.001234f;
    S.DVDHF = -1.2f;
    S.DVDUE = -1.4f;
    S.SEATCR = 12.5f;
    S.IGMAX = 2;
    S.SEATED = true;
  }

  std::vector<std::string> write() const {
    Lines out;
    report::write_test_tables(out, S, R);
    return out.v;
  }
};

// Full form: Table 1 header (3 lines) and rows, Table 2 header (4) and rows,
// failure time (3), bedding (4), seating (4), KF line (2), four coded blocks
// of a 5-line header and a row.
constexpr std::size_t full_form_lines(std::size_t nread) { return 44 + 2 * nread; }
// kPa form: three headers (4 + 2 + 3 lines) and rows, failure slope (2), end
// slope (3), and the seating line when written.
constexpr std::size_t kpa_form_lines(std::size_t nread) { return 14 + nread; }

TEST(ReportTables, FullFormRowsAndResultLines) {
  const Reduced t;
  const auto l = t.write();
  ASSERT_EQ(l.size(), full_form_lines(3));
  EXPECT_EQ(l[0].substr(0, 18), " APP.SIG3 DURATION");
  EXPECT_EQ(l[2], " " + dashes(123));
  // Table 1, reading 2: F7.2,F9.1,F7.2,F9.3,F7.1,3F7.1,F7.3,F9.3,3F8.3,F9.2,F7.2,F7.3
  EXPECT_EQ(l[4],
            "  30.00    125.5  -1.25    0.750    0.0  123.4 1520.0    0.0  2.500   -0.125   1.500"
            "   0.875   2.250    10.50   0.50  2.167");
  EXPECT_EQ(l[6], blanks(55) + "TABLE 2");
  EXPECT_EQ(l[9], " " + dashes(130));
  // Table 2, reading 2: F7.3,2F8.3,F7.3,F7.2,F8.3,F9.3,F8.3,6F8.3,F7.3,F5.2,F8.2
  EXPECT_EQ(l[11],
            "  2.500   3.250  -0.020  3.230  -0.62   2.109    0.010   2.119   0.000   0.000   0.500"
            "   2.480   1.369  12.500  0.004 0.62    0.12");
  EXPECT_EQ(l[13], "");
  EXPECT_EQ(l[14], " TIME TO FAILURE =   1.50 HOURS");
  EXPECT_EQ(l[15], "");
  EXPECT_EQ(l[17], " BEDDING= 0.0254 CM" + blanks(15) + "BEDDING (AS APPARENT STRAIN   = 0.33%" +
                       blanks(4) + "FRACA= 0.99990" + blanks(4) + "INL. AXL. STRN.= 2.25 %");
  EXPECT_EQ(l[18], blanks(8) + "=  10.0 1/1000 IN" + blanks(9) +
                       "BEDDING (% OF CORRECTED STRAIN)  =  13.2 %" + blanks(2) +
                       "BEDDING (% OF INITIAL AXL. STRN.)= 14.7 %");
  EXPECT_EQ(l[21], " SEATING= 0.0127 CM" + blanks(15) + "SEATING (AS APPARENT STRAIN   = 0.17 %");
  EXPECT_EQ(l[22], blanks(8) + "=   5.0 1/1000 IN" + blanks(9) +
                       "SEATING (% OF CORRECTED STRAIN)  =   6.8 %");
  // KF I3 | TESTNO F5.2 | DELTAS(NREAD) F5.2 | DWSPEC F6.2 | RPPSAT F5.2
  EXPECT_EQ(l[25], " KF=  2" + blanks(10) + "TEST NO:12.00" + blanks(10) + "DELTA AT END= 0.50 %" +
                       blanks(10) + "COL. 3/21: DWSPEC=  0.35 G" + blanks(8) +
                       "RAT.MX.PP/PRES.TO SAT.= 0.02");
  EXPECT_EQ(l[27].substr(0, 8), "    1/11");
  EXPECT_EQ(l[30], blanks(4) + dashes(124));
  // F9.3,F7.2,F9.3,F7.3,F8.3,F9.3,F7.2,F7.1,F9.1,F16.2,F8.1,F8.1,F8.3,F9.5,F8.4
  EXPECT_EQ(l[31],
            "    0.215  -0.40    3.570  7.620   1.985    0.953   1.50   12.3     45.6           12.00"
            "    30.0    75.0   0.500  0.25400  0.9999");
  // F8.2,F8.2,F8.1,F8.2,F9.4,F7.2,F8.2,F8.1,F8.1,F8.3,4F8.2,F10.7,F7.3
  EXPECT_EQ(l[37],
            "    2.25    0.25    14.7    0.13   0.0125   0.13    0.17     7.5     1.5   0.201    1.00"
            "   -2.00    0.50    0.25 0.0001234  1.250");
  // F8.2,F16.2,F7.0,F9.1,F8.2,2F8.1,F8.2,F8.2,F9.1,3F8.3,F7.3,F9.3 (values at failure)
  EXPECT_EQ(l[43],
            "    0.16           12.00     2.     57.5    0.25    13.2     6.8    2.50   -0.13     -0.6"
            "   0.011   0.022   0.033 -0.044    0.055");
  // F9.3,F6.1,F9.1,F8.1,F9.3,F7.3,F8.3,F16.1,F9.3,F7.2,F9.4,F9.6,F6.2
  EXPECT_EQ(l[49],
            "    0.066   0.6      0.1     0.5    0.750  1.500   0.875            30.0    2.109   5.00"
            "   0.0123 0.001234  0.33");
}

TEST(ReportTables, KpaFormRowsAndSlopeLines) {
  Reduced t;
  t.S.KPRINT = 7;
  t.S.KOPT = 2;
  const auto l = t.write();
  ASSERT_EQ(l.size(), kpa_form_lines(3) + 1);
  EXPECT_EQ(l[0], "");
  EXPECT_EQ(l[3], " " + dashes(68));
  EXPECT_EQ(l[4], "    1         2         3         4         5         6         7");
  EXPECT_EQ(l[6], " AX.STRAIN VOL.INCR. CORR.AREA (S1+S3)/2 PORE PRES.(S1+S3)/2 (S1-S3)/2");
  // F7.1,F10.2,F10.3,F11.2,3F10.1; -0.125 is a tie: -0.13
  EXPECT_EQ(l[10], "    2.5     -0.13    10.500     220.65      73.6     147.1      85.8");
  EXPECT_EQ(l[12], "");
  EXPECT_EQ(l[13], " ********     TIME TO FAILURE =  1.50 HOURS; DV/DH AT FAILURE =-1.20");
  EXPECT_EQ(l[14], "");
  EXPECT_EQ(l[15], blanks(41) + "DV/DU AT END OF TEST =-1.40");
  EXPECT_EQ(l[16], "");
  EXPECT_EQ(l[17], blanks(14) + "MAX.SEATING COR.=  12.5 DIVS.;      MAX. GRDPRS = 0.125");
}

TEST(ReportTables, SeatingLineOnlyForShortFormSeatingOptions) {
  const std::string seated =
      blanks(14) + "MAX.SEATING COR.=  12.5 DIVS.;      MAX. GRDPRS = 0.125";
  const std::string skipped =
      blanks(14) + "MAX.SEATING COR.=   0.0 DIVS.;      MAX. GRDPRS = 0.000";
  const struct {
    float kdata, kopt;
    bool seated;
    const std::string* line;
  } cases[] = {
      {5, 1, true, &seated},   {5, 2, true, &seated},  {5, 2, false, &skipped},
      {5, 3, true, nullptr},   {5, 1.5f, true, nullptr}, {5, 0, true, nullptr},
      {7, 1, true, nullptr},   {7.85f, 2, true, nullptr},
  };
  for (const auto& c : cases) {
    Reduced t;
    t.S.KPRINT = 9;
    t.S.KDATA = c.kdata;
    t.S.KOPT = c.kopt;
    t.S.SEATED = c.seated;
    const auto l = t.write();
    ASSERT_EQ(l.size(), kpa_form_lines(3) + (c.line ? 1 : 0)) << c.kdata << " " << c.kopt;
    if (c.line) {
      EXPECT_EQ(l.back(), *c.line) << c.kdata << " " << c.kopt;
    }
  }
}

TEST(ReportTables, FormChosenByKprint) {
  const struct {
    float kprint;
    std::size_t lines;
  } cases[] = {{7, kpa_form_lines(3)}, {9, kpa_form_lines(3)}, {8, 0},
               {0, full_form_lines(3)}, {7.5f, full_form_lines(3)}, {-9, full_form_lines(3)}};
  for (const auto& c : cases) {
    Reduced t;
    t.S.KPRINT = c.kprint;
    t.S.KOPT = 3;
    EXPECT_EQ(t.write().size(), c.lines) << c.kprint;
  }
}

TEST(ReportTables, TestWithoutReadingsHasNoRowsAndZerosAtFailure) {
  Reduced t;
  t.S.NREAD = 0;
  t.S.IFAIL = 0;
  t.S.TCFAIL = 0;
  t.S.PARREG = 1;
  t.R.clear(0);
  report::summarize_test(t.S, t.R);
  const auto full = t.write();
  ASSERT_EQ(full.size(), full_form_lines(0));
  EXPECT_EQ(full[3], blanks(55) + "TABLE 2");  // right after the Table 1 header
  EXPECT_EQ(full[8], " TIME TO FAILURE =   0.00 HOURS");
  EXPECT_EQ(full[19].substr(0, 7), " KF=  0");
  EXPECT_NE(full[19].find("DELTA AT END= 0.00 %"), std::string::npos);
  // BEDPER and STGPER divide by the axial strain at failure, 0 here: infinite,
  // too wide for F8.1.
  EXPECT_EQ(full[37],
            "    0.16           12.00     2.     57.5    0.00****************    0.00    0.00      0.0"
            "   0.000   0.000   0.000  0.000    0.000");

  t.S.KPRINT = 7;
  const auto kpa = t.write();
  ASSERT_EQ(kpa.size(), kpa_form_lines(0));
  EXPECT_EQ(kpa[10], " ********     TIME TO FAILURE =  0.00 HOURS; DV/DH AT FAILURE = 0.00");

  EnvelopeTable E;
  report::capture_envelope_point(t.S, t.R, E);
  EXPECT_TRUE(E.SIGENV.empty());
}

TEST(ReportTables, FailureValuesAfterTheSummary) {
  // The summary changes the sign of CMS3LR at failure (code 3/13) and counts
  // KF; failure at the last reading gives KF = 1.
  Reduced t;
  t.S.IFAIL = 3;
  t.R.CMS3LR(3) = 0.044f;
  report::summarize_test(t.S, t.R);
  const auto l = t.write();
  EXPECT_EQ(l[25].substr(0, 7), " KF=  1");
  EXPECT_EQ(l[43].substr(113, 7), " -0.044");
  EXPECT_FLOAT_EQ(t.R.CMS3LR(2).v, -0.044f);  // other readings keep theirs
}

TEST(ReportTables, EnvelopePointOfTheTest) {
  // EFFKPA, TOTKPA and DEVKPA differ at every reading.
  Reduced t;
  for (int I = 1; I <= 3; ++I) {
    t.R.EFFKPA(I) = 100 * I;
    t.R.TOTKPA(I) = 100 * I + 50;
    t.R.DEVKPA(I) = 10 * I;
  }
  const struct {
    float kprint, parreg;
    int iult;
    std::array<float, 2> sig, tau;
  } cases[] = {
      {9, 1, 3, {200, 300}, {20, 30}},  // column 2: the ultimate reading
      {9, 5, 2, {200, 200}, {20, 20}},  // ultimate at the peak: the same point twice
      {7, 1, 3, {200, 250}, {20, 20}},  // column 2: total stress at the peak
      {0, 0.5f, 3, {200, 250}, {20, 20}},
      {8, 2, 3, {200, 250}, {20, 20}},
  };
  for (const auto& c : cases) {
    t.S.KPRINT = c.kprint;
    t.S.PARREG = c.parreg;
    t.S.IULT = c.iult;
    t.S.NTEST = 2;
    EnvelopeTable E;
    report::capture_envelope_point(t.S, t.R, E);
    ASSERT_EQ(E.SIGENV.size(), 2u);
    EXPECT_EQ(E.SIGENV[0][0], 0.0);  // row 1 belongs to another test
    EXPECT_EQ(E.SIGENV[1][0], c.sig[0]) << c.kprint;
    EXPECT_EQ(E.SIGENV[1][1], c.sig[1]) << c.kprint;
    EXPECT_EQ(E.TAUENV[1][0], c.tau[0]) << c.kprint;
    EXPECT_EQ(E.TAUENV[1][1], c.tau[1]) << c.kprint;
  }
}

TEST(ReportTables, NoEnvelopePointWithoutPositiveParreg) {
  Reduced t;
  t.S.NTEST = 1;
  for (float parreg : {0.0f, -1.0f}) {
    t.S.PARREG = parreg;
    EnvelopeTable E;
    E.ensure_rows(1);
    E.SIGENV[0] = {Real(5), Real(6)};
    report::capture_envelope_point(t.S, t.R, E);
    EXPECT_EQ(E.SIGENV[0][0], 5.0) << parreg;  // left as it was
    EXPECT_EQ(E.SIGENV[0][1], 6.0) << parreg;
  }
}

TEST(ReportTables, EnvelopeTableGrowsBeyondFortyTests) {
  Reduced t;
  t.S.PARREG = 1;
  t.S.NTEST = 41;
  EnvelopeTable E;
  report::capture_envelope_point(t.S, t.R, E);
  ASSERT_EQ(E.SIGENV.size(), 41u);
  EXPECT_FLOAT_EQ(E.SIGENV[40][0].v, 147.1f);
  EXPECT_FLOAT_EQ(E.TAUENV[40][0].v, 85.81f);
}

}  // namespace
}  // namespace velmor
