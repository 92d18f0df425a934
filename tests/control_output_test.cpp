// Output editing (Fw.d, Iw) and the layout interpreter on output.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "control/layout.hpp"
#include "control/sinks.hpp"

namespace velmor::control {
namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

struct FieldCase {
  float value;
  int w, d;
  const char* text;
};

TEST(ControlEditF, FieldTable) {
  const FieldCase cases[] = {
      {3.14159f, 6, 2, "  3.14"},
      {-0.004f, 6, 2, "  0.00"},  // rounds to zero: no sign
      {-0.006f, 6, 2, " -0.01"},
      {0.125f, 6, 2, "  0.13"},  // exact tie, away from zero
      {-0.125f, 6, 2, " -0.13"},
      {1234.5f, 6, 2, "******"},
      {-0.5f, 5, 2, "-0.50"},
      {-0.5f, 4, 2, "-.50"},  // w = d+2 with a sign: no 0
      {0.5f, 4, 2, "0.50"},
      {0.5f, 3, 2, ".50"},  // w = d+1: never a 0
      {-0.5f, 3, 2, "***"},
      {2.0f, 7, 0, "     2."},
      {0.0f, 3, 0, " 0."},
      {99.5f, 3, 0, "***"},  // rounds to 100
      {7.0f, 3, 0, " 7."},
      {0.4f, 3, 0, " 0."},
      {123.0f, 3, 0, "***"},
      {0.4f, 1, 0, "."},
      {0.5f, 5, 3, "0.500"},
      {-0.5f, 5, 3, "-.500"},
      {0.5f, 4, 3, ".500"},
      {-0.5f, 4, 3, "****"},
      {-0.0f, 6, 2, "  0.00"},
      {2.5f, 4, 0, "  3."},
      {-2.5f, 4, 0, " -3."},
      {0.35f, 6, 3, " 0.350"},
      {9.995f, 6, 2, "  9.99"},  // 9.995f is 9.99499988...: the exact value decides
      {9.9951f, 6, 2, " 10.00"},
      {1.005f, 5, 2, " 1.00"},   // 1.00499999...
      {0.045f, 5, 2, " 0.05"},   // 0.0450000018...
      {1e20f, 8, 1, "********"},
      {1e20f, 23, 1, "100000002004087734272.0"},
      {1e20f, 22, 1, "**********************"},
      {98.07f, 9, 4, "  98.0700"},
      {-999.5f, 6, 1, "-999.5"},
      {-999.95f, 6, 1, "******"},
      {16777216.0f, 11, 2, "16777216.00"},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(edit_f(c.value, c.w, c.d), c.text) << c.value << " F" << c.w << "." << c.d;
  }
}

TEST(ControlEditF, NotFiniteValuesStartAfterABlank) {
  const FieldCase cases[] = {
      {kNaN, 6, 2, " NaN  "},
      {-kNaN, 6, 2, " NaN  "},  // the sign bit of a NaN is not shown
      {kNaN, 4, 2, " NaN"},
      {kNaN, 3, 1, "***"},
      {kInf, 10, 7, " Infinity "},
      {kInf, 9, 2, " Infinity"},
      {kInf, 8, 3, "********"},
      {-kInf, 10, 2, " -Infinity"},
      {-kInf, 12, 2, " -Infinity  "},
      {-kInf, 9, 2, "*********"},
  };
  for (const FieldCase& c : cases) {
    EXPECT_EQ(edit_f(c.value, c.w, c.d), c.text) << c.value << " F" << c.w << "." << c.d;
  }
  // 0/0 computed at run time carries the sign bit on common hardware.
  volatile float zero = 0.0f;
  EXPECT_EQ(edit_f(zero / zero, 6, 2), " NaN  ");
}

TEST(ControlEditI, Table) {
  const struct {
    long long v;
    int w;
    const char* text;
  } cases[] = {{5, 3, "  5"},     {-5, 3, " -5"}, {1000, 3, "***"}, {-99, 3, "-99"},
               {-100, 3, "***"}, {0, 3, "  0"},  {0, 1, "0"},      {std::numeric_limits<long long>::min(), 20,
                                                                     "-9223372036854775808"}};
  for (const auto& c : cases) EXPECT_EQ(edit_i(c.v, c.w), c.text) << c.v << " I" << c.w;
}

// Independent reference: the exact decimal value of a float from its bits,
// by schoolbook arithmetic on decimal digits, rounded half away from zero and
// laid out by the field rules.
std::string reference_f(float x, int w, int d) {
  std::uint32_t bits;
  std::memcpy(&bits, &x, 4);
  const bool neg = (bits >> 31) != 0;
  const int e = static_cast<int>((bits >> 23) & 0xff);
  std::uint64_t m = bits & 0x7fffff;
  int exp2 = -149;
  if (e != 0) {
    m |= 0x800000;
    exp2 = e - 150;
  }
  std::vector<int> digits;  // little-endian decimal digits of an integer
  for (std::uint64_t t = m; t > 0; t /= 10) digits.push_back(static_cast<int>(t % 10));
  auto mul = [&](int f) {
    long long carry = 0;
    for (int& dgt : digits) {
      const long long v = static_cast<long long>(dgt) * f + carry;
      dgt = static_cast<int>(v % 10);
      carry = v / 10;
    }
    for (; carry > 0; carry /= 10) digits.push_back(static_cast<int>(carry % 10));
  };
  // value = m * 2^exp2; with exp2 < 0 it is (m * 5^-exp2) / 10^-exp2.
  int frac = 0;
  if (exp2 >= 0) {
    for (int k = exp2; k > 0; k -= 8) mul(1 << (k < 8 ? k : 8));
  } else {
    frac = -exp2;
    for (int k = frac; k > 0; k -= 8) mul(k < 8 ? static_cast<int>(std::pow(5, k)) : 390625);
  }
  // digits hold value * 10^frac; keep d decimals, the next one decides.
  while (static_cast<int>(digits.size()) <= frac) digits.push_back(0);
  std::vector<int> kept(digits.begin() + (frac > d ? frac - d : 0), digits.end());
  if (frac < d) kept.insert(kept.begin(), static_cast<std::size_t>(d - frac), 0);
  if (frac > d && digits[static_cast<std::size_t>(frac - d - 1)] >= 5) {
    std::size_t i = 0;
    for (; i < kept.size() && kept[i] == 9; ++i) kept[i] = 0;
    if (i == kept.size()) kept.push_back(0);
    ++kept[i];
  }
  std::string ip, fp;
  for (std::size_t i = kept.size(); i-- > 0;) {
    (static_cast<int>(i) >= d ? ip : fp).push_back(static_cast<char>('0' + kept[i]));
  }
  ip.erase(0, ip.find_first_not_of('0') == std::string::npos ? ip.size() : ip.find_first_not_of('0'));
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
  std::uniform_int_distribution<int> small_d(0, 8), wide_d(0, 60), extra(1, 14), wide_extra(1, 50),
      scale(-24, 24);
  for (int n = 0; n < 120000; ++n) {
    float x = 0.0f;
    int d = small_d(rng);
    int w = d + extra(rng);
    switch (n % 4) {
      case 0: {  // any finite bit pattern, tiny and huge included, any precision
        const std::uint32_t b = bits_dist(rng);
        std::memcpy(&x, &b, 4);
        if (!std::isfinite(x)) continue;
        d = wide_d(rng);
        w = d + wide_extra(rng);
        break;
      }
      case 1:  // near and at decimal ties: k / 2^j
        x = static_cast<float>(static_cast<int>(bits_dist(rng) % 2000001) - 1000000) /
            static_cast<float>(1u << (bits_dist(rng) % 21));
        break;
      case 2:  // decimal-looking values of every magnitude
        x = static_cast<float>((static_cast<double>(bits_dist(rng) % 2000001) - 1000000.0) *
                               std::pow(10.0, scale(rng) / 2));
        break;
      default: {  // one unit in the last place around a tie of d decimals
        const double tie = (static_cast<double>(bits_dist(rng) % 100000) + 0.5) / std::pow(10.0, d);
        x = std::nextafter(static_cast<float>(tie), (n & 8) != 0 ? kInf : -kInf);
        if ((n & 16) != 0) x = -x;
      }
    }
    ASSERT_EQ(edit_f(x, w, d), reference_f(x, w, d)) << x << " F" << w << "." << d;
  }
}

std::vector<std::string> records(const char* layout, std::initializer_list<OutItem> items) {
  const Layout L(layout);
  return format_records(L, std::span<const OutItem>(items.begin(), items.size()));
}

using Records = std::vector<std::string>;

TEST(ControlWrite, SlashesAndHeadingsWithoutItems) {
  EXPECT_EQ(records("(/,/,/)", {}), (Records{"", "", "", ""}));
  const auto stars = records("(TR4,24('*  '),/,/,/)", {});
  ASSERT_EQ(stars.size(), 4u);
  std::string row(4, ' ');
  for (int k = 0; k < 24; ++k) row += "*  ";  // the literal's trailing blanks stay
  EXPECT_EQ(stars, (Records{row, "", "", ""}));
  EXPECT_EQ(records("(TR4,('*'),TR68,('*'))", {}), (Records{"    *" + std::string(68, ' ') + "*"}));
  EXPECT_EQ(records("(' it''s',A1)", {}), (Records{" it's"}));
  EXPECT_EQ(records("(TR1,68('-'))", {}), (Records{" " + std::string(68, '-')}));
}

TEST(ControlWrite, EarlyEndAndFinalMoveAddNoTrailingBlanks) {
  // Four items of a six-pair row: the record ends after the fourth value,
  // without the blanks of the move that follows it.
  EXPECT_EQ(records("(TR34,6(2F7.1,TR2))", {1.0f, 2.0f, 3.0f, 4.0f}),
            (Records{std::string(34, ' ') + "    1.0    2.0      3.0    4.0"}));
  EXPECT_EQ(records("(/,' COEF. OF CORRELATION FOR C = ZERO:',F10.6,F16.6)", {1.0f, 0.5f}),
            (Records{"", " COEF. OF CORRELATION FOR C = ZERO:  1.000000        0.500000"}));
  // Literals, moves and slashes before the data element that finds no item
  // are still carried out.
  EXPECT_EQ(records("('A=',F4.1,' B=',F4.1)", {1.0f}), (Records{"A= 1.0 B="}));
  EXPECT_EQ(records("(F4.1,/,'NEXT',TR3,F4.1)", {1.0f}), (Records{" 1.0", "NEXT"}));
  EXPECT_EQ(records("(F6.2,TR5)", {1.0f}), (Records{"  1.00"}));
  EXPECT_EQ(records("(TR5,F4.1)", {}), (Records{""}));
}

TEST(ControlWrite, ReversionResumesAtTheLastTopLevelGroup) {
  EXPECT_EQ(records("(F4.1)", {1.0f, 2.0f}), (Records{" 1.0", " 2.0"}));
  EXPECT_EQ(records("('X',2(F4.1))", {1.0f, 2.0f, 3.0f}), (Records{"X 1.0 2.0", " 3.0"}));
  // A repeated element is not a group: reversion starts over.
  EXPECT_EQ(records("('X',2F4.1)", {1.0f, 2.0f, 3.0f}), (Records{"X 1.0 2.0", "X 3.0"}));
  // The last group at the top level, with its count; inner groups do not count.
  EXPECT_EQ(records("('A',F2.0,2(TR1,F2.0),'B',(F2.0,1(F2.0)))", {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f}),
            (Records{"A1. 2. 3.B4.5.", "6.7."}));
  const auto r = records("(/,' ORDINARY LINEAR REGR.COHESN (kPa):',TR3,F7.3,5(TR1,F15.3))",
                         {1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f, 7.0f, 8.0f});
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0], "");
  EXPECT_EQ(r[1].substr(0, 45), " ORDINARY LINEAR REGR.COHESN (kPa):     1.000");
  EXPECT_EQ(r[1].size(), 45u + 5 * 16);
  EXPECT_EQ(r[2], "           7.000           8.000");
  // Reversion into a part that takes no item cannot use the items left.
  EXPECT_EQ(records("(F4.1,2('-'))", {1.0f, 2.0f}), (Records{" 1.0--"}));
}

