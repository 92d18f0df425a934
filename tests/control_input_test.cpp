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

namespace velmor::control {
namespace {

std::vector<std::string> all_lines(LineSource& src) {
  std::vector<std::string> out;
  std::string_view line;
  while (src.next_line(line)) out.emplace_back(line);
  return out;
}

TEST(ControlLineSource, SplitsAtLineFeeds) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string content;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},                       // the last line needs no line feed
      {"a\r\r\n\n", {"a\r", ""}},                   // only the CR right before LF goes
      {"a\n\x1a\nb\n", {"a"}},                      // a line of byte 26 ends the file
      {"a\n\x1a", {"a"}},
      {"a\n\x1a\r\n", {"a"}},
      {"a\n\x1a\x1a\nb", {"a", "\x1a\x1a", "b"}},  // only when it stands alone
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  for (const auto& c : cases) {
    LineSource src(c.content, 5, "t.dat");
    EXPECT_EQ(all_lines(src), c.lines) << c.content;
    EXPECT_TRUE(src.at_end());
    EXPECT_EQ(src.line_number(), static_cast<int>(c.lines.size()));
  }
}

TEST(ControlNumericField, MoreForms) {
  const struct {
    std::string field;
    float value;
  } cases[] = {
      {"1.5-2", 0.015f},
      {"15-1", 1.5f},
      {"1 .5", 1.5f},
      {"-1.5d1", -15.0f},
      {"1.5E 2", 150.0f},
      {"1e-45", 1e-45f},  // nearest denormal
      {"1e-46", 0.0f},    // beyond: zero
      {"3.40282356e38", std::numeric_limits<float>::max()},
      {"0.1000000014901161193847656250000000000001", 0.1f},
      {"1" + std::string(1000, '0') + "e-1000", 1.0f},
      {"0." + std::string(2000, '0') + "25e2001", 2.5f},
      // Half-way between 1 and the next float, then one digit more far out.
      {"1.000000059604644775390625", 1.0f},
      {"1.000000059604644775390625" + std::string(3000, '0') + "1", 1.00000012f},
  };
  for (const auto& c : cases) {
    float v = -1.0f;
    ASSERT_TRUE(parse_numeric_field(c.field, v)) << c.field.substr(0, 40);
    EXPECT_EQ(v, c.value) << c.field.substr(0, 40);
  }
  float v = 1.0f;
  ASSERT_TRUE(parse_numeric_field("-0", v));
  EXPECT_TRUE(v == 0.0f && std::signbit(v));
  for (const char* bad : {"3.40282357e38", "1e999999999999", "-1e40", "1.5E+", "1.5-", "1e2.5", "1 2\t"}) {
    EXPECT_FALSE(parse_numeric_field(bad, v)) << bad;
  }
}

Fixture lines(std::initializer_list<const char*> text) {
  std::string s;
  for (const char* l : text) s += std::string(l) + "\n";
  return Fixture(s);
}

TEST(ControlRead, SixteenItemsOfEightFieldsTakeTwoLines) {
  std::string l1, l2;
  for (int k = 1; k <= 8; ++k) l1 += "       " + std::to_string(k) + ".5";
  for (int k = 1; k <= 8; ++k) l2 += "      -" + std::to_string(k) + ".0";
  Fixture f(l1 + "\n" + l2 + "     99.\n    next\n");
  static const Layout L("(8F10.0)");
  std::array<Real, 16> v{};
  read(f.src, L, std::vector<InItem>(v.begin(), v.end()));
  EXPECT_EQ(v[0], 1.5f);
  EXPECT_EQ(v[7], 8.5f);
  EXPECT_EQ(v[8], -1.0f);
  EXPECT_EQ(v[15], -8.0f);
  EXPECT_EQ(f.src.line_number(), 2);  // the rest of the second line is ignored
}

TEST(ControlRead, ReversionGroupsAndSlashes) {
  {
    Fixture f = lines({"   1   2   3", "   4   5   6", "   7"});
    Real a, b, c, d, e;
    read(f.src, Layout("(F4.0,2(F4.0))"), {a, b, c, d, e});  // resumes at the group
    EXPECT_EQ(std::vector<double>({a, b, c, d, e}), std::vector<double>({1, 2, 3, 4, 5}));
    EXPECT_EQ(f.src.line_number(), 2);
  }
  {
    Fixture f = lines({"   1   2", "   3   4"});
    Real a, b;
    read(f.src, Layout("(TR4,F4.0,/,F4.0)"), {a, b});
    EXPECT_EQ(a, 2.0f);
    EXPECT_EQ(b, 3.0f);
  }
  {
    Fixture f = lines({"12345", "6"});
    Real a, b;
    read(f.src, Layout("(F2.0,TR1,F2.0)"), {a, b});
    EXPECT_EQ(a, 12.0f);
    EXPECT_EQ(b, 45.0f);
    read(f.src, Layout("(F3.1)"), {a});  // d scales a field without a point
    EXPECT_EQ(a, 0.6f);
  }
}

