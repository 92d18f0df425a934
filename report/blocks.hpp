// Report lines written before the readings of a test: run header, general
// data and note, title lead-in and title echo, coefficient line, sample
// properties, apparatus constants, conditions at end of consolidation.
#pragma once

#include "control/layout.hpp"
#include "state/state.hpp"

namespace velmor::report {

void write_run_header(control::RecordSink& out, const TestState& S);
// General-data block and the note on the 45-degree plane (short data form,
// once per data-set header). Forms WTOT first.
void write_general_data(control::RecordSink& out, TestState& S);
void write_title_lead_in(control::RecordSink& out);
// Echo of the title line just read: indented for KDATA 7 or more.
void write_title_line(control::RecordSink& out, const TestState& S);
// The specimen blocks of the test's data form.
void write_specimen_blocks(control::RecordSink& out, const TestState& S);

}  // namespace velmor::report
