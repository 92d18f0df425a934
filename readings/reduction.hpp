// Reduction of the readings of one test.
#pragma once

#include "state/state.hpp"

namespace velmor::readings {

// Time-order correction and, for short-form tests with KOPT exactly 1 or 2,
// the seating correction of the strain dial. Runs after all reading records
// of the test are in the table.
void prepare_readings(TestState& S, ReadingTable& R);

// Steps of the loop body for reading I, in the order the loop calls them.
void reduce_volume_load(TestState& S, ReadingTable& R, int I);      // times, volumes, pressures, load
void strain_step(TestState& S, ReadingTable& R, int I);             // axial and volumetric strain
void correct_before_plane(TestState& S, ReadingTable& R, int I);    // right-cylinder corrections
void correct_on_plane(TestState& S, ReadingTable& R, int I);        // sliding-halves corrections
void derive_reading(TestState& S, ReadingTable& R, int I);          // derived values, peak search

// The reading loop: I = 1..NREAD, each reading finished before the next.
void reduce_readings(TestState& S, ReadingTable& R);

}  // namespace velmor::readings
