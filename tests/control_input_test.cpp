// Reading records: numeric fields, text fields, lines, free format, errors.
#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "control/layout.hpp"

namespace velmor::control {
namespace {

TEST(ControlNumericField, Table) {
  const struct {
    const char* field;
    float value;
  } cases[] = {
      {"   1.5", 1.5f},   {"1 2 5", 125.0f}, {"125   ", 125.0f}, {"1.5+2", 150.0f},
      {"1.5D+02", 150.0f}, {"1.5E2", 150.0f}, {"1.5q2", 150.0f}, {"", 0.0f},
      {"        ", 0.0f}, {"-2.", -2.0f},    {"+.25", 0.25f},   {"\t 7", 7.0f},
      {"0.1", 0.1f},      {"1e-50", 0.0f},   {"3.4028235e38", std::numeric_limits<float>::max()},
      {"0.80000001192092896", 0.8f},
  };
  for (const auto& c : cases) {
    float v = -1.0f;
    ASSERT_TRUE(parse_numeric_field(c.field, v)) << '"' << c.field << '"';
    EXPECT_EQ(v, c.value) << '"' << c.field << '"';
  }
  for (const char* bad : {"12A", "1.2.3", "1\t2", "E5", "1.5E", "--1", "1e39", "+", "."}) {
    float v = 0.0f;
    EXPECT_FALSE(parse_numeric_field(bad, v)) << '"' << bad << '"';
  }
}

TEST(ControlNumericField, CorrectlyRoundedFromTheDecimal) {
  // 16777217 lies half-way between two floats: ties go to even; one more
  // digit decides the other way, which a detour through double would lose.
  float v = 0.0f;
  ASSERT_TRUE(parse_numeric_field("16777217", v));
  EXPECT_EQ(v, 16777216.0f);
  ASSERT_TRUE(parse_numeric_field("16777217.00000000001", v));
  EXPECT_EQ(v, 16777218.0f);
}

struct Fixture {
  explicit Fixture(std::string text) : src(std::move(text), 5, "t.dat") {}
  LineSource src;
};

std::array<Real, 9> read9(LineSource& src) {
  static const Layout L("(9F8.0)");
  std::array<Real, 9> v{};
  read(src, L, {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]});
  return v;
}

TEST(ControlRead, ShortLineAndCommas) {
  Fixture f("     1.5     2.0  3.\n1,2,3\n\n");
  auto a = read9(f.src);
  EXPECT_EQ(a[0], 1.5f);
  EXPECT_EQ(a[1], 2.0f);
  EXPECT_EQ(a[2], 3.0f);
  for (int k = 3; k < 9; ++k) EXPECT_EQ(a[static_cast<std::size_t>(k)], 0.0f);
  auto b = read9(f.src);
  EXPECT_EQ(b[0], 1.0f);
  EXPECT_EQ(b[1], 2.0f);
  EXPECT_EQ(b[2], 3.0f);
  EXPECT_EQ(b[3], 0.0f);
  auto c = read9(f.src);  // an all-blank line gives zeros
  for (Real x : c) EXPECT_EQ(x, 0.0f);
}

TEST(ControlRead, ReversionConsumesWholeLines) {
  // 31 items with (9F8.0): 9 + 9 + 9 + 4 fields, the rest of line 4 ignored.
  std::string text;
  for (int line = 0; line < 4; ++line) {
    for (int k = 1; k <= 9; ++k) text += "      " + std::to_string(line) + ".";
    text += "\n";
  }
  text += "     99.\n";
  Fixture f(text);
  static const Layout L("(9F8.0)");
  std::array<Real, 31> v{};
  std::vector<InItem> items(v.begin(), v.end());
  read(f.src, L, items);
  EXPECT_EQ(v[8], 0.0f);
  EXPECT_EQ(v[9], 1.0f);
  EXPECT_EQ(v[27], 3.0f);
  EXPECT_EQ(v[30], 3.0f);
  EXPECT_EQ(read9(f.src)[0], 99.0f);
}

TEST(ControlRead, TitlesLineEndsAndEndOfFile) {
  Fixture f("TITLE ONE\r\n" + std::string(78, '.') + "WXYZ\n\x1a\nnever read\n");
  static const Layout L("(20A4)");
  std::string t(80, '?');
  std::vector<InItem> words;
  for (std::size_t k = 0; k < 20; ++k) words.emplace_back(std::span<char>(t.data() + 4 * k, 4));
  ASSERT_EQ(read(f.src, L, words, true), ReadStatus::ok);
  EXPECT_EQ(t, "TITLE ONE" + std::string(71, ' '));  // CR dropped, blank-padded
  ASSERT_EQ(read(f.src, L, words, true), ReadStatus::ok);
  EXPECT_EQ(t.substr(76), "..WX");  // characters after the 80th are not read
  EXPECT_EQ(read(f.src, L, words, true), ReadStatus::end_of_file);  // byte 26 ends the file
}

TEST(ControlRead, ErrorsNameUnitFileLineAndColumns) {
  Fixture f("      1.    1.2x\n");
  try {
    read9(f.src);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(),
              "velmor3: error (21): input conversion error, unit 5, file t.dat\n"
              "  line 1, columns 9-16: \"    1.2x\"\n");
  }
  try {
    read9(f.src);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(),
              "velmor3: error (20): end-of-file during read, unit 5, file t.dat\n"
              "  the file ends after line 1\n");
  }
}

TEST(ControlReadFree, ValuesAcrossLinesRepeatsNullsAndSlash) {
  Fixture f("125 , 340\n125\n77 88 99\n2*5\n,9\n1 /\n");
  Real a = 0, b = 0;
  std::array<Real*, 2> two{&a, &b};
  read_free(f.src, two);
  EXPECT_EQ(a, 125.0f);
  EXPECT_EQ(b, 340.0f);
  read_free(f.src, two);  // the second value from the next line, its rest ignored
  EXPECT_EQ(a, 125.0f);
  EXPECT_EQ(b, 77.0f);
  read_free(f.src, two);
  EXPECT_EQ(a, 5.0f);
  EXPECT_EQ(b, 5.0f);
  read_free(f.src, two);  // an empty value keeps the item
  EXPECT_EQ(a, 5.0f);
  EXPECT_EQ(b, 9.0f);
  read_free(f.src, two);  // a slash ends the read
  EXPECT_EQ(a, 1.0f);
  EXPECT_EQ(b, 9.0f);
}

TEST(ControlReadFree, MalformedValueIsAnError) {
  Fixture f("12 3x4\n");
  Real a = 0, b = 0;
  std::array<Real*, 2> two{&a, &b};
  try {
    read_free(f.src, two);
    FAIL();
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(),
              "velmor3: error (22): free-format input error, unit 5, file t.dat\n"
              "  line 1, columns 4-6: \"3x4\"\n");
  }
}

}  // namespace
}  // namespace velmor::control
