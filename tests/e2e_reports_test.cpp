// Complete reports of the bundled examples, byte for byte: one data set per
// data form, every report form and both envelope passes.
#include <gtest/gtest.h>

#include "e2e_support.hpp"

namespace velmor::e2e {
namespace {

class E2eReport : public ::testing::TestWithParam<const char*> {};

TEST_P(E2eReport, MatchesTheCheckedReport) {
  const std::string name = GetParam();
  Scratch s("report-" + name);
  std::filesystem::copy_file(source_path("examples/" + name + ".dat"), s / (name + ".dat"));
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
                         ::testing::Values("short-form", "full-form", "special"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                           std::string n = p.param;
                           for (char& c : n) c = c == '-' ? '_' : c;
                           return n;
                         });

}  // namespace
}  // namespace velmor::e2e
