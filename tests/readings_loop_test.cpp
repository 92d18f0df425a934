// The reading loop over a whole test: the steps of each reading in order, the
// choice between the corrections before and past the shear plane, and the
// failure point of the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readings/reduction.hpp"
#include "readings_fixture.hpp"

namespace velmor::readings {
namespace {

using testing::Lab;
using testing::loop_test;

// Readings every 20 min, dial moving 40 divisions each, ring 10 + 3 I.
Lab steady_test(int n) {
  Lab t = loop_test(n);
  for (int I = 1; I <= n; ++I) {
    t.R.TMIN(I) = static_cast<float>(20 * (I - 1));
    t.R.SDIAL(I) = static_cast<float>(40 * (I - 1));
    t.R.RAMDSP(I) = t.R.SDIAL(I);
    t.R.PRDIAL(I) = static_cast<float>(10 + 3 * I);
    t.R.VOLRD1(I) = 20;
    t.R.PP(I) = 40;
  }
  return t;
}

TEST(ReadingsLoop, WorkedShortFormTest) {
  Lab t = loop_test(4);
  const float minute[] = {0, 20, 40, 60}, burette[] = {20, 19.8f, 19.5f, 19.4f},
              dial[] = {0, 40, 80, 120}, ring[] = {2, 14, 17, 16}, pp[] = {40, 38, 36, 37};
  for (int I = 1; I <= 4; ++I) {
    t.R.TMIN(I) = minute[I - 1];
    t.R.VOLRD1(I) = burette[I - 1];
    t.R.SDIAL(I) = dial[I - 1];
    t.R.RAMDSP(I) = dial[I - 1];
    t.R.PRDIAL(I) = ring[I - 1];
    t.R.PP(I) = pp[I - 1];
  }
  prepare_readings(t.S, t.R);
  reduce_readings(t.S, t.R);
  const struct {
    float sdial, pp, epsax, epsvol, corar, devsc, effns;
  } want[] = {
      {0, 0.242f, 0, 0, 11.2f, 0.05162126f, 1.8089427f},
      {0.1016f, 0.2924f, 0.006615384f, 0.0004329502f, 11.279467f, 0.31046063f, 2.0173974f},
      {0.2032f, 0.3428f, 0.019641025f, 0.0020423532f, 11.44772f, 0.3552612f, 2.0118573f},
      {0.3048f, 0.3176f, 0.032666665f, 0.0012988279f, 11.59326f, 0.3287359f, 2.010527f},
  };
  for (int I = 1; I <= 4; ++I) {
    const auto& w = want[I - 1];
    EXPECT_EQ(t.R.SDIAL(I), w.sdial) << I;
    EXPECT_EQ(t.R.PP(I), w.pp) << I;
    EXPECT_EQ(t.R.EPSAX(I), w.epsax) << I;
    EXPECT_EQ(t.R.EPSVOL(I), w.epsvol) << I;
    EXPECT_EQ(t.R.CORAR(I), w.corar) << I;
    EXPECT_EQ(t.R.DEVSC(I), w.devsc) << I;
    EXPECT_EQ(t.R.EFFNS(I), w.effns) << I;
  }
  EXPECT_EQ(t.S.IFAIL, 3);
  EXPECT_EQ(t.S.TCFAIL, 0.6666667f);
  EXPECT_EQ(t.S.THOURS, 1.0f);
}

TEST(ReadingsLoop, ReadingsPastThePlaneNeedAnEarlierReadingToSlideFrom) {
  const struct {
    std::vector<float> para3;
    int npost, iref;
    std::vector<bool> before_plane;
  } cases[] = {
      {{0, 0, 1, 1}, 2, 2, {true, true, false, false}},
      // The first reading has nothing to slide from: reduced before the plane
      // and not counted; the next ones slide from it.
      {{1, 1, 1}, 2, 1, {true, false, false}},
      // A reading before the plane in between: NPOST counts all readings past it.
      {{0, 1, 0, 1}, 2, 2, {true, false, true, false}},
  };
  for (const auto& c : cases) {
    const int n = static_cast<int>(c.para3.size());
    Lab t = steady_test(n);
    for (int I = 1; I <= n; ++I) t.R.PARA3(I) = c.para3[static_cast<std::size_t>(I - 1)];
    reduce_readings(t.S, t.R);
    const std::string name = ::testing::PrintToString(c.para3);
    EXPECT_EQ(t.S.NPOST, c.npost) << name;
    EXPECT_EQ(t.S.IREF, c.iref) << name;
    for (int I = 1; I <= n; ++I) {
      // Only the corrections before the plane form CM1PRE; sliding forms DELTAS.
      EXPECT_EQ(t.R.CM1PRE(I) != 0, c.before_plane[static_cast<std::size_t>(I - 1)]) << name << I;
      EXPECT_EQ(t.R.DELTAS(I) != 0, !c.before_plane[static_cast<std::size_t>(I - 1)]) << name << I;
    }
  }
}

TEST(ReadingsLoop, FailurePointBelongsToTheTest) {
  const struct {
    int nread;
    int ifail;
    float tcfail;
  } cases[] = {
      {0, 0, 0},     // no readings: no failure reading
      {1, 1, 1.5f},  // one reading: it fails, at THOURS after it
  };
  for (const auto& c : cases) {
    Lab t = steady_test(c.nread);
    t.S.KDATA = 2;
    t.S.KVOL = 90;  // free-format readings starting at 1.5 h
    // Left by an earlier test.
    t.S.IFAIL = 7;
    t.S.TCFAIL = 3.5f;
    reduce_readings(t.S, t.R);
    EXPECT_EQ(t.S.IFAIL, c.ifail) << c.nread;
    EXPECT_EQ(t.S.TCFAIL, c.tcfail) << c.nread;
  }
}

}  // namespace
}  // namespace velmor::readings
