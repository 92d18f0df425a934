// Reading records: the data file's lines, numeric and character fields, and
// free-format reads.
#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "control/layout.hpp"
#include "control/layout_program.hpp"

namespace velmor::control {

// ---------------------------------------------------------------- lines

namespace {

constexpr char kEndOfFileMark = '\x1a';

// The line starting at `pos`, without its line end; `next` is where the
// following line starts.
std::string_view line_at(const std::string& content, std::size_t pos, std::size_t& next) {
  const char* begin = content.data() + pos;
  const std::size_t left = content.size() - pos;
  const void* nl = std::memchr(begin, '\n', left);
  if (nl == nullptr) {
    next = content.size();
    return {begin, left};
  }
  std::size_t len = static_cast<std::size_t>(static_cast<const char*>(nl) - begin);
  next = pos + len + 1;
  if (len > 0 && begin[len - 1] == '\r') --len;
  return {begin, len};
}

bool is_end_mark(std::string_view line) { return line.size() == 1 && line[0] == kEndOfFileMark; }

}  // namespace

LineSource::LineSource(std::string content, int unit, std::string name)
    : content_(std::move(content)), unit_(unit), name_(std::move(name)) {}

bool LineSource::at_end() const {
  if (ended_ || pos_ >= content_.size()) return true;
  std::size_t next = 0;
  return is_end_mark(line_at(content_, pos_, next));
}

bool LineSource::next_line(std::string_view& line) {
  if (ended_ || pos_ >= content_.size()) return false;
  std::size_t next = 0;
  const std::string_view l = line_at(content_, pos_, next);
  if (is_end_mark(l)) {
    ended_ = true;
    return false;
  }
  pos_ = next;
  ++line_no_;
  line = l;
  return true;
}

// ---------------------------------------------------------------- numbers

namespace {

enum class Conv { ok, bad, out_of_range };

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Value of a numeric field. Without a decimal point the digits are scaled by
// 10^-scale (the d of Fw.d; 0 in every input layout).
//
// The text is brought to the form <significant digits>e<exponent> and handed
// to a correctly rounding conversion to float, so the result is the nearest
// single-precision number of the decimal written, however many digits it has.
Conv convert(std::string_view f, int scale, float& out) {
  const std::size_t n = f.size();
  std::size_t i = 0;
  while (i < n && (f[i] == ' ' || f[i] == '\t')) ++i;
  // The next character that is not a blank, or -1 at the end of the field.
  auto next = [&]() -> int {
    while (i < n && f[i] == ' ') ++i;
    return i < n ? static_cast<unsigned char>(f[i]) : -1;
  };
  int c = next();
  if (c == -1) {
    out = 0.0f;
    return Conv::ok;
  }
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++i;
    c = next();
  }
  thread_local std::string sig;
  sig.clear();
  long long exponent = 0;
  bool point = false;
  std::size_t mantissa_digits = 0;
  for (;; c = next()) {
    if (is_digit(c)) {
      ++mantissa_digits;
      if (point) --exponent;
      if (!sig.empty() || c != '0') sig.push_back(static_cast<char>(c));
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    ++i;
  }
  if (mantissa_digits == 0) return Conv::bad;
  if (c != -1) {
    // Exponent: a letter E, D or Q, or a sign standing for "E" and that sign.
    const int u = c & ~0x20;
    if (u == 'E' || u == 'D' || u == 'Q') {
      ++i;
      c = next();
    } else if (c != '+' && c != '-') {
      return Conv::bad;
    }
    bool exp_negative = false;
    if (c == '+' || c == '-') {
      exp_negative = c == '-';
      ++i;
      c = next();
    }
    if (!is_digit(c)) return Conv::bad;
    long long e = 0;
    for (; is_digit(c); c = next()) {
      if (e < 1000000000) e = e * 10 + (c - '0');  // far beyond any float already
      ++i;
    }
    if (c != -1) return Conv::bad;
    exponent += exp_negative ? -e : e;
  }
  if (!point) exponent -= scale;
  if (sig.empty()) {
    out = negative ? -0.0f : 0.0f;
    return Conv::ok;
  }
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const long long magnitude = static_cast<long long>(sig.size()) + exponent;
  if (magnitude > 39) return Conv::out_of_range;
  if (magnitude < -46) {  // below half the smallest denormal
    out = negative ? -0.0f : 0.0f;
    return Conv::ok;
  }
  char buf[24];
  buf[0] = 'e';
  const auto r = std::to_chars(buf + 1, buf + sizeof buf, exponent);
  sig.append(buf, r.ptr);
  float v = 0.0f;
  const auto res = fast_float::from_chars(sig.data(), sig.data() + sig.size(), v);
  if (res.ec != std::errc() || res.ptr != sig.data() + sig.size()) return Conv::bad;
  if (std::isinf(v)) return Conv::out_of_range;
  out = negative ? -v : v;
  return Conv::ok;
}

// ---------------------------------------------------------------- errors

std::string where(const LineSource& src) {
  return "unit " + std::to_string(src.unit()) + ", file " + src.name();
}

// The characters of a field as they stand, control characters escaped, long
// fields shortened.
std::string shown(std::string_view t) {
  constexpr std::size_t kLimit = 40;
  static const char hex[] = "0123456789abcdef";
  std::string s;
  for (std::size_t k = 0; k < t.size() && k < kLimit; ++k) {
    const auto ch = static_cast<unsigned char>(t[k]);
    switch (ch) {
      case '\t': s += "\\t"; break;
      case '\r': s += "\\r"; break;
      case '"': s += "\\\""; break;
      case '\\': s += "\\\\"; break;
      default:
        if (ch < 32 || ch >= 127) {
          s += "\\x";
          s += hex[ch >> 4];
          s += hex[ch & 15];
        } else {
          s.push_back(static_cast<char>(ch));
        }
    }
  }
  if (t.size() > kLimit) s += "...";
  return s;
}

std::string at_field(const LineSource& src, std::size_t first_col, std::size_t last_col,
                     std::string_view text) {
  return "  line " + std::to_string(src.line_number()) + ", columns " + std::to_string(first_col) +
         "-" + std::to_string(last_col) + ": \"" + shown(text) + "\"";
}

[[noreturn]] void end_of_file(const LineSource& src) {
  throw RunError(ErrorCode::end_of_file, "end-of-file during read, " + where(src),
                 "  the file ends after line " + std::to_string(src.line_number()));
}

[[noreturn]] void conversion_error(const LineSource& src, std::string detail) {
  throw RunError(ErrorCode::conversion, "input conversion error, " + where(src), std::move(detail));
}

[[noreturn]] void free_format_error(const LineSource& src, std::string detail) {
  throw RunError(ErrorCode::free_format, "free-format input error, " + where(src), std::move(detail));
}

// ---------------------------------------------------------------- fixed-format reads

class Reader {
 public:
  Reader(LineSource& src, std::span<const InItem> items, std::vector<BadField>* bad)
      : src_(src), items_(items), bad_(bad) {}

