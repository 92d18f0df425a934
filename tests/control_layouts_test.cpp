// Every record layout the system uses is accepted by the parser and can be
// carried out; malformed layouts are rejected.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "control/layout.hpp"

namespace velmor::control {
namespace {

const char* const kSystemLayouts[] = {
    R"L(('              MAX.SEATING COR.=',F6.1,' DIVS.;      MAX. GRDPRS =',F6.3))L",
    R"L((' *** ',A,' :  ',A,' RUN ON VELMOR3 OF 6 July 2006 ***',/,TR5,58('-'),/))L",
    R"L((' *** WARNING:  NO BLANK LINES SHOULD EXIST BEFORE OR AFTER DATA FILE !!!',/,/,/))L",
    R"L((' APP.SIG3 DURATION VOLCH    P.P.   PARA2  S.DIAL PR.DIA  PARA3 AXSTRN  VOLSTRN  EFF.NS .5(DEVS) TOT.ST  COR.AR. ERRAC  S1/S3',/,' (LB/IN2)  (MIN)   (CC)   (KG/CM2) (NUM)  .001IN .0001IN (NUM) (%)',TR6,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2   (CM2)   (%)   RATIO',/,TR1,123('-')))L",
    R"L((' PLEASE ENTER INPUT FILE NAME (e.g. : --------.DAT):  '))L",
    R"L((' PLEASE ENTER OUTPUT FILE NAME (e.g : --------.OUT):  '))L",
    R"L(('*'))L",
    R"L((/,'                                         DV/DU AT END OF TEST =',F5.2,/))L",
    R"L((/,' ********     TIME TO FAILURE =',F6.2,' HOURS; DV/DH AT FAILURE =',F5.2))L",
    R"L((/,' APPARATUS CONSTANTS',TR8,'SPEC.DIMENSIONS  SPEC. INL.PS.  FIN. W/C    CHANGES',TR9,'TEST RESULTS',TR9,'MEM./DRAINS',/,TR1,19('-'),TR8,15('-'),TR2,15('-'),TR3,8('-'),TR4,7('-'),TR9,12('-'),TR9,11('-'),/,TR1,'P.R.CONST.=',F7.4,' KG/DIV  DIA.=',F6.2,' CM   W/C =',F6.3,TR7,'TOP=',F6.3,'  W/C(F-AV)=',F5.3,'   DV/VINL=',F8.5,TR5,'EXTM=',F5.3,'KG/CM',/,TR1,'ARAM =',F7.3,' CM2',TR10,'HT. =',F6.2,' CM   SR  =',F6.3,TR7,'MID=',F6.3,'  DWC=',F6.2,' %',TR6,'ALPHA=',F6.2,' DEG',TR5,'PM=',F6.2,' CM',/,TR1,'SLFPR=',F11.8,' CC/M/KC  HSOFSH=',F5.2,'CM',TR3,'DENS=',F6.3,' G/CC  BOT=',F6.3,'  DWSPEC=',F6.2,' G   (ALPHA=45 IMPLIES    PCFPSD=',F6.2,'CM',/,TR1,'DMANR=',F5.2,'  ZEROM=',F5.2,' ZEROLF=',F6.2,' PSI  POR =',F6.3,TR7,'LE =',F6.3,' TFLPR=',F5.2,' G',TR6,'NO SHEAR PLANE)',TR5,'GS =',F6.3,/))L",
    R"L((/,' BEDDING=',F7.4,' CM',TR15,'BEDDING (AS APPARENT STRAIN   =',F5.2,'%',TR4,'FRACA=',F8.5,TR4,'INL. AXL. STRN.=',F5.2,' %',/,TR8,'=',F6.1,' 1/1000 IN',TR9,'BEDDING (% OF CORRECTED STRAIN)  =',F6.1,' %',TR2,'BEDDING (% OF INITIAL AXL. STRN.)=',F5.1,' %',/))L",
    R"L((/,' COEF. OF COR. WITH C, COFCOR:',6F16.6))L",
    R"L((/,' COEF. OF CORRELATION FOR C = ZERO:',F10.6,F16.6))L",
    R"L((/,' CONDITIONS AT END OF CONSOLIDATION: PORFIN=',F6.3,TR4,'VORINL=',F6.3,TR5,'DPOROS=',F7.2,'  %',/,TR37,'VOIDRF=',F6.3,TR4,'VOIDRI=',F6.3,TR5,'DVOIDR=',F7.2,'  %     CAVITY=',F6.2,'  %',/,/))L",
    R"L((/,' KF=',I3,TR10,'TEST NO:',F5.2,TR10,'DELTA AT END=',F5.2,' %',TR10,'COL. 3/21: DWSPEC=',F6.2,' G',TR8,'RAT.MX.PP/PRES.TO SAT.=',F5.2))L",
    R"L((/,' ORDINARY LINEAR REGR.COHESN (kPa):',TR3,F7.3,5(TR1,F15.3)))L",
    R"L((/,' POWER CURVE FIT: COEF.OF COR:',6F16.6))L",
    R"L((/,' REGR.FORCED THRO.ORIGIN.PHI (deg):',TR3,F7.3,5(TR1,F15.3)))L",
    R"L((/,' SEATING=',F7.4,' CM',TR15,'SEATING (AS APPARENT STRAIN   =',F5.2,' %',/,TR8,'=',F6.1,' 1/1000 IN',TR9,'SEATING (% OF CORRECTED STRAIN)  =',F6.1,' %',/))L",
    R"L((/,' STRENGTH FOR FOLLOWING (S1+S3)/2:',TR1,6(F6.1,TR1)))L",
    R"L((/,' TIME TO FAILURE =',F7.2,' HOURS',/))L",
    R"L((/,'*** NOTE: A 45-DEG INCL. OF FL. PL. TO HORIZ. IMPLIES THAT NO',/,TR10,'SUCH PLANE APPEARED.'))L",
    R"L((/,'COEF01=',F9.5,TR5,'COEF1M=',F10.7,TR7,'COEF2M=',F10.7))L",
    R"L((/,/,/))L",
    R"L((/,/,/,TR1,68('-')))L",
    R"L((/,/,/,TR4,24('*  '),/,TR4,('*'),TR68,('*')))L",
    R"L((/,TR1,' SUMMARY OF ALL TESTS:',TR17,'AT             AT',/,TR2,'NOTE: SIG = (S1+S3)/2 (KPA)',TR7,'  PEAK STR.      ULT. STR.   ',/,TR8,'TAU = (S1-S3)/2 (KPA)',TR7,'SIG    TAU      SIG    TAU',/,TR36,28('-')))L",
    R"L((/,TR1,' SUMMARY OF ALL TESTS:',TR20,'AT PEAK STRENGTH ',/,TR2,'NOTE: SIG = (S1+S3)/2 (KPA)',TR7,'EFFECTIVE STR.   TOTAL STRESS',/,TR8,'TAU = (S1-S3)/2 (KPA)',TR7,'SIG    TAU      SIG    TAU',/,TR36,28('-')))L",
    R"L((/,TR11,'SAMPLE PROPERTIES',TR11,'APPARS./TEST PROPERTIES',/,TR11,17('-'),TR11,23('-'),/,'DIAM. =',F6.2,' CM*WATER CONT=',F6.3,TR6,'PR.RG.CONS=',F6.4,' KGF/DIV.',/,'HEIGHT=',F6.2,' CM***DENSITY =',F6.3,' G/CC CELL PRESS.=',F6.3,' KGF/CM2',/,'MASS  =',F7.1,' G*DG.OF SAT.=',F6.3,TR6,'E MOD.R.MEM=',F5.2,' KGF/CM',/,'INCLINATION OF FL.PL.TO HO.=',F5.1,' DEG   PERIMETER OF FPSD =',F5.1,' CM',/,'FRACT.OF INL.AREA BEF.SHEAR=',F8.5,/,'VOID RATIO=',F6.3,'  POROSITY=',F6.3))L",
    R"L((/,TR28,' GENERAL DATA ',/,TR29,12('-'),/,TR3,'CELL PRESS.GAUGE  PORE WATER PRESS.GAUGE   RAM AND TOP CAP VALUES ',/,TR3,16('-'),TR2,22('-'),TR3,13('-'),TR1,8('-'),/,'CONST=',F6.3,' KG/CM2   CONST =',F7.3,' KG/CM2 WT. =',F6.3,' KGF  PSETPR=',F3.0,/,'SLOPE=',F7.4,TR9,'SLOPE =',F7.4,TR8,'AREA=',F6.3,' CM2  PARREG=',F3.0))L",
    R"L((/,TR4,'1/11    1/12    1/13    1/14    1/15    1/16    1/17  1/18    1/19',TR5,'**',TR5,'T2/1    T2/2    T2/3    T2/4    T2/5  T2/6',/,TR4,'WCINL  DWCSTS',TR5,'D',TR6,'H',TR5,'DENSBK  SATINL  CAVITY  PER3T4  PER3T8    **    TESTNO  S3IPSI  DEGCON  PPSOSH  STNRAT FRACA',/,TR4,'RATIO   (%)      (CM)   (CM)   (T/M3) (RAT.)',TR4,'(%)',TR5,'(%)',TR5,'(%)',TR6,'**',TR4,'SER/NO  (PSI)    (%)    KG/CM2  MM/MIN  RATIO',/,TR4,124('-')))L",
    R"L((/,TR4,'2/24',TR5,'**',TR5,'T3/1    T3/2    T3/3    T3/4    T3/5    T3/6    T3/7    T3/8    T3/9    3/10    3/11    3/12    3/13  3/14',/,TR3,'ACTKFP',TR4,'**',TR4,'TESTNO  FAILMD   ALPA   DELTAS  BEDPER  STGPER  AXSTRN  VOLSTN  ERSIG1  CMS1DS  CMS1LR  CMS3DS  CMS3LR  CFS1DS',/,TR3,'KGF/CM',TR4,'**',TR4,'SER/NO   (NO)   (DEGR)   (%)',TR5,'(%)',TR5,'(%)',TR5,'(%)',TR5,'(%)',TR5,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2  KG/CM2  KG/CM2',/,TR3,126('-')))L",
    R"L((/,TR4,'3/15    3/16    3/17    3/18    3/19    3/20    3/21',TR5,'**',TR5,'AD/1    AD/2    AD/3    AD/4    AD/5    AD/6',/,TR3,'CFS1LR  PERCMB  PERCSD  ERMCBH  P.W.P.  EFFNS.  DEVSC',TR5,'**',TR4,'S3IPSI  S3IKGC  EXTCLI  BSTNCL  RBGTS3  BEDSNP',/,TR3,'KG/CM2   (%)',TR5,'(%)',TR5,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2    **    (PSI)   KG/CM2 .001IN  (RAT.)  (RAT.)   (%)',/,TR3,110('-')))L",
    R"L((/,TR4,'T2/7    T2/8    T2/9    2/10    2/11    2/12    2/13  2/14    2/15    2/16    2/17    2/18    2/19    2/20    2/222/23',/,TR3,'ASTNIN  BEDGMM  PERBED  STGMEC  SGSNME  SEATMM  STGSTNPSGMTT  TCFAIL  WCFIN.  DWCUUT  DWCPCU  DWCLEW  DWCMTE  CSLFPR   EXTM',/,TR3,' (%)     (MM)    (%)',TR5,'(MM)   (RAT.)   (MM)    (%) (%)',TR5,'(HR)   (RAT.)   (%)',TR5,'(%)',TR5,'(%)',TR5,'(%)',TR4,'CC/M/K  KGF/CM',/,TR3,126('-')))L",
    R"L((20A4))L",
    R"L((6F4.0,6F8.0))L",
    R"L((8F10.0))L",
    R"L((8F4.0,4F8.0))L",
    R"L((8F5.0,4F10.0))L",
    R"L((9F8.0))L",
    R"L((A))L",
    R"L((F7.1,F10.2,F10.3,F11.2,3F10.1))L",
    R"L((F7.2,F9.1,F7.2,F9.3,F7.1,3F7.1,F7.3,F9.3,3F8.3,F9.2,F7.2,F7.3))L",
    R"L((F7.3,2F8.3,F7.3,F7.2,F8.3,F9.3,F8.3,6F8.3,F7.3,F5.2,F8.2))L",
    R"L((F8.2,F16.2,F7.0,F9.1,F8.2,2F8.1,F8.2,F8.2,F9.1,3F8.3,F7.3,F9.3))L",
    R"L((F8.2,F8.2,F8.1,F8.2,F9.4,F7.2,F8.2,F8.1,F8.1,F8.3,4F8.2,F10.7,F7.3))L",
    R"L((F9.3,F6.1,F9.1,F8.1,F9.3,F7.3,F8.3,F16.1,F9.3,F7.2,F9.4,F9.6,F6.2))L",
    R"L((F9.3,F7.2,F9.3,F7.3,F8.3,F9.3,F7.2,F7.1,F9.1,F16.2,F8.1,F8.1,F8.3,F9.5,F8.4))L",
    R"L((TR1,'((S1-S3)/2)F=',F6.4,'*SIG**',F6.4,' : ',6(F6.1,TR1)))L",
    R"L((TR1,'AX.STRAIN VOL.INCR. CORR.AREA (S1+S3)/2 PORE PRES.(S1+S3)/2 (S1-S3)/2',/,TR3,'(%)',TR7,'(%)',TR7,'(CM2)     (KPA)',TR5,'(KPA)  EFF.(KPA)  (KPA)',/,TR1,68('-')))L",
    R"L((TR22,'PHILRG (deg):',TR3,F7.3,5(TR1,F15.3)))L",
    R"L((TR23,20A4))L",
    R"L((TR28,'ACONST:',TR3,F7.4,5(TR1,F15.4)))L",
    R"L((TR28,'BEXPNT:',TR3,F7.4,5(TR1,F15.4)))L",
    R"L((TR34,6(2F7.1,TR2)))L",
    R"L((TR4,'1',TR9,'2',TR9,'3',TR9,'4',TR9,'5',TR9,'6',TR9,'7',/,TR1,68('-')))L",
    R"L((TR4,('*'),TR21,'EVALUATION OF THE TRIAXIAL',TR21,('*')))L",
    R"L((TR4,('*'),TR22,'VELMOR3: PROGRAM FOR THE',TR22,('*')))L",
    R"L((TR4,('*'),TR26,'COMPRESSION TEST',TR26,('*')))L",
    R"L((TR4,('*'),TR29,'Jul 2006-V',TR29,('*')))L",
    R"L((TR4,('*'),TR68,('*')))L",
    R"L((TR4,24('*  '),/,/,/))L",
    R"L((TR55,'TABLE 2',/,' AXSTRN  SIG1UC  CMSIG1  SIG1C  ERSIG1  SIG3UC   CMSIG3  SIG3C  CMDEDS  CMDELR  ERMCBH  SIG1EF  SIG3EF CUMFPR',' CFSIG1 PERCMB PERCSD',/,TR2,'(%)    KG/CM2  K/CM2   K/CM2   (%)KG/CM2   KG/CM2  KG/CM2  KG/CM2  KG/CM2   (%)   KG/CM2  KG/CM2   (G)  KG/CM2   (%)    (%)',/,TR1,130('-')))L",
};

TEST(ControlLayout, EverySystemLayoutParses) {
  for (const char* text : kSystemLayouts) {
    SCOPED_TRACE(text);
    ASSERT_NO_THROW(Layout{text});
    const Layout L(text);
    EXPECT_EQ(L.text(), text);
    // Without items a layout runs up to its first data element.
    EXPECT_FALSE(format_records(L, {}).empty());
  }
}

TEST(ControlLayout, BlanksAndLetterCaseOutsideLiteralsDoNotMatter) {
  const Layout a(" ( tr2 , 2 f 5 . 1 , a4 , ' x ' ) ");
  const std::vector<OutItem> items{1.0f, 2.0f, "WORD"};
  EXPECT_EQ(format_records(a, items), (std::vector<std::string>{"    1.0  2.0WORD x "}));
}

TEST(ControlLayout, SlashNeedsNoCommaAroundIt) {
  const Layout L("('A'/'B'//)");
  EXPECT_EQ(format_records(L, {}), (std::vector<std::string>{"A", "B", "", ""}));
}

TEST(ControlLayout, MalformedLayoutsAreRejected) {
  for (const char* bad :
       {"", "F8.0", "(F8)", "(9F8.0", "('abc)", "(X3)", "(F8.0,)", "(F8.0)x", "(F0.0)", "(I0)",
        "(TR0)", "(0F8.0)", "(2)", "(F8.0 F8.0)", "(,F8.0)", "(E12.4)", "(A0)", "(F8.)",
        "((((((((((((((((((((((((((((((((((F8.0))))))))))))))))))))))))))))))))))"}) {
    EXPECT_THROW(Layout{bad}, std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace velmor::control
