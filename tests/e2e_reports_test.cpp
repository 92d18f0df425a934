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
                                           "examples/special",
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
