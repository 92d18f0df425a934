// Reading the records of the data file into the shared state.
#pragma once

#include "control/layout.hpp"
#include "datafile/records.hpp"
#include "state/state.hpp"

namespace velmor::datafile {

// Reads one record of specimen or header fields into S, field by field in the
// record's order (a later field of the same name replaces an earlier value).
void read_record(control::LineSource& src, const Record& rec, TestState& S);

// Reads a title line into S.TITLE. Returns false at the end of the file (the
// normal end of the data).
bool read_title(control::LineSource& src, TestState& S);

// Forms NREAD and NSEAT from RNREAD and reads the reading records of the
// current test by its data form. The table is cleared first: every column the
// data form does not read is 0 for this test. Short-form readings take the
// test's cell pressure as read (S3IPSI) as APSIG3 and the strain dial as read
// as RAMDSP.
void read_readings(control::LineSource& src, TestState& S, ReadingTable& R);

}  // namespace velmor::datafile
