// Single-valued results of a test derived after its readings are reduced:
// ultimate reading, KF, DEGCON, PPSOSH, strain rate in mm/min, bedding and
// seating shares, volume-change slopes, PPSAT, BSAT, RPPSAT.
#pragma once

#include "state/state.hpp"

namespace velmor::report {

void summarize_test(TestState& S, ReadingTable& R);

}  // namespace velmor::report
