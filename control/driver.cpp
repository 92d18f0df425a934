#include "control/driver.hpp"

#include <cmath>

#include "datafile/reader.hpp"
#include "envelope/envfit.hpp"
#include "readings/reduction.hpp"
#include "report/blocks.hpp"
#include "report/summary.hpp"
#include "report/tables.hpp"
#include "specimen/calibration.hpp"
#include "specimen/initial_state.hpp"

namespace velmor::control {
namespace {

enum class Next { header, full_test, special_test, short_test, end_of_data };

// Data-set header and, when announced, the gauge record. Returns the data form
// of the new data set.
Next read_dataset_header(LineSource& data, RecordSink& out, TestState& S) {
  datafile::read_record(data, datafile::dataset_header(), S);
  S.ARAM = ((S.DRAM * S.DRAM) * S.PI) / 4;
  S.KNEWDS = 0;
  if (S.KGAUGE > 0) datafile::read_record(data, datafile::gauge_record(), S);
  S.IPARRG = trunc_count(S.PARREG);
  if (S.KDATA < 7) {
    S.KSPEC = 0;
    S.WTOT = (S.WTCAP + S.WTRAM) + S.WTXTR;
    report::write_general_data(out, S);
    return Next::short_test;
  }
  if (S.KDATA <= 8) {
    S.KSPEC = 0;
    return Next::full_test;
  }
  // The special apparatus: every later test of the run counts as KDATA 7 or more.
  S.KSPEC = S.KDATA;
  S.KDATA = 7.85f;
  return Next::special_test;
}

// Title lead-in and the three title lines, each echoed as soon as it is read.
// Returns false when the data file ends at a title line: the end of the data.
bool read_titles(LineSource& data, RecordSink& out, Run& run) {
  TestState& S = run.S;
  report::write_title_lead_in(out);
  for (S.JTITLE = 1; S.JTITLE <= 3; ++S.JTITLE) {
    if (!datafile::read_title(data, S)) return false;
    run.titles[static_cast<std::size_t>(S.JTITLE - 1)] = S.TITLE;
    report::write_title_line(out, S);
  }
  return true;
}

void read_short_specimen(LineSource& data, TestState& S) {
  datafile::read_record(data, datafile::short_specimen(), S);
  if (S.KOPT == 2 || S.KOPT == 3) datafile::read_record(data, datafile::coefficient_record(), S);
  S.SIG3K = (S.CELLPR * S.CPSLOP) + S.CPCON;
  if (S.DHFRB == 0) {
    S.FRACA = 0.9999f;
  } else {
    S.FRACA = 1 - (S.DHFRB * 2) / S.H;
  }
  if (S.PRCNEW > 0) S.PRCONS = S.PRCNEW;
}

void read_full_specimen(LineSource& data, TestState& S) {
  datafile::read_record(data, datafile::full_specimen_1(), S);
  datafile::read_record(data, datafile::full_specimen_2(), S);
  datafile::read_record(data, datafile::full_specimen_3(), S);
  // The cell pressure of the short form does not belong to this test.
  S.SIG3K = 0;
}

void read_special_specimen(LineSource& data, TestState& S) {
  datafile::read_record(data, datafile::special_specimen_1(), S);
  datafile::read_record(data, datafile::special_specimen_2(), S);
  datafile::read_record(data, datafile::special_specimen_3(), S);
  // The special apparatus carries neither a short-form cell pressure nor a
  // volume-change option: its volumes are always fully corrected.
  S.SIG3K = 0;
  S.KVOL = 0;
}

// Evaluation of one test whose specimen records have been read.
void evaluate_test(LineSource& data, RecordSink& out, Run& run) {
  TestState& S = run.S;
  specimen::calibrate(S);
  specimen::evaluate_specimen(S);
  report::write_specimen_blocks(out, S);
  datafile::read_readings(data, S, run.R);
  readings::prepare_readings(S, run.R);
  readings::reduce_readings(S, run.R);
  report::summarize_test(S, run.R);
  report::write_test_tables(out, S, run.R);
  report::capture_envelope_point(S, run.R, run.E);
  if (run.results != nullptr) run.results->add_test(run.titles, S, run.R);
}

// End of the data: the envelope fits over all tests of the run.
void fit_envelopes(RecordSink& out, Run& run) {
  TestState& S = run.S;
  EnvelopeTable& E = run.E;
  S.KFIT = 7;
  if (S.NTEST <= 1 || S.IPARRG <= 0) return;
  E.ensure_rows(S.NSUMT);
  envelope::envfit(out, S, E.SIGENV, E.TAUENV, S.NSUMT, 2);
  if (run.results != nullptr) run.results->add_pass(S, S.NSUMT);
  if (S.IPARRG == 4 || S.IPARRG == 5) {
    S.KFIT = 8;
    S.SIGTOP = E.SIGENV[static_cast<std::size_t>(S.NSUMT - 1)][0];
    for (std::size_t i = 0; i < static_cast<std::size_t>(S.NSUMT); ++i) {
      for (std::size_t j = 0; j < 2; ++j) {
        E.SIGLOG[i][j] = std::log(static_cast<double>(E.SIGENV[i][j]));
        E.TAULOG[i][j] = std::log(static_cast<double>(E.TAUENV[i][j]));
      }
    }
    envelope::envfit(out, S, E.SIGLOG, E.TAULOG, S.NSUMT, 2);
    if (run.results != nullptr) run.results->add_pass(S, S.NSUMT);
  }
}

}  // namespace

void run_data(LineSource& data, RecordSink& out, Run& run) {
  TestState& S = run.S;
  S.NTEST = 0;
  report::write_run_header(out, S);

  Next next = Next::header;
  while (next != Next::end_of_data) {
    if (next == Next::header) {
      next = read_dataset_header(data, out, S);
      continue;
    }
    if (!read_titles(data, out, run)) {
      next = Next::end_of_data;
      break;
    }
    switch (next) {
      case Next::full_test: read_full_specimen(data, S); break;
      case Next::special_test: read_special_specimen(data, S); break;
      default: read_short_specimen(data, S); break;
    }
    evaluate_test(data, out, run);

    // Next test: the special apparatus never reads another header; a
    // short-form test with KNEWDS above 0 is followed by a new header.
    if (S.KSPEC > 8) {
      next = Next::special_test;
    } else if (S.KNEWDS > 0) {
      next = Next::header;
    } else if (S.KDATA >= 7) {
      next = Next::full_test;
    } else {
      next = Next::short_test;
    }
  }
  fit_envelopes(out, run);
  if (run.results != nullptr) run.results->set_envelope(run.E, S.NSUMT);
}

}  // namespace velmor::control
