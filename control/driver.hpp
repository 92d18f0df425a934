// The run: walks the data file through data-set headers and tests, hands each
// test to the evaluation steps in their fixed order, and at the end of the
// data fits the strength envelopes.
#pragma once

#include "control/layout.hpp"
#include "state/state.hpp"

namespace velmor::control {

struct Run {
  TestState S;
  ReadingTable R;
  EnvelopeTable E;
};

// Everything after the files are connected: run header, data sets, tests,
// envelope fits. S.INFILE and S.OUTFIL hold the names for the run header.
// Throws RunError when a record cannot be read; what was written stays.
void run_data(LineSource& data, RecordSink& report, Run& run);

}  // namespace velmor::control
