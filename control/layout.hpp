// Record layouts: the notation in which every input record and report line is
// written, e.g. "(9F8.0)", "(TR23,20A4)", "(/,TR4,24('*  '))".
//
// A Layout is parsed once from its text and then used by any number of reads
// and writes. Elements: Fw.d, Iw, A, Aw (A4), quoted literals ('' inside a
// literal is one apostrophe), TRn, '/', repeat counts (9F8.0, 58('-')) and
// groups with or without a count (24('*  '), ('*')). Reversion resumes at the
// last group that opens at the top level, with its repeat count.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/errors.hpp"
#include "state/real.hpp"

namespace velmor::control {

class Layout {
 public:
  // Throws std::invalid_argument when the text is not a valid layout.
  explicit Layout(std::string_view text);
  ~Layout();
  Layout(Layout&&) noexcept;
  Layout& operator=(Layout&&) noexcept;
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  const std::string& text() const { return text_; }

  struct Impl;
  const Impl& impl() const { return *impl_; }

 private:
  std::string text_;
  std::unique_ptr<Impl> impl_;
};

// ---------------------------------------------------------------- output

// One value written by a data element: a single-precision number (F), an
// integer (I) or a text (A: all its characters; A4: its first 4).
class OutItem {
 public:
  enum class Kind : std::uint8_t { real, integer, text };
  OutItem(Real x) : kind_(Kind::real), real_(x.v) {}             // NOLINT
  OutItem(float x) : kind_(Kind::real), real_(x) {}              // NOLINT
  // A value already held in single precision, read back as double.
  OutItem(double x) : kind_(Kind::real), real_(static_cast<float>(x)) {}  // NOLINT
  OutItem(int x) : kind_(Kind::integer), int_(x) {}              // NOLINT
  OutItem(std::string_view s) : kind_(Kind::text), text_(s) {}   // NOLINT
  OutItem(const char* s) : kind_(Kind::text), text_(s) {}        // NOLINT
  OutItem(const std::string& s) : kind_(Kind::text), text_(s) {} // NOLINT

  Kind kind() const { return kind_; }
  float real() const { return real_; }
  int integer() const { return int_; }
  std::string_view text() const { return text_; }

 private:
  Kind kind_;
  float real_ = 0.0f;
  int int_ = 0;
  std::string_view text_;
};

// Receives the complete records of a write, one call per record, without any
// line end. A report sink appends CR LF; a console sink drops the first
// character (carriage control) and appends a line feed.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  virtual void record(std::string_view rec) = 0;
};

// Carries out one write statement: one or more complete records. F takes a
// real (or an integer, converted), I an integer, A/Aw a text; an item of
// another kind throws std::invalid_argument. Aw writes the first w
// characters of the text, blank-padded when it is shorter.
void write(RecordSink& sink, const Layout& layout, std::span<const OutItem> items);
inline void write(RecordSink& sink, const Layout& layout, std::initializer_list<OutItem> items) {
  write(sink, layout, std::span<const OutItem>(items.begin(), items.size()));
}
// The records of one write as strings (for tests and in-memory use).
std::vector<std::string> format_records(const Layout& layout, std::span<const OutItem> items);

// Field editing.
//   edit_f(3.14159f, 6, 2) -> "  3.14"    edit_f(-0.004f, 6, 2) -> "  0.00"
//   edit_f(0.125f, 6, 2)   -> "  0.13"    edit_f(-0.5f, 4, 2)   -> "-.50"
//   edit_f(99.5f, 3, 0)    -> "***"       edit_f(0.0f, 3, 0)    -> " 0."
//   edit_f(NaN, 6, 2)      -> " NaN  "    edit_f(-inf, 10, 2)   -> " -Infinity"
//   edit_i(-5, 3)          -> " -5"       edit_i(1000, 3)       -> "***"
std::string edit_f(float x, int w, int d);
std::string edit_i(long long v, int w);

// ---------------------------------------------------------------- input

// A data file split into lines. A line ends at a line feed; a carriage return
// right before it is not part of the line. A line holding only the byte 26
// ends the file.
class LineSource {
 public:
  // `unit` and `name` appear in error messages ("..., unit 5, file demo.dat").
  LineSource(std::string content, int unit, std::string name);

  // The next unread line, or false at the end of the file. Line numbers count
  // from 1.
  bool next_line(std::string_view& line);
  int line_number() const { return line_no_; }  // number of the last line returned
  bool at_end() const;
  int unit() const { return unit_; }
  const std::string& name() const { return name_; }

 private:
  std::string content_;
  std::size_t pos_ = 0;
  int line_no_ = 0;
  bool ended_ = false;
  int unit_;
  std::string name_;
};

// Target of one data element of a read: a number (Fw.0) or a fixed-width text
// (A into a name, A4 into a 4-character word); text targets are filled to
// their full width, blank-padded.
class InItem {
 public:
  InItem(Real& x) : real_(&x) {}              // NOLINT
  InItem(std::span<char> text) : text_(text) {}  // NOLINT
  Real* real() const { return real_; }
  std::span<char> text() const { return text_; }

 private:
  Real* real_ = nullptr;
  std::span<char> text_;
};

enum class ReadStatus { ok, end_of_file };

// Carries out one read statement, consuming one or more complete lines.
// With `end_branch` the end of the file before the first line returns
// end_of_file; without it (and for an end of file met after the first line)
// it throws RunError (end-of-file during read). A bad character in a numeric
// field throws RunError (input conversion error) with the line and columns.
ReadStatus read(LineSource& src, const Layout& layout, std::span<const InItem> items,
                bool end_branch = false);

// A numeric field that could not be read, for a check that goes on past it.
struct BadField {
  std::size_t item = 0;  // index of the item in the read
  int line = 0;
  std::size_t first_col = 0, last_col = 0;
  std::string text;  // the field's characters as they stand
};
// Where a bad field stands, as the second line of a message:
//   "  line 14, columns 9-16: \"    1.2x\""
std::string describe(const BadField& bad);
// The same read, but a bad numeric field is listed in `bad` and read as 0
// instead of ending the run.
ReadStatus read(LineSource& src, const Layout& layout, std::span<const InItem> items,
                bool end_branch, std::vector<BadField>* bad);
inline ReadStatus read(LineSource& src, const Layout& layout, std::initializer_list<InItem> items,
                       bool end_branch = false) {
  return read(src, layout, std::span<const InItem>(items.begin(), items.size()), end_branch);
}

// Free-format read of numbers: blanks, commas and line ends separate values,
// r*v repeats a value, an empty value between commas leaves its item
// unchanged, a slash ends the read. Continues onto further lines until every
// item has a value; the rest of the last line used is ignored.
void read_free(LineSource& src, std::span<Real* const> items);

// Value of one numeric input field (Fw.0). Leading blanks and tabs are
// skipped, other blanks ignored; optional sign, digits with at most one point,
// optional exponent (E, D or Q in either case, or a bare sign). All blank -> 0.
// The result is the nearest single-precision number.
//   "   1.5" -> 1.5   "1 2 5" -> 125   "1.5+2" -> 150   "1.5D+02" -> 150
//   ""/"    " -> 0   "12A" -> false (conversion error)
bool parse_numeric_field(std::string_view field, float& out);

}  // namespace velmor::control
