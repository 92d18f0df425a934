// Reading preparation: time order and the seating correction of the strain dial.
#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

// Day and hour fields become running maxima, each on its own; minutes stay.
void correct_time_order(const TestState& S, ReadingTable& R) {
  for (int I = 2; I <= S.NREAD; ++I) {
    if (R.TDAY(I) - R.TDAY(I - 1) < 0) R.TDAY(I) = R.TDAY(I - 1);
    if (R.THOUR(I) - R.THOUR(I - 1) < 0) R.THOUR(I) = R.THOUR(I - 1);
  }
}

// Net proving-ring reading: with PSETPR 0 the ring also carries the thrust of
// the cell pressure on the ram less the ram weight.
double ram_term(const TestState& S) { return (S.SIG3K * S.ARAM - S.WTRAM) / S.PRCONS; }

void correct_seating(TestState& S, ReadingTable& R) {
  S.SEATED = false;
  S.SEATCR = 0;
  // The search compares at least one pair of gradients (rows 2 and 3).
  if (S.NSEAT < 3) return;

  for (int I = 2; I <= S.NSEAT; ++I) {
    R.DSDIAL(I) = R.SDIAL(I) - R.SDIAL(I - 1);
    R.DPRDIA(I) = R.PRDIAL(I) - R.PRDIAL(I - 1);
    if (R.DSDIAL(I) == 0) {
      R.GRDPRS(I) = 0;
    } else {
      R.GRDPRS(I) = R.DPRDIA(I) / R.DSDIAL(I);
    }
  }
  // The largest load-deformation gradient: first row where it peaks.
  for (int I = 2; I <= S.NSEAT; ++I) {
    if (S.KGRAD < 1) {
      S.KGRAD = S.KGRAD + 1;
    } else if (S.KGRAD == 1) {
      if (R.GRDPRS(I) - R.GRDPRS(I - 1) > 0) {
        S.IGMAX = I;
        S.IGMAX1 = I - 1;
      } else {
        S.IGMAX = I - 1;
        S.IGMAX1 = I - 2;
        S.KGRAD = 2;
      }
    } else if (R.GRDPRS(I) - R.GRDPRS(S.IGMAX) > 0) {
      S.IGMAX = I;
      S.IGMAX1 = I - 1;
    }
  }
  // A zero largest gradient gives no line to extrapolate: the dial stays as read.
  if (R.GRDPRS(S.IGMAX) == 0) return;

  if (S.PSETPR == 0) {
    S.PRDSEA = R.PRDIAL(S.IGMAX1) - ram_term(S);
  } else {
    S.PRDSEA = R.PRDIAL(S.IGMAX1);
  }
  // Dial reading at which the steepest line reaches zero net load.
  S.SEATCR = R.SDIAL(S.IGMAX1) - S.PRDSEA / R.GRDPRS(S.IGMAX);
  for (int I = 1; I <= S.NREAD; ++I) {
    if (I >= S.IGMAX1) {
      R.SDIAL(I) = R.SDIAL(I) - S.SEATCR;
    } else {
      if (S.PSETPR == 0) {
        S.PRNET = R.PRDIAL(I) - ram_term(S);
        if (S.PRNET < 0) S.PRNET = 0;
      } else {
        S.PRNET = R.PRDIAL(I);
      }
      R.SDIAL(I) = S.PRNET / R.GRDPRS(S.IGMAX);
    }
  }
  S.SEATED = true;
}

}  // namespace

void prepare_readings(TestState& S, ReadingTable& R) {
  correct_time_order(S, R);
  // Seating applies to the short data form with option 1 or 2 only; a test of
  // another form never inherits an option left by an earlier test.
  S.SEATED = false;
  if (S.KDATA < 7 && (S.KOPT == 1 || S.KOPT == 2)) {
    correct_seating(S, R);
  } else {
    S.SEATCR = 0;
  }
}

}  // namespace velmor::readings
