// The report of a test after its specimen blocks, in the form chosen by
// KPRINT (7 and 9: kPa table; 8: nothing; other: Table 1, Table 2 and the
// summary blocks), then the capture of the test's envelope point.
#pragma once

#include "control/layout.hpp"
#include "state/state.hpp"

namespace velmor::report {

void write_test_tables(control::RecordSink& out, const TestState& S, const ReadingTable& R);
// Stores the test's strength point in row NTEST when PARREG > 0.
void capture_envelope_point(const TestState& S, const ReadingTable& R, EnvelopeTable& E);

}  // namespace velmor::report
