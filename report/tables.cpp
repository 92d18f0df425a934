#include "report/tables.hpp"

namespace velmor::report {

using control::Layout;
using control::write;

namespace {

void write_full_form(control::RecordSink& out, const TestState& S, const ReadingTable& R) {
  static const Layout t1_head(
      "(' APP.SIG3 DURATION VOLCH    P.P.   PARA2  S.DIAL PR.DIA  PARA3 AXSTRN  VOLSTRN  EFF.NS "
      ".5(DEVS) TOT.ST  COR.AR. ERRAC  S1/S3',/,' (LB/IN2)  (MIN)   (CC)   (KG/CM2) (NUM)  .001IN "
      ".0001IN (NUM) (%)',TR6,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2   (CM2)   (%)   "
      "RATIO',/,TR1,123('-'))");
  static const Layout t1_row("(F7.2,F9.1,F7.2,F9.3,F7.1,3F7.1,F7.3,F9.3,3F8.3,F9.2,F7.2,F7.3)");
  static const Layout t2_head(
      "(TR55,'TABLE 2',/,' AXSTRN  SIG1UC  CMSIG1  SIG1C  ERSIG1  SIG3UC   CMSIG3  SIG3C  CMDEDS  "
      "CMDELR  ERMCBH  SIG1EF  SIG3EF CUMFPR',' CFSIG1 PERCMB PERCSD',/,TR2,'(%)    KG/CM2  K/CM2 "
      "  K/CM2   (%)KG/CM2   KG/CM2  KG/CM2  KG/CM2  KG/CM2   (%)   KG/CM2  KG/CM2   (G)  KG/CM2 "
      "  (%)    (%)',/,TR1,130('-'))");
  static const Layout t2_row("(F7.3,2F8.3,F7.3,F7.2,F8.3,F9.3,F8.3,6F8.3,F7.3,F5.2,F8.2)");
  static const Layout failure_time("(/,' TIME TO FAILURE =',F7.2,' HOURS',/)");
  static const Layout bedding(
      "(/,' BEDDING=',F7.4,' CM',TR15,'BEDDING (AS APPARENT STRAIN   =',F5.2,'%',TR4,'FRACA=',"
      "F8.5,TR4,'INL. AXL. STRN.=',F5.2,' %',/,TR8,'=',F6.1,' 1/1000 IN',TR9,'BEDDING (% OF "
      "CORRECTED STRAIN)  =',F6.1,' %',TR2,'BEDDING (% OF INITIAL AXL. STRN.)=',F5.1,' %',/)");
  static const Layout seating(
      "(/,' SEATING=',F7.4,' CM',TR15,'SEATING (AS APPARENT STRAIN   =',F5.2,' %',/,TR8,'=',"
      "F6.1,' 1/1000 IN',TR9,'SEATING (% OF CORRECTED STRAIN)  =',F6.1,' %',/)");
  static const Layout kf_line(
      "(/,' KF=',I3,TR10,'TEST NO:',F5.2,TR10,'DELTA AT END=',F5.2,' %',TR10,'COL. 3/21: "
      "DWSPEC=',F6.2,' G',TR8,'RAT.MX.PP/PRES.TO SAT.=',F5.2)");
  static const Layout c1_head(
      "(/,TR4,'1/11    1/12    1/13    1/14    1/15    1/16    1/17  1/18    1/19',TR5,'**',TR5,"
      "'T2/1    T2/2    T2/3    T2/4    T2/5  T2/6',/,TR4,'WCINL  DWCSTS',TR5,'D',TR6,'H',TR5,"
      "'DENSBK  SATINL  CAVITY  PER3T4  PER3T8    **    TESTNO  S3IPSI  DEGCON  PPSOSH  STNRAT "
      "FRACA',/,TR4,'RATIO   (%)      (CM)   (CM)   (T/M3) (RAT.)',TR4,'(%)',TR5,'(%)',TR5,'(%)',"
      "TR6,'**',TR4,'SER/NO  (PSI)    (%)    KG/CM2  MM/MIN  RATIO',/,TR4,124('-'))");
  static const Layout c1_row(
      "(F9.3,F7.2,F9.3,F7.3,F8.3,F9.3,F7.2,F7.1,F9.1,F16.2,F8.1,F8.1,F8.3,F9.5,F8.4)");
  static const Layout c2_head(
      "(/,TR4,'T2/7    T2/8    T2/9    2/10    2/11    2/12    2/13  2/14    2/15    2/16    2/17 "
      "   2/18    2/19    2/20    2/222/23',/,TR3,'ASTNIN  BEDGMM  PERBED  STGMEC  SGSNME  SEATMM  "
      "STGSTNPSGMTT  TCFAIL  WCFIN.  DWCUUT  DWCPCU  DWCLEW  DWCMTE  CSLFPR   EXTM',/,TR3,' (%)   "
      "  (MM)    (%)',TR5,'(MM)   (RAT.)   (MM)    (%) (%)',TR5,'(HR)   (RAT.)   (%)',TR5,'(%)',"
      "TR5,'(%)',TR5,'(%)',TR4,'CC/M/K  KGF/CM',/,TR3,126('-'))");
  static const Layout c2_row(
      "(F8.2,F8.2,F8.1,F8.2,F9.4,F7.2,F8.2,F8.1,F8.1,F8.3,4F8.2,F10.7,F7.3)");
  static const Layout c3_head(
      "(/,TR4,'2/24',TR5,'**',TR5,'T3/1    T3/2    T3/3    T3/4    T3/5    T3/6    T3/7    T3/8  "
      "  T3/9    3/10    3/11    3/12    3/13  3/14',/,TR3,'ACTKFP',TR4,'**',TR4,'TESTNO  FAILMD   "
      "ALPA   DELTAS  BEDPER  STGPER  AXSTRN  VOLSTN  ERSIG1  CMS1DS  CMS1LR  CMS3DS  CMS3LR  "
      "CFS1DS',/,TR3,'KGF/CM',TR4,'**',TR4,'SER/NO   (NO)   (DEGR)   (%)',TR5,'(%)',TR5,'(%)',TR5,"
      "'(%)',TR5,'(%)',TR5,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2  KG/CM2  KG/CM2',/,TR3,126('-'))");
  static const Layout c3_row(
      "(F8.2,F16.2,F7.0,F9.1,F8.2,2F8.1,F8.2,F8.2,F9.1,3F8.3,F7.3,F9.3)");
  static const Layout c4_head(
      "(/,TR4,'3/15    3/16    3/17    3/18    3/19    3/20    3/21',TR5,'**',TR5,'AD/1    AD/2   "
      " AD/3    AD/4    AD/5    AD/6',/,TR3,'CFS1LR  PERCMB  PERCSD  ERMCBH  P.W.P.  EFFNS.  "
      "DEVSC',TR5,'**',TR4,'S3IPSI  S3IKGC  EXTCLI  BSTNCL  RBGTS3  BEDSNP',/,TR3,'KG/CM2   "
      "(%)',TR5,'(%)',TR5,'(%)',TR4,'KG/CM2  KG/CM2  KG/CM2    **    (PSI)   KG/CM2 .001IN  "
      "(RAT.)  (RAT.)   (%)',/,TR3,110('-'))");
  static const Layout c4_row(
      "(F9.3,F6.1,F9.1,F8.1,F9.3,F7.3,F8.3,F16.1,F9.3,F7.2,F9.4,F9.6,F6.2)");

  write(out, t1_head, {});
  for (int I = 1; I <= S.NREAD; ++I) {
    write(out, t1_row,
          {R.APSIG3(I), R.DURATN(I), R.VOLCH(I), R.PP(I), R.PARA2(I), R.SDIALP(I), R.PRDIAL(I),
           R.PARA3(I), R.AXSTRN(I), R.VOLSTN(I), R.EFFNS(I), R.DEVSC(I), R.TOTST(I), R.CORAR(I),
           R.ERRAC(I), R.S1S3(I)});
  }
  write(out, t2_head, {});
  for (int I = 1; I <= S.NREAD; ++I) {
    write(out, t2_row,
          {R.AXSTRN(I), R.SIG1UC(I), R.CMSIG1(I), R.SIG1C(I), R.ERSIG1(I), R.SIG3UC(I),
           R.CMSIG3(I), R.SIG3C(I), R.CMDEDS(I), R.CMDELR(I), R.ERMCBH(I), R.SIG1EF(I),
           R.SIG3EF(I), R.CUMFPR(I), R.CFSIG1(I), R.PERCMB(I), R.PERCSD(I)});
  }
  write(out, failure_time, {S.TCFAIL});
  write(out, bedding, {S.BEDCM, S.BEDSNP, S.FRACA, S.ASTNIN, S.BEDIN, S.BEDPER, S.PERBED});
  write(out, seating, {S.SEATCM, S.STGSTN, S.SEATIN, S.STGPER});
  // Values at a reading that the test does not have (no readings) are 0.
  const int N = S.NREAD;
  const int F = S.IFAIL;
  auto at = [](const Column& c, int i) { return Real(c.at(i)); };
  write(out, kf_line, {S.KF, S.TESTNO, at(R.DELTAS, N), S.DWSPEC, S.RPPSAT});
  write(out, c1_head, {});
  write(out, c1_row,
        {S.WCINL, S.DWCSTS, S.D, S.H, S.DENSBK, S.SATINL, S.CAVITY, S.PER3T4, S.PER3T8, S.TESTNO,
         S.S3IPSI, S.DEGCON, S.PPSOSH, S.STNRAT, S.FRACA});
  write(out, c2_head, {});
  write(out, c2_row,
        {S.ASTNIN, S.BEDGMM, S.PERBED, S.STGMEC, S.SGSNME, S.SEATMM, S.STGSTN, S.PSGMTT, S.TCFAIL,
         S.WCFIN, S.DWCUUT, S.DWCPCU, S.DWCLEW, S.DWCMTE, S.CSLFPR, S.EXTM});
  write(out, c3_head, {});
  write(out, c3_row,
        {S.ACTKFP, S.TESTNO, S.FAILMD, S.ALPA, at(R.DELTAS, F), S.BEDPER, S.STGPER,
         at(R.AXSTRN, F), at(R.VOLSTN, F), at(R.ERSIG1, F), at(R.CMS1DS, F), at(R.CMS1LR, F),
         at(R.CMS3DS, F), at(R.CMS3LR, F), at(R.CFS1DS, F)});
  write(out, c4_head, {});
  write(out, c4_row,
        {at(R.CFS1LR, F), at(R.PERCMB, F), at(R.PERCSD, F), at(R.ERMCBH, F), at(R.PP, F),
         at(R.EFFNS, F), at(R.DEVSC, F), S.S3IPSI, S.S3IKGC, S.EXTCLI, S.BSTNCL, S.RBGTS3,
         S.BEDSNP});
}

void write_kpa_form(control::RecordSink& out, const TestState& S, const ReadingTable& R) {
  static const Layout h1("(/,/,/,TR1,68('-'))");
  static const Layout h2("(TR4,'1',TR9,'2',TR9,'3',TR9,'4',TR9,'5',TR9,'6',TR9,'7',/,TR1,68('-'))");
  static const Layout h3(
      "(TR1,'AX.STRAIN VOL.INCR. CORR.AREA (S1+S3)/2 PORE PRES.(S1+S3)/2 (S1-S3)/2',/,TR3,'(%)',"
      "TR7,'(%)',TR7,'(CM2)     (KPA)',TR5,'(KPA)  EFF.(KPA)  (KPA)',/,TR1,68('-'))");
  static const Layout row("(F7.1,F10.2,F10.3,F11.2,3F10.1)");
  static const Layout failure_slope(
      "(/,' ********     TIME TO FAILURE =',F6.2,' HOURS; DV/DH AT FAILURE =',F5.2)");
  static const Layout end_slope(
      "(/,'                                         DV/DU AT END OF TEST =',F5.2,/)");
  static const Layout seating_line(
      "('              MAX.SEATING COR.=',F6.1,' DIVS.;      MAX. GRDPRS =',F6.3)");
  write(out, h1, {});
  write(out, h2, {});
  write(out, h3, {});
  for (int I = 1; I <= S.NREAD; ++I) {
    write(out, row,
          {R.AXSTRN(I), R.VOLSTN(I), R.CORAR(I), R.TOTKPA(I), R.PPKPA(I), R.EFFKPA(I), R.DEVKPA(I)});
  }
  write(out, failure_slope, {S.TCFAIL, S.DVDHF});
  write(out, end_slope, {S.DVDUE});
  // The seating line belongs to the short data form with the seating option;
  // a skipped seating step shows a correction and a gradient of 0.
  if (S.KDATA < 7 && (S.KOPT == 1 || S.KOPT == 2)) {
    const Real grdmax = S.SEATED ? Real(R.GRDPRS.at(S.IGMAX)) : Real(0.0);
    write(out, seating_line, {S.SEATED ? S.SEATCR : Real(0.0), grdmax});
  }
}

}  // namespace

void write_test_tables(control::RecordSink& out, const TestState& S, const ReadingTable& R) {
  if (S.KPRINT == 7 || S.KPRINT == 9) {
    write_kpa_form(out, S, R);
  } else if (S.KPRINT != 8) {
    write_full_form(out, S, R);
  }
}

void capture_envelope_point(const TestState& S, const ReadingTable& R, EnvelopeTable& E) {
  // A test without readings has no failure point to store.
  if (!(S.PARREG > 0) || S.NREAD < 1 || S.IFAIL < 1 || S.NTEST < 1) return;
  E.ensure_rows(S.NTEST);
  const auto row = static_cast<std::size_t>(S.NTEST - 1);
  const int F = S.IFAIL;
  E.SIGENV[row][0] = R.EFFKPA.at(F);
  E.TAUENV[row][0] = R.DEVKPA.at(F);
  if (S.KPRINT == 9) {
    E.SIGENV[row][1] = R.EFFKPA.at(S.IULT);
    E.TAUENV[row][1] = R.DEVKPA.at(S.IULT);
  } else {
    E.SIGENV[row][1] = R.TOTKPA.at(F);
    E.TAUENV[row][1] = R.DEVKPA.at(F);
  }
}

}  // namespace velmor::report
