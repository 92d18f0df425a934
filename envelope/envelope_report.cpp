// The envelope report: summary of all tests and the fitted coefficients
// (linear pass), or the power curve with its strength table.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "envelope/envfit.hpp"

namespace velmor::envelope {

using control::Layout;
using control::OutItem;
using control::write;

namespace {

// Items of a coefficient line: one value per column.
std::vector<OutItem> per_column(const Real* values, int NCOL) {
  return std::vector<OutItem>(values, values + NCOL);
}

void write_items(control::RecordSink& out, const Layout& L, const std::vector<OutItem>& items) {
  write(out, L, std::span<const OutItem>(items));
}

}  // namespace

void write_envelope_report(control::RecordSink& out, TestState& S, const Table& SIG,
                           const Table& TAU, int N, int NCOL) {
  // Top of the strength table: the next multiple of 100 above SIGTOP.
  const double hundreds = std::trunc(S.SIGTOP / 100);
  const double top = (std::isnan(hundreds) ? 0.0 : std::clamp(hundreds, -21474836.0, 21474835.0)) * 100 + 100;
  S.SIGTOP = static_cast<double>(static_cast<int>(top));
  const Real STEP = S.SIGTOP / 5;
  Real sum = 0;
  for (std::size_t K = 0; K < 5; ++K) {
    sum = sum + STEP;
    S.SIGSTR[K] = sum;
    S.TAUSTR[K] = std::pow(static_cast<double>(S.SIGSTR[K]), static_cast<double>(S.BEXPNT[0])) *
                  S.ACONST[0];
  }

  if (S.KFIT != 8) {
    static const Layout head9(
        "(/,TR1,' SUMMARY OF ALL TESTS:',TR17,'AT             AT',/,TR2,'NOTE: SIG = (S1+S3)/2 "
        "(KPA)',TR7,'  PEAK STR.      ULT. STR.   ',/,TR8,'TAU = (S1-S3)/2 (KPA)',TR7,'SIG    TAU "
        "     SIG    TAU',/,TR36,28('-'))");
    static const Layout head(
        "(/,TR1,' SUMMARY OF ALL TESTS:',TR20,'AT PEAK STRENGTH ',/,TR2,'NOTE: SIG = (S1+S3)/2 "
        "(KPA)',TR7,'EFFECTIVE STR.   TOTAL STRESS',/,TR8,'TAU = (S1-S3)/2 (KPA)',TR7,'SIG    "
        "TAU      SIG    TAU',/,TR36,28('-'))");
    static const Layout row("(TR34,6(2F7.1,TR2))");
    static const Layout origin_cor("(/,' COEF. OF CORRELATION FOR C = ZERO:',F10.6,F16.6)");
    static const Layout origin_phi(
        "(/,' REGR.FORCED THRO.ORIGIN.PHI (deg):',TR3,F7.3,5(TR1,F15.3))");
    static const Layout linear_cor("(/,' COEF. OF COR. WITH C, COFCOR:',6F16.6)");
    static const Layout cohesion("(/,' ORDINARY LINEAR REGR.COHESN (kPa):',TR3,F7.3,5(TR1,F15.3))");
    static const Layout linear_phi("(TR22,'PHILRG (deg):',TR3,F7.3,5(TR1,F15.3))");

    write(out, S.KPRINT == 9 ? head9 : head, {});
    for (int I = 1; I <= N; ++I) {
      std::vector<OutItem> items;
      for (int M = 0; M < NCOL; ++M) {
        items.emplace_back(SIG[static_cast<std::size_t>(I - 1)][static_cast<std::size_t>(M)]);
        items.emplace_back(TAU[static_cast<std::size_t>(I - 1)][static_cast<std::size_t>(M)]);
      }
      write_items(out, row, items);
    }
    const int P = S.IPARRG;
    if (P == 1 || P == 3 || P == 4 || P == 5) {
      write_items(out, origin_cor, per_column(S.COFC0.data(), NCOL));
      write_items(out, origin_phi, per_column(S.PHIORG.data(), NCOL));
    }
    if (P == 2 || P == 3 || P == 5) {
      write_items(out, linear_cor, per_column(S.COFCOR.data(), NCOL));
      write_items(out, cohesion, per_column(S.COHESN.data(), NCOL));
      write_items(out, linear_phi, per_column(S.PHILRG.data(), NCOL));
    }
    return;
  }

  static const Layout power_cor("(/,' POWER CURVE FIT: COEF.OF COR:',6F16.6)");
  static const Layout aconst("(TR28,'ACONST:',TR3,F7.4,5(TR1,F15.4))");
  static const Layout bexpnt("(TR28,'BEXPNT:',TR3,F7.4,5(TR1,F15.4))");
  static const Layout abscissa("(/,' STRENGTH FOR FOLLOWING (S1+S3)/2:',TR1,6(F6.1,TR1))");
  static const Layout strength("(TR1,'((S1-S3)/2)F=',F6.4,'*SIG**',F6.4,' : ',6(F6.1,TR1))");
  write_items(out, power_cor, per_column(S.COFCOR.data(), NCOL));
  write_items(out, aconst, per_column(S.ACONST.data(), NCOL));
  write_items(out, bexpnt, per_column(S.BEXPNT.data(), NCOL));
  write_items(out, abscissa, per_column(S.SIGSTR.data(), 5));
  std::vector<OutItem> items{S.ACONST[0], S.BEXPNT[0]};
  for (std::size_t K = 0; K < 5; ++K) items.emplace_back(S.TAUSTR[K]);
  write_items(out, strength, items);
}

}  // namespace velmor::envelope
