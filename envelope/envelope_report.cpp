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

// Items of a coefficient line: one value per column (as many as the result
// has room for).
template <std::size_t K>
std::vector<OutItem> per_column(const std::array<Real, K>& values, int NCOL) {
  const auto n = static_cast<std::size_t>(std::clamp(NCOL, 0, static_cast<int>(K)));
  return std::vector<OutItem>(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(n));
}

// Value of row I (from 1) of a column; a row the table does not hold is 0.
Real cell(const Table& T, int I, int M) {
  const auto i = static_cast<std::size_t>(I - 1);
  return (I >= 1 && i < T.size()) ? T[i][static_cast<std::size_t>(M)] : Real{};
}

// Top of the strength table: the next multiple of 100 above SIGTOP, in
// integers; a value beyond the integer range gives the largest (or smallest)
// integer instead of overflowing.
double round_sigtop(double sigtop) {
  const long long top = static_cast<long long>(trunc_count(sigtop / 100)) * 100 + 100;
  return static_cast<double>(std::clamp<long long>(top, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

void write_items(control::RecordSink& out, const Layout& L, const std::vector<OutItem>& items) {
  write(out, L, std::span<const OutItem>(items));
}

}  // namespace

void write_envelope_report(control::RecordSink& out, TestState& S, const Table& SIG,
                           const Table& TAU, int N, int NCOL) {
  S.SIGTOP = round_sigtop(S.SIGTOP);
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
      for (int M = 0; M < std::min(NCOL, 2); ++M) {
        items.emplace_back(cell(SIG, I, M));
        items.emplace_back(cell(TAU, I, M));
      }
      write_items(out, row, items);
    }
    const int P = S.IPARRG;
    if (P == 1 || P == 3 || P == 4 || P == 5) {
      write_items(out, origin_cor, per_column(S.COFC0, NCOL));
      write_items(out, origin_phi, per_column(S.PHIORG, NCOL));
    }
    if (P == 2 || P == 3 || P == 5) {
      write_items(out, linear_cor, per_column(S.COFCOR, NCOL));
      write_items(out, cohesion, per_column(S.COHESN, NCOL));
      write_items(out, linear_phi, per_column(S.PHILRG, NCOL));
    }
    return;
  }

  static const Layout power_cor("(/,' POWER CURVE FIT: COEF.OF COR:',6F16.6)");
  static const Layout aconst("(TR28,'ACONST:',TR3,F7.4,5(TR1,F15.4))");
  static const Layout bexpnt("(TR28,'BEXPNT:',TR3,F7.4,5(TR1,F15.4))");
  static const Layout abscissa("(/,' STRENGTH FOR FOLLOWING (S1+S3)/2:',TR1,6(F6.1,TR1))");
  static const Layout strength("(TR1,'((S1-S3)/2)F=',F6.4,'*SIG**',F6.4,' : ',6(F6.1,TR1))");
  write_items(out, power_cor, per_column(S.COFCOR, NCOL));
  write_items(out, aconst, per_column(S.ACONST, NCOL));
  write_items(out, bexpnt, per_column(S.BEXPNT, NCOL));
  write_items(out, abscissa, per_column(S.SIGSTR, 5));
  std::vector<OutItem> items{S.ACONST[0], S.BEXPNT[0]};
  for (std::size_t K = 0; K < 5; ++K) items.emplace_back(S.TAUSTR[K]);
  write_items(out, strength, items);
}

}  // namespace velmor::envelope
