// The records of the data file: for each record its layout and, field by
// field, the quantity it fills with its meaning and unit. This one table
// drives the reader, and names fields in messages about the data file.
#pragma once

#include <span>
#include <string_view>

#include "control/layout.hpp"
#include "state/state.hpp"

namespace velmor::datafile {

struct Field {
  std::string_view name;     // quantity filled, as printed in the report
  std::string_view unit;     // "-" for codes and ratios without unit
  std::string_view meaning;  // one line for the person who types the file
  Real TestState::*scalar = nullptr;  // target of a specimen or header field
  Column ReadingTable::*column = nullptr;  // target of a reading field
};

struct Record {
  std::string_view name;    // e.g. "short-form specimen record"
  std::string_view layout;  // record layout, e.g. "(9F8.0)"
  std::span<const Field> fields;
  bool per_reading = false;  // one record per reading of the test
};

// The records, in the order a run meets them.
const Record& dataset_header();
const Record& gauge_record();
const Record& short_specimen();
const Record& coefficient_record();
const Record& full_specimen_1();
const Record& full_specimen_2();
const Record& full_specimen_3();
const Record& special_specimen_1();
const Record& special_specimen_2();
const Record& special_specimen_3();
const Record& short_reading();
const Record& full_reading();
const Record& special_reading();
// Free-format readings (KDATA exactly 2): SDIAL and PRDIAL, free format.
const Record& free_reading();
// Title line: 80 characters, layout (20A4).
inline constexpr std::string_view title_layout = "(20A4)";

// Every record with fields, for documentation and checks.
std::span<const Record* const> all_records();

// The parsed layout of a record (parsed once).
const control::Layout& layout_of(const Record& rec);

}  // namespace velmor::datafile