TEST(ControlRead, TextFields) {
  Fixture f = lines({"  demo.dat  xyz", "short", "ABCDEFG"});
  std::array<char, 12> name{};
  std::array<char, 4> w1{}, w2{};
  read(f.src, Layout("(A)"), {std::span<char>(name)});
  EXPECT_EQ(std::string(name.data(), 12), "  demo.dat  ");  // beyond the 12th: not read
  read(f.src, Layout("(A)"), {std::span<char>(name)});
  EXPECT_EQ(std::string(name.data(), 12), "short       ");
  read(f.src, Layout("(A4,A4)"), {std::span<char>(w1), std::span<char>(w2)});
  EXPECT_EQ(std::string(w1.data(), 4), "ABCD");
  EXPECT_EQ(std::string(w2.data(), 4), "EFG ");  // blanks where the line ended
}

TEST(ControlRead, EndOfFile) {
  {
    Fixture f("");
    Real a;
    EXPECT_EQ(read(f.src, Layout("(20A4)"), {a}, true), ReadStatus::end_of_file);
    try {
      read(f.src, Layout("(9F8.0)"), {a});
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      EXPECT_EQ(e.code(), ErrorCode::end_of_file);
      EXPECT_EQ(e.detail(), "  the file ends after line 0");
    }
  }
  {
    // Met after the first line, the end of the file is an error even where
    // an end branch was asked for.
    Fixture f("       1\n");
    std::array<Real, 10> v{};
    try {
      read(f.src, Layout("(9F8.0)"), std::vector<InItem>(v.begin(), v.end()), true);
      ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
      EXPECT_EQ(e.message(),
                "velmor3: error (20): end-of-file during read, unit 5, file t.dat\n"
                "  the file ends after line 1\n");
    }
  }
}

TEST(ControlRead, ConversionErrorShowsTheField) {
  const struct {
    std::string line;
    const char* layout;
    const char* detail;
  } cases[] = {
      {"12A", "(9F8.0)", "  line 1, columns 1-8: \"12A\""},
      {"1,2x,3", "(9F8.0)", "  line 1, columns 3-4: \"2x\""},
      {"  1\t2", "(F8.0)", "  line 1, columns 1-8: \"  1\\t2\""},
      {std::string("1\x01\"\\", 4), "(F8.0)", "  line 1, columns 1-8: \"1\\x01\\\"\\\\\""},
      {std::string(50, '7') + "x", "(F60.0)",
       "  line 1, columns 1-60: \"7777777777777777777777777777777777777777...\""},
  };
  for (const auto& c : cases) {
    Fixture f(c.line + "\n");
    std::array<Real, 9> v{};
    try {
      read(f.src, Layout(c.layout), std::vector<InItem>(v.begin(), v.end()));
      ADD_FAILURE() << "no error for " << c.line;
    } catch (const RunError& e) {
      EXPECT_EQ(std::string(e.what()), "input conversion error, unit 5, file t.dat");
      EXPECT_EQ(e.code(), ErrorCode::conversion);
      EXPECT_EQ(e.detail(), c.detail);
    }
  }
}

TEST(ControlReadFree, MoreForms) {
  Fixture f = lines({",  2*,7", "1.5+2 2*3E0 6", "4 5 , ,", "8", "1e40"});
  Real a = -1, b = -1, c = -1, d = -1;
  std::array<Real*, 4> four{&a, &b, &c, &d};
  read_free(f.src, four);  // a leading comma is an empty first value; r* empty values
  EXPECT_EQ(std::vector<double>({a, b, c, d}), std::vector<double>({-1, -1, -1, 7}));
  read_free(f.src, four);
  EXPECT_EQ(std::vector<double>({a, b, c, d}), std::vector<double>({150, 3, 3, 6}));
  // Continues over lines; a comma before the line end does not make an empty value.
  read_free(f.src, four);
  EXPECT_EQ(std::vector<double>({a, b, c, d}), std::vector<double>({4, 5, 3, 8}));
  std::array<Real*, 1> one{&a};
  try {
    read_free(f.src, one);
    ADD_FAILURE() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.code(), ErrorCode::conversion);
    EXPECT_EQ(e.detail(), "  line 5, columns 1-4: \"1e40\"");
  }
}

TEST(ControlReadFree, Errors) {
  for (const char* bad : {"0*5", "*5", "x*5", "2*5*5", "1..2", "'7'"}) {
    Fixture f(std::string(bad) + "\n");
    Real a, b;
    std::array<Real*, 2> two{&a, &b};
    EXPECT_THROW(
        {
          try {
            read_free(f.src, two);
          } catch (const RunError& e) {
            EXPECT_EQ(e.code(), ErrorCode::free_format) << bad;
            throw;
          }
        },
        RunError)
        << bad;
  }
  Fixture f("1\n");
  Real a, b;
  std::array<Real*, 2> two{&a, &b};
  try {
    read_free(f.src, two);
    ADD_FAILURE() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.message(),
              "velmor3: error (20): end-of-file during read, unit 5, file t.dat\n"
              "  the file ends after line 1\n");
  }
}

}  // namespace
}  // namespace velmor::control