  // The read's first line; false at the end of the file.
  bool first_line() {
    col_ = 0;
    return src_.next_line(line_);
  }

  bool items_left() const { return next_ < items_.size(); }

  void data(const Op& op) {
    const InItem& it = items_[next_++];
    if (op.kind == Op::Kind::a) {
      if (it.real() != nullptr) throw std::invalid_argument("A element given a numeric item");
      text_field(op, it.text());
    } else {
      if (it.real() == nullptr) throw std::invalid_argument("numeric element given a text item");
      *it.real() = numeric_field(op);
    }
  }

  void literal(const std::string& t) { col_ += t.size(); }
  void move(int n) { col_ += static_cast<std::size_t>(n); }
  void next_record() {
    if (!src_.next_line(line_)) end_of_file(src_);
    col_ = 0;
  }

 private:
  // The next w characters, or fewer at a comma (which is consumed) or where
  // the line ends (the rest counts as blanks).
  float numeric_field(const Op& op) {
    const std::size_t start = col_;
    const auto w = static_cast<std::size_t>(op.w);
    std::string_view field;
    std::size_t width = w;
    col_ = start + w;
    if (start < line_.size()) {
      field = line_.substr(start, w);
      const std::size_t comma = field.find(',');
      if (comma != std::string_view::npos) {
        field = field.substr(0, comma);
        width = comma;
        col_ = start + comma + 1;
      }
    }
    float v = 0.0f;
    if (convert(field, op.kind == Op::Kind::f ? op.d : 0, v) != Conv::ok) {
      if (bad_ == nullptr) conversion_error(src_, at_field(src_, start + 1, start + width, field));
      bad_->push_back(BadField{next_ - 1, src_.line_number(), start + 1,
                               start + (width == 0 ? 1 : width), std::string(field)});
      return 0.0f;
    }
    return v;
  }

