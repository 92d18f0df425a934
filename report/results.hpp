// The results of a run kept for other tools: every test as it was reported
// (its state and readings) and every envelope pass, written as one JSON
// document or as CSV tables. The fixed-column report does not depend on them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "state/state.hpp"

namespace velmor::report {

struct TestRecord {
  std::array<std::string, 3> titles;
  TestState S;
  ReadingTable R;
};

struct PassRecord {
  TestState S;  // KFIT, IPARRG and the fit results of the pass
  int N = 0;
};

class Results {
 public:
  void add_test(const std::array<std::string, 3>& titles, const TestState& S, const ReadingTable& R);
  void add_pass(const TestState& S, int N);
  void set_envelope(const EnvelopeTable& E, int N);
  // A run that ended early: what was reduced before the error is kept.
  void set_error(const std::string& message) { error_ = message; }

  // The JSON document; `data_file` and `report_file` as given.
  std::string to_json(const std::string& data_file, const std::string& report_file) const;
  // Writes readings-NN.csv, tests.csv and envelope.csv into `dir` (created
  // when missing). Returns false when a file cannot be written.
  bool write_csv(const std::string& dir) const;

  const std::vector<TestRecord>& tests() const { return tests_; }
  const std::vector<PassRecord>& passes() const { return passes_; }
  const EnvelopeTable& envelope() const { return E_; }
  int envelope_rows() const { return N_; }
  const std::string& error() const { return error_; }

 private:
  std::vector<TestRecord> tests_;
  std::vector<PassRecord> passes_;
  EnvelopeTable E_;
  int N_ = 0;
  std::string error_;
};

}  // namespace velmor::report
