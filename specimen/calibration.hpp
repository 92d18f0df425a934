// Apparatus constants of a test: the fixed values of the special apparatus,
// its interpolated cell calibrations, the filter-paper polynomial, the bedding
// ratio and the cell pressure converted from the gauge reading to kg/cm2.
#pragma once

#include "state/state.hpp"

namespace velmor::specimen {

// Runs once per test, after the specimen records are read and before
// evaluate_specimen(). CELLPR enters as read (psi) and leaves converted
// (kg/cm2); S3IPSI keeps the value as read.
void calibrate(TestState& S);

}  // namespace velmor::specimen
