// The specimen before shearing: dimensions, density, saturation, porosity,
// water contents, bedding and seating, state at the end of consolidation,
// angle terms and membrane coefficients. Also counts the test and resets the
// per-test counters of the reading reduction.
#pragma once

#include "state/state.hpp"

namespace velmor::specimen {

// Runs once per test, right after calibrate().
void evaluate_specimen(TestState& S);

}  // namespace velmor::specimen
