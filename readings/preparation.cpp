// Reading preparation: time order and the seating correction of the strain dial.
#include <algorithm>

#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

// Day and hour fields become running maxima, each on its own (an hour that
// falls across a new day is still raised); minutes stay as read.
void correct_time_order(const TestState& S, ReadingTable& R) {
  const int n = std::min(S.NREAD, R.rows());
  for (int I = 2; I <= n; ++I) {
    if (R.TDAY(I) - R.TDAY(I - 1) < 0) R.TDAY(I) = R.TDAY(I - 1);
    if (R.THOUR(I) - R.THOUR(I - 1) < 0) R.THOUR(I) = R.THOUR(I - 1);
  }
}

// The thrust of the cell pressure on the ram less the ram weight, in ring
// divisions: with PSETPR 0 the ring readings include it.
double ram_term(const TestState& S) { return (S.SIG3K * S.ARAM - S.WTRAM) / S.PRCONS; }

// Load-deformation gradients over rows 2..nseat and the first row of the
// largest one (IGMAX), found by the rising/tracking search on KGRAD.
void search_gradient(TestState& S, ReadingTable& R, int nseat) {
  for (int I = 2; I <= nseat; ++I) {
    R.DSDIAL(I) = R.SDIAL(I) - R.SDIAL(I - 1);
    R.DPRDIA(I) = R.PRDIAL(I) - R.PRDIAL(I - 1);
    if (R.DSDIAL(I) == 0) {
      R.GRDPRS(I) = 0;
    } else {
      R.GRDPRS(I) = R.DPRDIA(I) / R.DSDIAL(I);
    }
  }
  for (int I = 2; I <= nseat; ++I) {
    if (S.KGRAD < 1) {
      S.KGRAD = S.KGRAD + 1;
    } else if (S.KGRAD == 1) {
      if (R.GRDPRS.at(I) - R.GRDPRS.at(I - 1) > 0) {
        S.IGMAX = I;
        S.IGMAX1 = I - 1;
      } else {
        S.IGMAX = I - 1;
        S.IGMAX1 = I - 2;
        S.KGRAD = 2;
      }
    } else if (R.GRDPRS.at(I) - R.GRDPRS.at(S.IGMAX) > 0) {
      S.IGMAX = I;
      S.IGMAX1 = I - 1;
    }
  }
}

// Moves the dial zero to where the steepest load-deformation line through the
// seating reading reaches zero net load. Returns false, leaving the dial as
// read, when no such line exists: fewer than two gradients to compare
// (NSEAT < 3) or a largest gradient of 0.
bool correct_seating(TestState& S, ReadingTable& R) {
  const int n = std::min(S.NREAD, R.rows());
  const int nseat = std::min(S.NSEAT, n);
  search_gradient(S, R, nseat);
  if (nseat < 3) return false;
  const double grdmax = R.GRDPRS.at(S.IGMAX);
  if (grdmax == 0) return false;

  if (S.PSETPR == 0) {
    S.PRDSEA = R.PRDIAL.at(S.IGMAX1) - ram_term(S);
  } else {
    S.PRDSEA = R.PRDIAL.at(S.IGMAX1);
  }
  S.SEATCR = R.SDIAL.at(S.IGMAX1) - S.PRDSEA / grdmax;
  // From the seating reading on the dial is shifted; before it each reading
  // is projected onto the line from its net ring reading.
  for (int I = 1; I <= n; ++I) {
    if (I >= S.IGMAX1) {
      R.SDIAL(I) = R.SDIAL(I) - S.SEATCR;
    } else {
      if (S.PSETPR == 0) {
        S.PRNET = R.PRDIAL(I) - ram_term(S);
        if (S.PRNET < 0) S.PRNET = 0;
      } else {
        S.PRNET = R.PRDIAL(I);
      }
      R.SDIAL(I) = S.PRNET / grdmax;
    }
  }
  return true;
}

}  // namespace

void prepare_readings(TestState& S, ReadingTable& R) {
  correct_time_order(S, R);
  // Seating belongs to the short data form with option 1 or 2; a full-form or
  // special test never inherits an option left by an earlier short-form test.
  // A test without a seating correction reports a correction of 0.
  const bool seating = S.KDATA < 7 && (S.KOPT == 1 || S.KOPT == 2);
  S.SEATED = seating && correct_seating(S, R);
  if (!S.SEATED) S.SEATCR = 0;
}

}  // namespace velmor::readings
