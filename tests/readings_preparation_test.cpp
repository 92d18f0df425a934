// Reading preparation: time order of the readings and the seating correction
// of the strain dial.
#include <gtest/gtest.h>

#include <vector>

#include "readings/reduction.hpp"

namespace velmor::readings {
namespace {

struct Lab {
  TestState S;
  ReadingTable R;
};

// A short-form test with option 1 whose strain dial and proving ring read
// `dial` and `ring` (divisions); the seating search covers rows 2..nseat.
Lab seating_test(const std::vector<float>& dial, const std::vector<float>& ring, int nseat) {
  Lab t;
  const int n = static_cast<int>(dial.size());
  t.S.KDATA = 3;
  t.S.KOPT = 1;
  t.S.PSETPR = 1;
  t.S.SIG3K = 2;
  t.S.ARAM = 1.5f;
  t.S.WTRAM = 1;
  t.S.PRCONS = 0.5f;  // ram thrust less ram weight: (2 * 1.5 - 1) / 0.5 = 4 divisions
  t.S.NREAD = n;
  t.S.NSEAT = nseat;
  t.R.clear(n);
  for (int I = 1; I <= n; ++I) {
    t.R.SDIAL(I) = dial[static_cast<std::size_t>(I - 1)];
    t.R.PRDIAL(I) = ring[static_cast<std::size_t>(I - 1)];
  }
  return t;
}

// Dial steps of 10 divisions with ring steps of 10 * g: the gradients of
// rows 2, 3, ... are g.
Lab gradient_test(const std::vector<float>& g) {
  std::vector<float> dial{0}, ring{0};
  for (const float x : g) {
    dial.push_back(dial.back() + 10);
    ring.push_back(ring.back() + 10 * x);
  }
  return seating_test(dial, ring, static_cast<int>(dial.size()));
}

std::vector<float> column(const Column& c) {
  std::vector<float> v;
  for (int I = 1; I <= c.size(); ++I) v.push_back(static_cast<float>(c.at(I)));
  return v;
}

TEST(ReadingsPreparation, DaysAndHoursBecomeRunningMaximaEachOnItsOwn) {
  const struct {
    std::vector<float> day, hour, minute, want_day, want_hour;
  } cases[] = {
      {{0, 1, 0, 2}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 1, 2}, {0, 0, 0, 0}},
      {{0, 0, 0}, {5, 3, 7}, {0, 0, 0}, {0, 0, 0}, {5, 5, 7}},
      // A new day does not excuse a smaller hour.
      {{0, 1}, {23, 1}, {0, 0}, {0, 1}, {23, 23}},
      // Both fields corrected at the same reading.
      {{1, 0}, {5, 3}, {0, 0}, {1, 1}, {5, 5}},
      // Minutes are never changed.
      {{0, 0, 0}, {1, 1, 1}, {30, 10, 50}, {0, 0, 0}, {1, 1, 1}},
  };
  for (const auto& c : cases) {
    Lab t;
    t.S.KDATA = 3;
    t.S.NREAD = static_cast<int>(c.day.size());
    t.R.clear(t.S.NREAD);
    for (int I = 1; I <= t.S.NREAD; ++I) {
      const auto k = static_cast<std::size_t>(I - 1);
      t.R.TDAY(I) = c.day[k];
      t.R.THOUR(I) = c.hour[k];
      t.R.TMIN(I) = c.minute[k];
    }
    prepare_readings(t.S, t.R);
    EXPECT_EQ(column(t.R.TDAY), c.want_day);
    EXPECT_EQ(column(t.R.THOUR), c.want_hour);
    EXPECT_EQ(column(t.R.TMIN), c.minute);
  }
}

TEST(ReadingsPreparation, SeatingReadingIsTheFirstLargestGradient) {
  const struct {
    std::vector<float> g;
    int igmax;
  } cases[] = {
      {{1, 3, 2, 3, 1}, 3},     // the equal gradient of row 5 does not replace row 3
      {{1, 2, 3, 4}, 5},        // rising through the range: IGMAX = NSEAT
      {{3, 2, 1, 0.5f}, 2},     // falling at once: the first gradient
      {{1, 2, 2, 1}, 3},        // a tie ends the rise at the earlier row
      {{1, 4, 2, 3, 5, 1}, 6},  // the tracking state still finds a later maximum
  };
  for (const auto& c : cases) {
    Lab t = gradient_test(c.g);
    prepare_readings(t.S, t.R);
    EXPECT_EQ(t.S.IGMAX, c.igmax) << ::testing::PrintToString(c.g);
    EXPECT_EQ(t.S.IGMAX1, c.igmax - 1);
    EXPECT_TRUE(t.S.SEATED);
    for (int I = 2; I <= t.S.NSEAT; ++I) {
      EXPECT_FLOAT_EQ(t.R.GRDPRS(I).v, c.g[static_cast<std::size_t>(I - 2)]) << I;
    }
  }
}

TEST(ReadingsPreparation, DialThatDoesNotMoveGivesAZeroGradient) {
  Lab t = seating_test({0, 10, 10, 30, 40}, {0, 10, 20, 50, 80}, 5);
  prepare_readings(t.S, t.R);
  EXPECT_EQ(t.R.DSDIAL(3), 0.0f);
  EXPECT_EQ(t.R.GRDPRS(3), 0.0f);
  EXPECT_EQ(t.R.GRDPRS(5), 3.0f);
  EXPECT_EQ(t.S.IGMAX, 5);
}

// Seven readings, seating search over rows 2..5 with gradients 0.6, 0.7, 1.0,
// 1.2: the seating reading is 4. Reading 7 has a far steeper gradient, but
// rows beyond NSEAT take no part in the search; every reading is corrected.
TEST(ReadingsPreparation, SeatingCorrectionWithAndWithoutTheRamThrust) {
  // PSETPR 0: net ring readings less 4 divisions, early ones not below 0.
  const std::vector<float> net{0.0f, 0.8333333f, 6.6666665f, 14.999999f, 25.0f, 35.0f, 45.0f};
  // PSETPR not 0: ring readings as read, a negative one gives a negative dial.
  const std::vector<float> as_read{-0.8333333f, 4.1666665f, 10.0f,     18.333332f,
                                   28.333332f,  38.333332f, 48.333332f};
  const struct {
    float psetpr, kopt, prdsea, seatcr;
    const std::vector<float>& sdial;
  } cases[] = {
      {0, 1, 18.0f, 15.000001f, net},
      {1, 1, 22.0f, 11.666667f, as_read},
      {1, 2, 22.0f, 11.666667f, as_read},
  };
  for (const auto& c : cases) {
    Lab t = seating_test({0, 10, 20, 30, 40, 50, 60}, {-1, 5, 12, 22, 34, 44, 150}, 5);
    t.S.PSETPR = c.psetpr;
    t.S.KOPT = c.kopt;
    prepare_readings(t.S, t.R);
    EXPECT_TRUE(t.S.SEATED);
    EXPECT_EQ(t.S.IGMAX, 5);
    EXPECT_EQ(t.S.IGMAX1, 4);
    EXPECT_EQ(t.S.PRDSEA, c.prdsea) << c.psetpr;
    EXPECT_EQ(t.S.SEATCR, c.seatcr) << c.psetpr;
    EXPECT_EQ(column(t.R.SDIAL), c.sdial) << c.psetpr;
  }
}

TEST(ReadingsPreparation, SeatingIsSkippedWhereItDoesNotApply) {
  const std::vector<float> dial{0, 10, 20, 30, 40, 50}, ring{0, 6, 13, 23, 35, 45};
  const struct {
    const char* why;
    float kdata, kopt;
    std::vector<float> ring;
    int nseat;
  } cases[] = {
      {"option 3", 3, 3, ring, 4},
      {"option 0", 3, 0, ring, 4},
      {"option not exactly 1", 3, 1.5f, ring, 4},
      {"full form with an option left by an earlier test", 7, 1, ring, 4},
      {"special apparatus with an option left", 7.85f, 2, ring, 4},
      {"no pair of gradients to compare", 3, 1, ring, 2},
      {"no load: largest gradient 0", 3, 1, {5, 5, 5, 5, 5, 5}, 4},
  };
  for (const auto& c : cases) {
    Lab t = seating_test(dial, c.ring, c.nseat);
    t.S.KDATA = c.kdata;
    t.S.KOPT = c.kopt;
    // Values left by an earlier seated test.
    t.S.SEATED = true;
    t.S.SEATCR = 12.5f;
    t.S.IGMAX = 2;
    t.S.IGMAX1 = 1;
    prepare_readings(t.S, t.R);
    EXPECT_FALSE(t.S.SEATED) << c.why;
    EXPECT_EQ(t.S.SEATCR, 0.0f) << c.why;
    EXPECT_EQ(column(t.R.SDIAL), dial) << c.why;
  }
}

TEST(ReadingsPreparation, NoReadingsOrOneReadingLeaveTheTableAlone) {
  for (const int n : {0, 1}) {
    Lab t = seating_test(std::vector<float>(static_cast<std::size_t>(n), 7.0f),
                         std::vector<float>(static_cast<std::size_t>(n), 3.0f), 0);
    if (n == 1) t.R.THOUR(1) = 4;
    prepare_readings(t.S, t.R);
    EXPECT_FALSE(t.S.SEATED);
    EXPECT_EQ(column(t.R.SDIAL), std::vector<float>(static_cast<std::size_t>(n), 7.0f));
    if (n == 1) {
      EXPECT_EQ(t.R.THOUR(1), 4.0f);
    }
  }
}

}  // namespace
}  // namespace velmor::readings