TEST(ControlWrite, TextItems) {
  std::array<OutItem, 20> words{"AB  ", "    ", "    ", "    ", "    ", "    ", "    ",
                                "    ", "    ", "    ", "    ", "    ", "    ", "    ",
                                "    ", "    ", "    ", "    ", "    ", "    "};
  const Layout title("(TR23,20A4)");
  EXPECT_EQ(format_records(title, words), (Records{std::string(23, ' ') + "AB" + std::string(78, ' ')}));
  EXPECT_EQ(records("(' *** ',A,' :')", {"demo.dat    "}), (Records{" *** demo.dat     :"}));
  EXPECT_EQ(records("(A4,'|',A4,'|')", {"ABCDEF", "AB"}), (Records{"ABCD|AB  |"}));
  EXPECT_EQ(records("(/,' KF=',I3)", {1}), (Records{"", " KF=  1"}));
  EXPECT_EQ(records("(F6.2,F4.0)", {kNaN, 7}), (Records{" NaN    7."}));
}

TEST(ControlWrite, ItemOfTheWrongKindIsRejected) {
  EXPECT_THROW(records("(F6.2)", {"text"}), std::invalid_argument);
  EXPECT_THROW(records("(I3)", {1.5f}), std::invalid_argument);
  EXPECT_THROW(records("(A)", {1.5f}), std::invalid_argument);
}

