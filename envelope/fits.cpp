// Envelope fits in the diagram of SIG = (S1+S3)/2 against TAU = (S1-S3)/2:
// the slope of a line is the sine of the friction angle, its intercept the
// cohesion times the cosine of that angle.
#include <algorithm>
#include <cmath>

#include "envelope/envfit.hpp"

namespace velmor::envelope {

namespace {

// Value of row I (from 1) of a column; a row the table does not hold is a test
// that stored no point, 0.
double cell(const Table& T, int I, std::size_t m) {
  const auto i = static_cast<std::size_t>(I - 1);
  return (I >= 1 && i < T.size()) ? static_cast<double>(T[i][m]) : 0.0;
}

}  // namespace

void fit_envelopes(TestState& S, const Table& SIG, const Table& TAU, int N, int NCOL) {
  const auto n = static_cast<double>(N);
  // The results have room for two columns (the peak and the second point).
  const int ncol = std::min(NCOL, static_cast<int>(S.COFCOR.size()));
  for (int M = 0; M < ncol; ++M) {
    const auto m = static_cast<std::size_t>(M);
    auto x = [&](int I) { return cell(SIG, I, m); };
    auto y = [&](int I) { return cell(TAU, I, m); };
    Real Sxy = 0, Sxx = 0, Sx = 0, Sy = 0, Syy = 0;
    for (int I = 1; I <= N; ++I) {
      Sxy = Sxy + x(I) * y(I);
      Sxx = Sxx + x(I) * x(I);
      Sx = Sx + x(I);
      Sy = Sy + y(I);
      Syy = Syy + y(I) * y(I);
    }
    const Real SXY = Sxy - Sy * Sx / n;
    const Real SXX = Sxx - Sx * Sx / n;
    const Real SYY = Syy - Sy * Sy / n;
    // The sign of the correlation is not kept.
    S.COFCOR[m] = std::sqrt(SXY * SXY / (SYY * SXX));

    // Line through the origin.
    if (S.IPARRG != 2) {
      const Real B0 = Sxy / Sxx;
      S.PHIORG[m] = std::asin(B0) * 180 / S.PI;
      const Real YM = Sy / n;
      Real SSR = 0, SST = 0;
      for (int I = 1; I <= N; ++I) {
        SSR = SSR + (y(I) - B0 * x(I)) * (y(I) - B0 * x(I));
        SST = SST + (y(I) - YM) * (y(I) - YM);
      }
      const Real VY = SST / (n - 1);
      const Real R0 = 1 - (SSR / (n - 1)) / VY;
      S.COFC0[m] = std::sqrt(R0);
    }

    // Ordinary linear regression with cohesion.
    if (S.IPARRG == 2 || S.IPARRG == 3 || S.IPARRG == 5) {
      const Real B = SXY / SXX;
      S.PHILRG[m] = std::asin(B) * 180 / S.PI;
      const Real XM = Sx / n;
      const Real YM = Sy / n;
      const Real A = YM - XM * B;
      S.COHESN[m] = A / std::cos(S.PI * S.PHILRG[m] / 180);
    }

    // Power curve: straight line through the logarithms.
    if (S.KFIT == 8) {
      S.BEXPNT[m] = SXY / SXX;
      const Real XM = Sx / n;
      const Real YM = Sy / n;
      S.ACONST[m] = std::exp(YM - XM * S.BEXPNT[m]);
    }
  }
}

void envfit(control::RecordSink& out, TestState& S, const Table& SIG, const Table& TAU, int N,
            int NCOL) {
  fit_envelopes(S, SIG, TAU, N, NCOL);
  write_envelope_report(out, S, SIG, TAU, N, NCOL);
}

}  // namespace velmor::envelope
