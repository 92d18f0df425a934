// Complete reports, byte for byte: the bundled examples (every data form, the
// report forms 0, 7 and 9, both envelope passes) and a report of form 8.
#include <gtest/gtest.h>

#include "e2e_support.hpp"

namespace velmor::e2e {
namespace {

class E2eReport : public ::testing::TestWithParam<const char*> {};

TEST_P(E2eReport, MatchesTheCheckedReport) {
  const std::string path = GetParam();
  const std::string name = path.substr(path.rfind('/') + 1);
  Scratch s("report-" + name);
  std::filesystem::copy_file(source_path(path + ".dat"), s / (name + ".dat"));
  const Outcome o = s.run("", name + ".dat " + name + ".out");
  ASSERT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  const std::string got = slurp(s / (name + ".out"));
  const std::string want = slurp(source_path("tests/expected/" + name + ".out"));
  // Compare line by line first, so that a failure shows the first line that differs.
  std::size_t a = 0, b = 0;
  int line = 1;
  while (a < got.size() && b < want.size()) {
    const std::size_t ea = got.find('\n', a), eb = want.find('\n', b);
    ASSERT_EQ(got.substr(a, ea - a), want.substr(b, eb - b)) << name << ".out line " << line;
    if (ea == std::string::npos || eb == std::string::npos) break;
    a = ea + 1;
    b = eb + 1;
    ++line;
  }
  EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(Examples, E2eReport,
                         ::testing::Values("examples/short-form", "examples/full-form",
                                           "examples/calibrated-cell",
                                           // report form 8, no gauge record, two blank
                                           // lines after the last test
                                           "tests/fixtures/kprint8"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                           std::string n = p.param;
                           n = n.substr(n.rfind('/') + 1);
                           for (char& c : n) c = c == '-' ? '_' : c;
                           return n;
                         });

}  // namespace
}  // namespace velmor::e2e

namespace velmor::e2e {
namespace {

// A data file that ends inside a record of each kind: the run ends with the
// end-of-file message, and the report keeps exactly what was written before.
struct Cut {
  const char* example;
  int lines;         // lines kept
  const char* what;  // the record the file ends in
};

class E2eCutFile : public ::testing::TestWithParam<Cut> {};

TEST_P(E2eCutFile, EndsWithTheEndOfFileMessageAndKeepsTheReport) {
  const Cut c = GetParam();
  const std::string name = c.example;
  Scratch s("cut-" + name + "-" + std::to_string(c.lines));
  const std::string full = slurp(source_path("examples/" + name + ".dat"));
  std::size_t end = 0;
  for (int k = 0; k < c.lines; ++k) end = full.find('\n', end) + 1;
  spit(s / (name + ".dat"), full.substr(0, end));
  const Outcome o = s.run("", name + ".dat " + name + ".out");
  EXPECT_EQ(o.status, 1) << c.what;
  EXPECT_EQ(o.err, "velmor3: error (20): end-of-file during read, unit 5, file " + name +
                       ".dat\n  the file ends after line " + std::to_string(c.lines) + "\n")
      << c.what;
  const std::string report = slurp(s / (name + ".out"));
  const std::string complete = slurp(source_path("tests/expected/" + name + ".out"));
  EXPECT_FALSE(report.empty());
  EXPECT_EQ(complete.compare(0, report.size(), report), 0) << c.what;
  EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Records, E2eCutFile,
    ::testing::Values(Cut{"short-form", 0, "data-set header"}, Cut{"short-form", 1, "gauge record"},
                      Cut{"short-form", 6, "short-form specimen record"},
                      Cut{"short-form", 7, "coefficient record"},
                      Cut{"short-form", 12, "short-form reading"},
                      Cut{"short-form", 56, "free-format reading"},
                      Cut{"full-form", 6, "full-form specimen record 1"},
                      Cut{"full-form", 9, "full-form specimen record 2"},
                      Cut{"full-form", 11, "full-form specimen record 3"},
                      Cut{"full-form", 13, "full-form reading"},
                      Cut{"calibrated-cell", 8, "special specimen record 1"},
                      Cut{"calibrated-cell", 9, "special specimen record 2"},
                      Cut{"calibrated-cell", 10, "special specimen record 3"},
                      Cut{"calibrated-cell", 20, "special reading"}),
    [](const ::testing::TestParamInfo<Cut>& p) {
      std::string n = std::string(p.param.example) + "_" + std::to_string(p.param.lines);
      for (char& ch : n) ch = ch == '-' ? '_' : ch;
      return n;
    });

}  // namespace
}  // namespace velmor::e2e