  // A (as wide as the item) or Aw: the first w characters of the field go to
  // the item, blank-padded; blanks where the line has ended.
  void text_field(const Op& op, std::span<char> item) {
    const std::size_t w = op.w == 0 ? item.size() : static_cast<std::size_t>(op.w);
    const std::size_t take = w < item.size() ? w : item.size();
    std::size_t have = 0;
    if (col_ < line_.size()) {
      have = line_.size() - col_;
      if (have > take) have = take;
      std::memcpy(item.data(), line_.data() + col_, have);
    }
    if (have < item.size()) std::memset(item.data() + have, ' ', item.size() - have);
    col_ += w;
  }

  LineSource& src_;
  std::span<const InItem> items_;
  std::vector<BadField>* bad_;
  std::size_t next_ = 0;
  std::string_view line_;
  std::size_t col_ = 0;
};

}  // namespace

std::string describe(const BadField& bad) {
  return "  line " + std::to_string(bad.line) + ", columns " + std::to_string(bad.first_col) + "-" +
         std::to_string(bad.last_col) + ": \"" + shown(bad.text) + "\"";
}

bool parse_numeric_field(std::string_view field, float& out) {
  return convert(field, 0, out) == Conv::ok;
}

ReadStatus read(LineSource& src, const Layout& layout, std::span<const InItem> items,
                bool end_branch) {
  return read(src, layout, items, end_branch, nullptr);
}

ReadStatus read(LineSource& src, const Layout& layout, std::span<const InItem> items,
                bool end_branch, std::vector<BadField>* bad) {
  Reader r(src, items, bad);
  if (!r.first_line()) {
    if (end_branch) return ReadStatus::end_of_file;
    end_of_file(src);
  }
  walk(layout.impl(), r);
  return ReadStatus::ok;
}

// ---------------------------------------------------------------- free format

void read_free(LineSource& src, std::span<Real* const> items) {
  std::string_view line;
  if (!src.next_line(line)) end_of_file(src);
  const std::size_t count = items.size();
  std::size_t next = 0;
  std::size_t i = 0;
  // At the start and after a comma: a further comma means an empty value.
  bool after_separator = true;
  while (next < count) {
    if (i >= line.size()) {
      if (!src.next_line(line)) end_of_file(src);
      i = 0;
      continue;
    }
    const char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    if (c == ',') {
      if (after_separator) ++next;  // an empty value: the item keeps its value
      after_separator = true;
      ++i;
      continue;
    }
    if (c == '/') return;

    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',' && line[i] != '/') ++i;
    const std::string_view token = line.substr(start, i - start);
    auto detail = [&] { return at_field(src, start + 1, i, token); };

    // r*v is r copies of v; r* alone is r empty values.
    std::size_t repeat = 1;
    std::string_view value = token;
    const std::size_t star = token.find('*');
    if (star != std::string_view::npos) {
      if (star == 0) free_format_error(src, detail());
      repeat = 0;
      for (std::size_t k = 0; k < star; ++k) {
        if (!is_digit(token[k])) free_format_error(src, detail());
        if (repeat < 1000000000) repeat = repeat * 10 + static_cast<std::size_t>(token[k] - '0');
      }
      if (repeat == 0) free_format_error(src, detail());
      value = token.substr(star + 1);
    }
    const std::size_t last = next + repeat < count ? next + repeat : count;
    if (value.empty() && star != std::string_view::npos) {
      next = last;
    } else {
      float v = 0.0f;
      switch (convert(value, 0, v)) {
        case Conv::ok: break;
        case Conv::bad: free_format_error(src, detail());
        case Conv::out_of_range: conversion_error(src, detail());
      }
      for (; next < last; ++next) *items[next] = v;
    }
    after_separator = false;
  }
}

}  // namespace velmor::control
