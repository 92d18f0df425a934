// Derived values of a reading and the search for the failure reading.
#include <gtest/gtest.h>

#include <vector>

#include "readings/reduction.hpp"
#include "readings_fixture.hpp"

namespace velmor::readings {
namespace {

using testing::Lab;
using testing::loop_test;

// Runs the derived step over readings whose half deviators are `devsc` and
// intervals `dtime` (min); returns IFAIL after each reading.
std::vector<int> search(Lab& t, const std::vector<float>& devsc, const std::vector<float>& dtime) {
  std::vector<int> ifail;
  for (int I = 1; I <= t.S.NREAD; ++I) {
    t.R.DEVSC(I) = devsc[static_cast<std::size_t>(I - 1)];
    t.R.DTIME(I) = dtime[static_cast<std::size_t>(I - 1)];
    derive_reading(t.S, t.R, I);
    ifail.push_back(t.S.IFAIL);
  }
  return ifail;
}

TEST(ReadingsPeak, FailureIsTheFirstReadingWithTheLargestHalfDeviator) {
  const struct {
    std::vector<float> devsc;
    std::vector<int> ifail;
    float tcfail;
    int kpeak;
  } cases[] = {
      {{1, 2, 3, 4}, {0, 2, 3, 4}, 1.5f, 1},  // rising to the end
      {{4, 3, 2, 1}, {0, 1, 1, 1}, 0, 2},     // falling: the first reading, at time 0
      {{1, 2, 2, 1}, {0, 2, 2, 2}, 0.5f, 2},  // the equal value does not replace it
      {{1, 3, 2, 4}, {0, 2, 2, 4}, 1.5f, 2},  // the rise ends at 3, tracking finds 4
      {{1, 3, 2, 3}, {0, 2, 2, 2}, 0.5f, 2},  // nor does an equal value while tracking
  };
  for (const auto& c : cases) {
    Lab t = loop_test(4);
    EXPECT_EQ(search(t, c.devsc, {0, 30, 30, 30}), c.ifail) << ::testing::PrintToString(c.devsc);
    EXPECT_EQ(t.S.TCFAIL, c.tcfail) << ::testing::PrintToString(c.devsc);
    EXPECT_EQ(t.S.THOURS, 1.5f);
    EXPECT_EQ(t.S.KPEAK, c.kpeak);
  }
}

TEST(ReadingsPeak, FreeFormatReadingsCountFromTheStartTime) {
  Lab t = loop_test(3);
  t.S.KDATA = 2;
  t.S.KVOL = 90;  // readings start at 90 min
  std::vector<float> thours;
  for (int I = 1; I <= 3; ++I) {
    const float dtime[] = {0, 30, 45}, devsc[] = {3, 2, 1};
    t.R.DTIME(I) = dtime[I - 1];
    t.R.DEVSC(I) = devsc[I - 1];
    derive_reading(t.S, t.R, I);
    thours.push_back(t.S.THOURS.v);
  }
  // 1.5 h plus the reading's own interval, not accumulated.
  EXPECT_EQ(thours, (std::vector<float>{1.5f, 2.0f, 2.25f}));
  EXPECT_EQ(t.S.IFAIL, 1);
  EXPECT_EQ(t.S.TCFAIL, 1.5f);  // THOURS at reading 2 less its interval
}

TEST(ReadingsDerived, EffectiveStressesPercentagesAndKilopascals) {
  Lab t = loop_test(2);
  t.S.CUMLEK = 0.15f;
  t.R.SIG1C(1) = 2;
  t.R.SIG1C(2) = 2.5f;
  t.R.SIG3C(2) = 1.5f;
  t.R.PP(2) = 0.5f;
  t.R.TOTST(2) = 2;
  t.R.EFFNS(2) = 1.5f;
  t.R.DEVSC(2) = 0.25f;
  t.R.EPSAX(2) = 0.05f;
  t.R.EPSVOL(2) = -0.007f;
  t.R.SDIAL(2) = 0.254f;
  derive_reading(t.S, t.R, 1);
  derive_reading(t.S, t.R, 2);
  EXPECT_EQ(t.R.ERSIG1(1), 0.0f);
  EXPECT_EQ(t.R.ERSIG1(2), 25.0f);
  EXPECT_EQ(t.R.CUMFPR(2), 0.14475f);
  EXPECT_EQ(t.R.SIG1EF(2), 2.0f);
  EXPECT_EQ(t.R.SIG3EF(2), 1.0f);
  EXPECT_EQ(t.R.S1S3(2), 2.0f);
  EXPECT_EQ(t.R.AXSTRN(2), 5.0f);
  EXPECT_EQ(t.R.VOLSTN(2), -0.70000005f);
  EXPECT_EQ(t.R.SDIALP(2), 100.0f);  // 0.254 cm in thousandths of an inch
  EXPECT_EQ(t.R.PPKPA(2), 49.035f);
  EXPECT_EQ(t.R.TOTKPA(2), 196.14f);
  EXPECT_EQ(t.R.EFFKPA(2), 147.105f);
  EXPECT_EQ(t.R.DEVKPA(2), 24.5175f);
}

}  // namespace
}  // namespace velmor::readings
