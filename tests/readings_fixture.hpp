// A short-form test ready for the reading loop, set up by hand: the specimen
// state after consolidation, the apparatus constants and n empty readings.
#pragma once

#include "state/state.hpp"

namespace velmor::readings::testing {

struct Lab {
  TestState S;
  ReadingTable R;
};

// Cell pressure 2 kg/cm2 (28.45 psi applied), manometer pore pressures
// (zero 50), fully corrected volumes, ring of 0.5 kgf per division without
// the ram thrust, specimen 8 cm high (7.8 cm at the start of shear), membrane
// and side drains, shear plane at 55 degrees.
inline Lab loop_test(int n) {
  Lab t;
  TestState& S = t.S;
  S.KDATA = 3;
  S.KVOL = 3;
  S.SIG3K = 2;
  S.CELLPR = 2;
  S.CSLFPR = 0.001f;
  S.ZEROM = 50;
  S.PSETPR = 2;
  S.PRCONS = 0.5f;
  S.ARAM = 2;
  S.WTRAM = 1;
  S.WTCAP = 0.25f;
  S.WTXTR = 0.5f;
  S.MASS = 100;
  S.SEATCM = 0.05f;
  S.H = 8;
  S.HSOFSH = 7.8f;
  S.EPSCON = 0.01f;
  S.BEDRAT = 0.002f;
  S.VOLSH = 85;
  S.VOLINL = 88;
  S.DVVINL = -0.02f;
  S.ASH = 11.2f;
  S.CMEM1 = 0.05f;
  S.CMEM3 = 0.03f;
  S.D = 3.8f;
  S.EXTM = 0.35f;
  S.ACTKFP = 0.19f;
  S.PCFPSD = 6;
  S.CFP0 = 0.3f;
  S.CFP1 = 20;
  S.CFP2 = -100;
  S.CFP3 = 500;
  S.CFP4 = -1000;
  S.TANAL = 1.428148f;  // 55 degrees
  S.SINAL = 0.81915206f;
  S.COSAL = 0.57357645f;
  S.CFPA = 1.23494f;  // with a friction angle of 30 degrees
  S.CFPB = 0.30104f;
  S.NREAD = n;
  t.R.clear(n);
  for (int I = 1; I <= n; ++I) t.R.APSIG3(I) = 28.45f;
  return t;
}

}  // namespace velmor::readings::testing
