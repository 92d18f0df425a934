// Strength envelopes through the failure points of all tests of a run, in the
// diagram of SIG = (S1+S3)/2 against TAU = (S1-S3)/2 (kPa): regression line
// through the origin, ordinary linear regression with cohesion, and (second
// pass, on the natural logarithms) the power curve TAU = ACONST * SIG**BEXPNT.
#pragma once

#include <array>
#include <vector>

#include "control/layout.hpp"
#include "state/state.hpp"

namespace velmor::envelope {

using Table = std::vector<std::array<Real, 2>>;

// Fits rows 1..N (Table rows 0..N-1) of NCOL columns, then writes the envelope
// report. KFIT (7 linear pass, 8 power-curve pass), IPARRG, KPRINT and SIGTOP
// come from S; the results are kept in S.
void envfit(control::RecordSink& out, TestState& S, const Table& SIG, const Table& TAU, int N,
            int NCOL);

// The fits alone (no report).
void fit_envelopes(TestState& S, const Table& SIG, const Table& TAU, int N, int NCOL);
// The report alone (after fit_envelopes), including the strength table.
void write_envelope_report(control::RecordSink& out, TestState& S, const Table& SIG,
                           const Table& TAU, int N, int NCOL);

}  // namespace velmor::envelope