TEST(ControlSinks, StringSinkEndsRecordsWithCarriageReturnLineFeed) {
  StringSink s;
  write(s, Layout("(' A',/,/,' B ')"), {});
  EXPECT_EQ(s.text, " A\r\n\r\n B \r\n");
}

TEST(ControlSinks, ConsoleSinkDropsCarriageControl) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  ConsoleSink con(f);
  write(con, Layout("(' PLEASE ',/,/,TR3,'X')"), {});
  std::rewind(f);
  char buf[64] = {};
  const std::size_t n = std::fread(buf, 1, sizeof buf, f);
  std::fclose(f);
  EXPECT_EQ(std::string(buf, n), "PLEASE \n\n  X\n");
}

TEST(ControlSinks, FileSinkWritesBytesAndReportsWriteErrors) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  FileSink ok(f, 6, "t.out");
  write(ok, Layout("(F5.1,/)"), {2.5f});
  ok.flush();
  std::rewind(f);
  char buf[16] = {};
  const std::size_t n = std::fread(buf, 1, sizeof buf, f);
  std::fclose(f);
  EXPECT_EQ(std::string(buf, n), "  2.5\r\n\r\n");

  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  std::setvbuf(full, nullptr, _IONBF, 0);
  FileSink bad(full, 6, "t.out");
  try {
    write(bad, Layout("(' X')"), {});
    ADD_FAILURE() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(), "velmor3: error (30): error writing file, unit 6, file t.out\n");
  }
  std::fclose(full);
}

}  // namespace
}  // namespace velmor::control
