// Output editing and the layout interpreter on output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "control/layout.hpp"

namespace velmor::control {
namespace {

struct FieldCase {
  float value;
  int w, d;
  const char* text;
};

TEST(ControlEditF, FieldTable) {
  const FieldCase cases[] = {
      {3.14159f, 6, 2, "  3.14"}, {-0.004f, 6, 2, "  0.00"}, {-0.006f, 6, 2, " -0.01"},
      {0.125f, 6, 2, "  0.13"},   {-0.125f, 6, 2, " -0.13"}, {1234.5f, 6, 2, "******"},
      {-0.5f, 5, 2, "-0.50"},     {-0.5f, 4, 2, "-.50"},     {0.5f, 4, 2, "0.50"},
      {0.5f, 3, 2, ".50"},        {-0.5f, 3, 2, "***"},      {2.0f, 7, 0, "     2."},
      {0.0f, 3, 0, " 0."},        {99.5f, 3, 0, "***"},      {7.0f, 3, 0, " 7."},
      {0.4f, 3, 0, " 0."},        {0.5f, 5, 3, "0.500"},     {-0.5f, 5, 3, "-.500"},
      {0.5f, 4, 3, ".500"},       {-0.5f, 4, 3, "****"},     {-0.0f, 6, 2, "  0.00"},
      {2.5f, 4, 0, "  3."},       {-2.5f, 4, 0, " -3."},     {0.35f, 6, 3, " 0.350"},
      {9.995f, 6, 2, "  9.99"},   {9.9951f, 6, 2, " 10.00"}, {1e20f, 8, 1, "********"},
      {98.07f, 9, 4, "  98.0700"},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(edit_f(c.value, c.w, c.d), c.text) << c.value << " F" << c.w << "." << c.d;
  }
}

TEST(ControlEditF, NotFiniteValuesAreNamedAfterABlank) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(edit_f(nan, 6, 2), " NaN  ");
  EXPECT_EQ(edit_f(-nan, 6, 2), " NaN  ");  // the sign bit of a NaN is not shown
  EXPECT_EQ(edit_f(nan, 3, 1), "***");
  EXPECT_EQ(edit_f(inf, 10, 7), " Infinity ");
  EXPECT_EQ(edit_f(-inf, 10, 2), " -Infinity");
  EXPECT_EQ(edit_f(-inf, 9, 2), "*********");
  EXPECT_EQ(edit_f(inf, 8, 3), "********");
}

TEST(ControlEditI, Table) {
  EXPECT_EQ(edit_i(5, 3), "  5");
  EXPECT_EQ(edit_i(-5, 3), " -5");
  EXPECT_EQ(edit_i(1000, 3), "***");
  EXPECT_EQ(edit_i(-99, 3), "-99");
}

// Independent reference: the exact decimal value of a float from its bits,
// with big-number arithmetic on decimal digit strings, rounded half away
// from zero, then laid out by the field rules.
std::string reference_f(float x, int w, int d) {
  std::uint32_t bits;
  std::memcpy(&bits, &x, 4);
  const bool neg = bits >> 31;
  const int e = static_cast<int>((bits >> 23) & 0xff);
  std::uint64_t m = bits & 0x7fffff;
  int exp2;
  if (e == 0) {
    exp2 = -149;
  } else {
    m |= 0x800000;
    exp2 = e - 150;
  }
  // value = m * 2^exp2 = (m * 5^k) / 10^k with k = -exp2 when exp2 < 0.
  std::vector<int> digits;  // little-endian decimal digits of an integer
  for (std::uint64_t t = m; t > 0; t /= 10) digits.push_back(static_cast<int>(t % 10));
  auto mul = [&](int f) {
    int carry = 0;
    for (int& dgt : digits) {
      const int v = dgt * f + carry;
      dgt = v % 10;
      carry = v / 10;
    }
    while (carry > 0) {
      digits.push_back(carry % 10);
      carry /= 10;
    }
  };
  int frac = 0;
  if (exp2 >= 0) {
    for (int i = 0; i < exp2; ++i) mul(2);
  } else {
    for (int i = 0; i < -exp2; ++i) mul(5);
    frac = -exp2;
  }
  // digits now hold value * 10^frac. Keep d fraction digits.
  while (static_cast<int>(digits.size()) <= frac) digits.push_back(0);
  std::vector<int> kept(digits.begin() + (frac - d > 0 ? frac - d : 0), digits.end());
  if (frac < d) kept.insert(kept.begin(), static_cast<std::size_t>(d - frac), 0);
  const bool up = frac - d > 0 && digits[static_cast<std::size_t>(frac - d - 1)] >= 5;
  if (up) {
    std::size_t i = 0;
    for (; i < kept.size(); ++i) {
      if (kept[i] == 9) {
        kept[i] = 0;
      } else {
        ++kept[i];
        break;
      }
    }
    if (i == kept.size()) kept.push_back(1);
  }
  std::string ip, fp;
  for (int i = static_cast<int>(kept.size()) - 1; i >= 0; --i) {
    (i >= d ? ip : fp).push_back(static_cast<char>('0' + kept[static_cast<std::size_t>(i)]));
  }
  while (!ip.empty() && ip[0] == '0') ip.erase(0, 1);
  const bool zero = ip.empty() && fp.find_first_not_of('0') == std::string::npos;
  std::string body = ip + "." + fp;
  const bool minus = neg && !zero;
  const int width = static_cast<int>(body.size()) + (minus ? 1 : 0);
  if (width > w) return std::string(static_cast<std::size_t>(w), '*');
  if (ip.empty() && width < w) body = "0" + body;
  if (minus) body = "-" + body;
  return std::string(static_cast<std::size_t>(w) - body.size(), ' ') + body;
}

TEST(ControlEditF, AgreesWithExactReferenceOnRandomValues) {
  std::mt19937 rng(20261210);
  std::uniform_int_distribution<std::uint32_t> bits_dist;
  std::uniform_int_distribution<int> d_dist(0, 8), extra_dist(1, 14), scale(-12, 12);
  for (int n = 0; n < 60000; ++n) {
    float x;
    switch (n % 3) {
      case 0: {  // any finite bit pattern of moderate size
        const std::uint32_t b = bits_dist(rng);
        std::memcpy(&x, &b, 4);
        if (!std::isfinite(x) || std::fabs(x) > 1e12f) continue;
        break;
      }
      case 1:  // values near decimal ties: k/2^j
        x = static_cast<float>(static_cast<int>(bits_dist(rng) % 200001) - 100000) /
            static_cast<float>(1 << (bits_dist(rng) % 12));
        break;
      default:  // decimal-looking values of every magnitude
        x = static_cast<float>((static_cast<double>(bits_dist(rng) % 2000001) - 1000000.0) *
                               std::pow(10.0, scale(rng) / 2));
    }
    const int d = d_dist(rng);
    const int w = d + extra_dist(rng);
    ASSERT_EQ(edit_f(x, w, d), reference_f(x, w, d)) << x << " F" << w << "." << d;
  }
}

std::vector<std::string> records(const char* layout, std::initializer_list<OutItem> items) {
  const Layout L(layout);
  return format_records(L, std::span<const OutItem>(items.begin(), items.size()));
}

TEST(ControlWrite, SlashesAndHeadingsWithoutItems) {
  EXPECT_EQ(records("(/,/,/)", {}), (std::vector<std::string>{"", "", "", ""}));
  const auto stars = records("(TR4,24('*  '),/,/,/)", {});
  ASSERT_EQ(stars.size(), 4u);
  EXPECT_EQ(stars[0].size(), 76u);  // the literal's trailing blanks belong to the record
  EXPECT_EQ(stars[0].substr(0, 8), "    *  *");
  EXPECT_EQ(records("(TR4,('*'),TR68,('*'))", {})[0], "    *" + std::string(68, ' ') + "*");
  EXPECT_EQ(records("(' it''s')", {})[0], " it's");
}

TEST(ControlWrite, EarlyEndAndFinalMoveAddNoTrailingBlanks) {
  // Four items of a six-pair row: the record ends after the fourth value,
  // without the blanks of the move that follows it.
  EXPECT_EQ(records("(TR34,6(2F7.1,TR2))", {1.0f, 2.0f, 3.0f, 4.0f}),
            (std::vector<std::string>{std::string(34, ' ') + "    1.0    2.0      3.0    4.0"}));
  EXPECT_EQ(records("(/,' COEF. OF CORRELATION FOR C = ZERO:',F10.6,F16.6)", {1.0f, 0.5f}),
            (std::vector<std::string>{"", " COEF. OF CORRELATION FOR C = ZERO:  1.000000        0.500000"}));
  // Literals before the data element that finds no item are still written.
  EXPECT_EQ(records("('A=',F4.1,' B=',F4.1)", {1.0f}), (std::vector<std::string>{"A= 1.0 B="}));
  EXPECT_EQ(records("(F6.2,TR5)", {1.0f}), (std::vector<std::string>{"  1.00"}));
}

TEST(ControlWrite, ReversionResumesAtTheLastTopLevelGroup) {
  EXPECT_EQ(records("(F4.1)", {1.0f, 2.0f}), (std::vector<std::string>{" 1.0", " 2.0"}));
  EXPECT_EQ(records("('X',2(F4.1))", {1.0f, 2.0f, 3.0f}),
            (std::vector<std::string>{"X 1.0 2.0", " 3.0"}));
  // A repeated element is not a group: reversion starts over.
  EXPECT_EQ(records("(2F4.1)", {1.0f, 2.0f, 3.0f}), (std::vector<std::string>{" 1.0 2.0", " 3.0"}));
}

TEST(ControlWrite, TextItemsKeepTheirTrailingBlanks) {
  std::array<OutItem, 20> words{"AB  ", "    ", "    ", "    ", "    ", "    ", "    ",
                                "    ", "    ", "    ", "    ", "    ", "    ", "    ",
                                "    ", "    ", "    ", "    ", "    ", "    "};
  const Layout L("(TR23,20A4)");
  const auto r = format_records(L, words);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0], std::string(23, ' ') + "AB" + std::string(78, ' '));
  EXPECT_EQ(records("(' *** ',A,' :')", {"demo.dat    "})[0], " *** demo.dat     :");
  EXPECT_EQ(records("(/,' KF=',I3)", {1})[1], " KF=  1");
  EXPECT_EQ(records("(F6.2)", {std::numeric_limits<float>::quiet_NaN()})[0], " NaN  ");
}

TEST(ControlLayout, MalformedLayoutsAreRejected) {
  for (const char* bad : {"F8.0", "(F8)", "(9F8.0", "('abc)", "(X3)", "(F8.0,)x"}) {
    EXPECT_THROW(Layout{bad}, std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace velmor::control
