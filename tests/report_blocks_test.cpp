// Report lines before the readings of a test: run header, general data and
// note, title lead-in and echo, coefficient line, sample properties,
// apparatus constants and conditions at end of consolidation. Expected lines
// are worked out field by field from the layouts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/blocks.hpp"

namespace velmor {
namespace {

struct Lines : control::RecordSink {
  std::vector<std::string> v;
  void record(std::string_view rec) override { v.emplace_back(rec); }
};

std::string blanks(std::size_t n) { return std::string(n, ' '); }
std::string dashes(std::size_t n) { return std::string(n, '-'); }

TEST(ReportBlocks, RunHeaderPadsTheNamesToTwelve) {
  TestState S;
  S.OUTFIL = "demo.out";
  S.INFILE = "demo.dat";
  Lines out;
  report::write_run_header(out, S);
  const std::vector<std::string> want{
      " *** demo.out     :  demo.dat     RUN ON VELMOR3 OF 6 July 2006 ***",
      blanks(5) + dashes(58),
      "",
  };
  EXPECT_EQ(out.v, want);
}

TEST(ReportBlocks, GeneralDataAndNote) {
  TestState S;
  S.CPCON = 0.0625f;  // a tie at the third decimal: away from zero
  S.PPCON = -1.5f;
  S.WTCAP = 0.25f;
  S.WTRAM = 1.5f;
  S.WTXTR = 0.125f;
  S.PSETPR = 1;
  S.CPSLOP = 0.9875f;
  S.PPSLOP = 1;
  S.ARAM = 20.268f;
  S.PARREG = 3;
  Lines out;
  report::write_general_data(out, S);
  EXPECT_FLOAT_EQ(S.WTOT.v, 1.875f);
  const std::vector<std::string> want{
      "",
      blanks(28) + " GENERAL DATA ",
      blanks(29) + dashes(12),
      "   CELL PRESS.GAUGE  PORE WATER PRESS.GAUGE   RAM AND TOP CAP VALUES ",
      blanks(3) + dashes(16) + blanks(2) + dashes(22) + blanks(3) + dashes(13) + " " + dashes(8),
      // CONST= F6.3 | CONST = F7.3 | WT. = F6.3 | PSETPR= F3.0
      "CONST= 0.063 KG/CM2   CONST = -1.500 KG/CM2 WT. = 1.875 KGF  PSETPR= 1.",
      // SLOPE= F7.4, TR9 | SLOPE = F7.4, TR8 | AREA= F6.3 | PARREG= F3.0
      "SLOPE= 0.9875" + blanks(9) + "SLOPE = 1.0000" + blanks(8) + "AREA=20.268 CM2  PARREG= 3.",
      "",
      "*** NOTE: A 45-DEG INCL. OF FL. PL. TO HORIZ. IMPLIES THAT NO",
      blanks(10) + "SUCH PLANE APPEARED.",
  };
  EXPECT_EQ(out.v, want);
}

TEST(ReportBlocks, TitleLeadInAndEchoKeepTheTitlesBlanks) {
  TestState S;
  S.TITLE = "TEST 7  SILTY CLAY" + blanks(62);
  Lines lead;
  report::write_title_lead_in(lead);
  EXPECT_EQ(lead.v, std::vector<std::string>(4, ""));

  const struct {
    float kdata;
    std::size_t indent;
  } cases[] = {{5, 0}, {6.99f, 0}, {7, 23}, {8, 23}, {7.85f, 23}};
  for (const auto& c : cases) {
    S.KDATA = c.kdata;
    Lines out;
    report::write_title_line(out, S);
    ASSERT_EQ(out.v.size(), 1u);
    EXPECT_EQ(out.v[0], blanks(c.indent) + S.TITLE) << c.kdata;
  }
}

// A short-form specimen.
TestState short_form(float kopt) {
  TestState S;
  S.KDATA = 5;
  S.KOPT = kopt;
  S.COEF01 = 0.5f;
  S.COEF1M = -0.0012345f;
  S.COEF2M = 0.25f;
  S.D = 3.57f;
  S.WCINL = 0.215f;
  S.PRCONS = 0.1234f;
  S.H = 7.62f;
  S.DENSBK = 1.985f;
  S.CELLPR = 2.109f;
  S.MASS = 152.3f;
  S.SATINL = 0.953f;
  S.EXTM = 1.25f;
  S.ALPA = 57.5f;
  S.PCFPSD = 11.2f;
  S.FRACA = 0.9999f;
  S.VOIDRI = 0.612f;
  S.VORINL = 0.38f;
  return S;
}

TEST(ReportBlocks, SampleProperties) {
  Lines out;
  report::write_specimen_blocks(out, short_form(1));
  const std::vector<std::string> want{
      "",
      blanks(11) + "SAMPLE PROPERTIES" + blanks(11) + "APPARS./TEST PROPERTIES",
      blanks(11) + dashes(17) + blanks(11) + dashes(23),
      // D F6.2 | WCINL F6.3, TR6 | PRCONS F6.4
      "DIAM. =  3.57 CM*WATER CONT= 0.215" + blanks(6) + "PR.RG.CONS=0.1234 KGF/DIV.",
      // H F6.2 | DENSBK F6.3 | CELLPR F6.3
      "HEIGHT=  7.62 CM***DENSITY = 1.985 G/CC CELL PRESS.= 2.109 KGF/CM2",
      // MASS F7.1 | SATINL F6.3, TR6 | EXTM F5.2
      "MASS  =  152.3 G*DG.OF SAT.= 0.953" + blanks(6) + "E MOD.R.MEM= 1.25 KGF/CM",
      // ALPA F5.1 | PCFPSD F5.1
      "INCLINATION OF FL.PL.TO HO.= 57.5 DEG   PERIMETER OF FPSD = 11.2 CM",
      "FRACT.OF INL.AREA BEF.SHEAR= 0.99990",
      "VOID RATIO= 0.612  POROSITY= 0.380",
  };
  EXPECT_EQ(out.v, want);
}

TEST(ReportBlocks, CoefficientLineOnlyForOptionsTwoAndThree) {
  const std::string coef = "COEF01=  0.50000     COEF1M=-0.0012345       COEF2M= 0.2500000";
  const struct {
    float kopt;
    bool line;
  } cases[] = {{0, false}, {1, false}, {2, true}, {2.5f, false}, {3, true}, {4, false}};
  for (const auto& c : cases) {
    Lines out;
    report::write_specimen_blocks(out, short_form(c.kopt));
    ASSERT_EQ(out.v.size(), c.line ? 11u : 9u) << c.kopt;
    if (c.line) {
      EXPECT_EQ(out.v[0], "") << c.kopt;
      EXPECT_EQ(out.v[1], coef) << c.kopt;
    }
    EXPECT_EQ(out.v[c.line ? 3 : 1].substr(11, 17), "SAMPLE PROPERTIES") << c.kopt;
  }
}

TEST(ReportBlocks, ApparatusConstantsAndConsolidation) {
  TestState S;
  S.KDATA = 7.85f;
  S.KOPT = 2;  // an option left from a short-form data set writes nothing here
  S.PRCONS = 0.1234f;
  S.D = 3.57f;
  S.WCINL = 0.215f;
  S.TOP = 0.198f;
  S.WCFIN = 0.201f;
  S.DVVINL = -0.01234f;
  S.EXTM = 1.25f;
  S.ARAM = 18.4f;
  S.H = 7.62f;
  S.SATINL = 0.953f;
  S.MID = 0.203f;
  S.DWC = -1.5f;
  S.ALPA = 45;
  S.PM = 11.2f;
  S.CSLFPR = 0.00012345f;
  S.HSOFSH = 5.08f;
  S.DENSBK = 1.985f;
  S.BOT = 0.205f;
  S.DWSPEC = 0.35f;
  S.PCFPSD = 11.2f;
  S.DMANR = 0;
  S.ZEROM = 1.5f;
  S.ZEROLF = -2.25f;
  S.VORINL = 0.38f;
  S.LE = 0.21f;
  S.TFLPR = 0.5f;
  S.GS = 2.7f;
  S.PORFIN = 0.365f;
  S.DPOROS = -3.95f;
  S.VOIDRF = 0.575f;
  S.VOIDRI = 0.612f;
  S.DVOIDR = -6.05f;
  S.CAVITY = 1.5f;
  Lines out;
  report::write_specimen_blocks(out, S);
  const std::vector<std::string> want{
      "",
      " APPARATUS CONSTANTS" + blanks(8) + "SPEC.DIMENSIONS  SPEC. INL.PS.  FIN. W/C    CHANGES" +
          blanks(9) + "TEST RESULTS" + blanks(9) + "MEM./DRAINS",
      " " + dashes(19) + blanks(8) + dashes(15) + blanks(2) + dashes(15) + blanks(3) + dashes(8) +
          blanks(4) + dashes(7) + blanks(9) + dashes(12) + blanks(9) + dashes(11),
      // PRCONS F7.4 | D F6.2 | WCINL F6.3, TR7 | TOP F6.3 | WCFIN F5.3 | DVVINL F8.5, TR5 |
      // EXTM F5.3
      " P.R.CONST.= 0.1234 KG/DIV  DIA.=  3.57 CM   W/C = 0.215" + blanks(7) +
          "TOP= 0.198  W/C(F-AV)=0.201   DV/VINL=-0.01234" + blanks(5) + "EXTM=1.250KG/CM",
      // ARAM F7.3, TR10 | H F6.2 | SATINL F6.3, TR7 | MID F6.3 | DWC F6.2, TR6 | ALPA F6.2,
      // TR5 | PM F6.2
      " ARAM = 18.400 CM2" + blanks(10) + "HT. =  7.62 CM   SR  = 0.953" + blanks(7) +
          "MID= 0.203  DWC= -1.50 %" + blanks(6) + "ALPHA= 45.00 DEG" + blanks(5) + "PM= 11.20 CM",
      // CSLFPR F11.8 | HSOFSH F5.2, TR3 | DENSBK F6.3 | BOT F6.3 | DWSPEC F6.2 | PCFPSD F6.2
      " SLFPR= 0.00012345 CC/M/KC  HSOFSH= 5.08CM" + blanks(3) +
          "DENS= 1.985 G/CC  BOT= 0.205  DWSPEC=  0.35 G   (ALPHA=45 IMPLIES    PCFPSD= 11.20CM",
      // DMANR F5.2 | ZEROM F5.2 | ZEROLF F6.2 | VORINL F6.3, TR7 | LE F6.3 | TFLPR F5.2, TR6 |
      // TR5 | GS F6.3
      " DMANR= 0.00  ZEROM= 1.50 ZEROLF= -2.25 PSI  POR = 0.380" + blanks(7) +
          "LE = 0.210 TFLPR= 0.50 G" + blanks(6) + "NO SHEAR PLANE)" + blanks(5) + "GS = 2.700",
      "",
      "",
      // PORFIN F6.3, TR4 | VORINL F6.3, TR5 | DPOROS F7.2
      " CONDITIONS AT END OF CONSOLIDATION: PORFIN= 0.365    VORINL= 0.380     DPOROS=  -3.95  %",
      // TR37 | VOIDRF F6.3, TR4 | VOIDRI F6.3, TR5 | DVOIDR F7.2 | CAVITY F6.2
      blanks(37) + "VOIDRF= 0.575    VOIDRI= 0.612     DVOIDR=  -6.05  %     CAVITY=  1.50  %",
      "",
      "",
  };
  EXPECT_EQ(out.v, want);
}

}  // namespace
}  // namespace velmor
