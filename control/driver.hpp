// The run: walks the data file through data-set headers and tests, hands each
// test to the evaluation steps in their fixed order, and at the end of the
// data fits the strength envelopes.
#pragma once

#include <array>
#include <string>

#include "control/layout.hpp"
#include "report/results.hpp"
#include "state/state.hpp"

namespace velmor::control {

struct Run {
  TestState S;
  ReadingTable R;
  EnvelopeTable E;
  std::array<std::string, 3> titles;  // title lines of the current test
  report::Results* results = nullptr;  // when given, every test and fit is kept
};

// Everything after the files are connected: run header, data sets, tests,
// envelope fits. S.INFILE and S.OUTFIL hold the names for the run header.
// Throws RunError when a record cannot be read; what was written stays.
void run_data(LineSource& data, RecordSink& report, Run& run);

}  // namespace velmor::control
