// The record-layout interpreter: parsing, writing and reading.
#include "control/layout.hpp"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace velmor::control {

// ---------------------------------------------------------------- parsing

struct Node {
  enum class Kind { F, I, A, Lit, TR, Slash, Group } kind;
  explicit Node(Kind k) : kind(k) {}
  int w = 0, d = 0;      // F, I, A (w = 0: as wide as the item), TR (w = n)
  int rep = 1;           // repeat count
  std::string text;      // literal
  std::vector<Node> children;  // group
  bool data() const { return kind == Kind::F || kind == Kind::I || kind == Kind::A; }
};

struct Layout::Impl {
  std::vector<Node> top;
  std::size_t reversion = 0;  // index in top where reversion resumes
  bool has_data = false;
};

namespace {

class Parser {
 public:
  explicit Parser(std::string_view t) : t_(t) {}

  std::vector<Node> parse_all() {
    skip();
    expect('(');
    auto nodes = list();
    expect(')');
    skip();
    if (i_ != t_.size()) fail("text after the closing parenthesis");
    return nodes;
  }

 private:
  std::vector<Node> list() {
    std::vector<Node> out;
    skip();
    if (peek() == ')') return out;
    for (;;) {
      skip();
      if (peek() == '/') {
        ++i_;
        out.push_back(Node(Node::Kind::Slash));
      } else {
        out.push_back(element());
      }
      skip();
      if (peek() == ',') {
        ++i_;
        continue;
      }
      if (peek() == '/') continue;  // a slash also separates elements
      if (peek() == ')') return out;
      fail("',' or ')' expected");
    }
  }

  Node element() {
    int rep = 1;
    bool counted = false;
    if (std::isdigit(static_cast<unsigned char>(peek()))) {
      rep = number();
      counted = true;
      skip();
    }
    Node n(Node::Kind::Lit);
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(peek())));
    if (c == '(') {
      ++i_;
      n.kind = Node::Kind::Group;
      n.children = list();
      expect(')');
    } else if (c == '\'') {
      ++i_;
      for (;;) {
        if (i_ >= t_.size()) fail("unterminated text");
        if (t_[i_] == '\'') {
          if (i_ + 1 < t_.size() && t_[i_ + 1] == '\'') {
            n.text.push_back('\'');
            i_ += 2;
            continue;
          }
          ++i_;
          break;
        }
        n.text.push_back(t_[i_++]);
      }
    } else if (c == 'F') {
      ++i_;
      n.kind = Node::Kind::F;
      n.w = number();
      expect('.');
      n.d = number();
    } else if (c == 'I') {
      ++i_;
      n.kind = Node::Kind::I;
      n.w = number();
    } else if (c == 'A') {
      ++i_;
      n.kind = Node::Kind::A;
      if (std::isdigit(static_cast<unsigned char>(peek()))) n.w = number();
    } else if (c == 'T') {
      ++i_;
      if (std::toupper(static_cast<unsigned char>(peek())) != 'R') fail("TR expected");
      ++i_;
      n.kind = Node::Kind::TR;
      n.w = number();
    } else {
      fail("unknown element");
    }
    if (counted && n.kind != Node::Kind::Group && !n.data() && n.kind != Node::Kind::Lit) {
      fail("repeat count on a move");
    }
    n.rep = rep;
    if (n.kind != Node::Kind::Group && counted) {
      // r copies of one element: a plain repetition, not a group for reversion.
      Node g(Node::Kind::Group);
      g.rep = rep;
      n.rep = 1;
      g.children.push_back(std::move(n));
      g.w = -1;  // marks an implicit group
      return g;
    }
    return n;
  }

  int number() {
    skip();
    if (!std::isdigit(static_cast<unsigned char>(peek()))) fail("number expected");
    long v = 0;
    while (std::isdigit(static_cast<unsigned char>(peek()))) {
      v = v * 10 + (t_[i_++] - '0');
      if (v > 100000) fail("number too large");
    }
    return static_cast<int>(v);
  }

  void expect(char c) {
    skip();
    if (peek() != c) fail(std::string("'") + c + "' expected");
    ++i_;
  }
  char peek() const { return i_ < t_.size() ? t_[i_] : '\0'; }
  void skip() {
    while (i_ < t_.size() && t_[i_] == ' ') ++i_;
  }
  [[noreturn]] void fail(const std::string& why) const {
    throw std::invalid_argument("bad record layout " + std::string(t_) + ": " + why + " at position " +
                                std::to_string(i_ + 1));
  }

  std::string_view t_;
  std::size_t i_ = 0;
};

bool contains_data(const std::vector<Node>& nodes) {
  return std::any_of(nodes.begin(), nodes.end(), [](const Node& n) {
    return n.data() || (n.kind == Node::Kind::Group && contains_data(n.children));
  });
}

// Walks a layout for a read or a write. `Io` provides: data(node) -> bool
// (false: no item left, stop), literal(text), move(n), slash(), next_record().
template <class Io>
class Walker {
 public:
  Walker(const Layout::Impl& L, Io& io) : L_(L), io_(io) {}

  void run() {
    if (!walk(L_.top, 0)) return;
    // Closing parenthesis of the whole layout: reversion while items remain.
    while (io_.items_left() && L_.has_data) {
      io_.next_record();
      if (!walk(L_.top, L_.reversion)) return;
    }
  }

 private:
  bool walk(const std::vector<Node>& nodes, std::size_t from) {
    for (std::size_t k = from; k < nodes.size(); ++k) {
      const Node& n = nodes[k];
      switch (n.kind) {
        case Node::Kind::Group:
          for (int r = 0; r < n.rep; ++r) {
            if (!walk(n.children, 0)) return false;
          }
          break;
        case Node::Kind::Slash: io_.next_record(); break;
        case Node::Kind::TR: io_.move(n.w); break;
        case Node::Kind::Lit: io_.literal(n.text); break;
        default:
          if (!io_.items_left()) return false;
          io_.data(n);
          break;
      }
    }
    return true;
  }

  const Layout::Impl& L_;
  Io& io_;
};

}  // namespace

Layout::Layout(std::string_view text) : text_(text), impl_(std::make_unique<Impl>()) {
  impl_->top = Parser(text).parse_all();
  impl_->has_data = contains_data(impl_->top);
  for (std::size_t k = 0; k < impl_->top.size(); ++k) {
    const Node& n = impl_->top[k];
    if (n.kind == Node::Kind::Group && n.w != -1) impl_->reversion = k;
  }
}
Layout::~Layout() = default;
Layout::Layout(Layout&&) noexcept = default;
Layout& Layout::operator=(Layout&&) noexcept = default;

// ---------------------------------------------------------------- output editing

std::string edit_f(float x, int w, int d) {
  const auto uw = static_cast<std::size_t>(w);
  if (std::isnan(x) || std::isinf(x)) {
    const std::string text = std::isnan(x) ? "NaN" : (x < 0 ? "-Infinity" : "Infinity");
    if (uw < text.size() + 1) return std::string(uw, '*');
    std::string out = " " + text;
    out.resize(uw, ' ');
    return out;
  }
  // Exact decimal expansion of the value: a float m * 2^e (24-bit m) has at
  // most -e fraction digits, so this precision reproduces it exactly.
  const double v = std::fabs(static_cast<double>(x));
  int exp2 = 0;
  std::frexp(v, &exp2);
  const int exact = std::clamp(24 - exp2, 0, 149);
  const int prec = std::max(d + 1, exact);
  char buf[256];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, prec);
  const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  const std::size_t point = s.find('.');
  // Digits kept: integer part and d fraction digits; the first dropped digit
  // decides, half-way values going away from zero.
  std::string digits(s.substr(0, point));
  digits.append(s.substr(point + 1, static_cast<std::size_t>(d)));
  const bool up = s[point + 1 + static_cast<std::size_t>(d)] >= '5';
  if (up) {
    std::size_t k = digits.size();
    while (k > 0) {
      --k;
      if (digits[k] == '9') {
        digits[k] = '0';
      } else {
        ++digits[k];
        break;
      }
      if (k == 0) digits.insert(digits.begin(), '1');
    }
  }
  std::size_t int_len = digits.size() - static_cast<std::size_t>(d);
  std::string ipart = digits.substr(0, int_len);
  const std::string fpart = digits.substr(int_len);
  const std::size_t nz = ipart.find_first_not_of('0');
  ipart = nz == std::string::npos ? std::string() : ipart.substr(nz);
  const bool zero = ipart.empty() && fpart.find_first_not_of('0') == std::string::npos;
  const bool neg = x < 0 && !zero;
  std::string body = ipart + "." + fpart;
  std::size_t width = body.size() + (neg ? 1 : 0);
  if (width > uw) return std::string(uw, '*');
  if (ipart.empty() && width + 1 <= uw) body.insert(body.begin(), '0');
  if (neg) body.insert(body.begin(), '-');
  return std::string(uw - body.size(), ' ') + body;
}

std::string edit_i(long long v, int w) {
  std::string s = std::to_string(v);
  const auto uw = static_cast<std::size_t>(w);
  if (s.size() > uw) return std::string(uw, '*');
  return std::string(uw - s.size(), ' ') + s;
}

// ---------------------------------------------------------------- writing

namespace {

class Writer {
 public:
  Writer(std::span<const OutItem> items, RecordSink& sink) : items_(items), sink_(sink) {}

  bool items_left() const { return next_ < items_.size(); }
  void data(const Node& n) {
    const OutItem& it = items_[next_++];
    switch (n.kind) {
      case Node::Kind::F: {
        float x = it.real();
        if (it.kind() == OutItem::Kind::integer) x = static_cast<float>(it.integer());
        put(edit_f(x, n.w, n.d));
        break;
      }
      case Node::Kind::I: {
        long long v = it.integer();
        if (it.kind() == OutItem::Kind::real) v = static_cast<long long>(it.real());
        put(edit_i(v, n.w));
        break;
      }
      default: {
        std::string_view t = it.text();
        if (n.w == 0) {
          put(t);
        } else {
          std::string s(t.substr(0, static_cast<std::size_t>(n.w)));
          s.resize(static_cast<std::size_t>(n.w), ' ');
          put(s);
        }
        break;
      }
    }
  }
  void literal(const std::string& t) { put(t); }
  void move(int n) { pos_ += static_cast<std::size_t>(n); }
  void next_record() {
    sink_.record(rec_);
    rec_.clear();
    pos_ = 0;
  }
  void finish() { next_record(); }

 private:
  void put(std::string_view t) {
    if (rec_.size() < pos_) rec_.resize(pos_, ' ');
    rec_.replace(pos_, std::min(t.size(), rec_.size() - pos_), t);
    pos_ += t.size();
  }

  std::span<const OutItem> items_;
  std::size_t next_ = 0;
  RecordSink& sink_;
  std::string rec_;
  std::size_t pos_ = 0;
};

class VectorSink : public RecordSink {
 public:
  void record(std::string_view rec) override { out.emplace_back(rec); }
  std::vector<std::string> out;
};

}  // namespace

void write(RecordSink& sink, const Layout& layout, std::span<const OutItem> items) {
  Writer w(items, sink);
  Walker<Writer>(layout.impl(), w).run();
  w.finish();
}

std::vector<std::string> format_records(const Layout& layout, std::span<const OutItem> items) {
  VectorSink v;
  write(v, layout, items);
  return v.out;
}

// ---------------------------------------------------------------- input

LineSource::LineSource(std::string content, int unit, std::string name)
    : content_(std::move(content)), unit_(unit), name_(std::move(name)) {}

bool LineSource::at_end() const { return ended_ || pos_ >= content_.size(); }

bool LineSource::next_line(std::string_view& line) {
  if (at_end()) return false;
  const std::size_t nl = content_.find('\n', pos_);
  const std::size_t end = nl == std::string::npos ? content_.size() : nl;
  std::string_view l(content_.data() + pos_, end - pos_);
  if (!l.empty() && l.back() == '\r' && nl != std::string::npos) l.remove_suffix(1);
  if (l == "\x1a") {  // end-of-file mark
    ended_ = true;
    return false;
  }
  pos_ = nl == std::string::npos ? content_.size() : nl + 1;
  ++line_no_;
  line = l;
  return true;
}

bool parse_numeric_field(std::string_view f, float& out) {
  std::size_t i = 0;
  while (i < f.size() && (f[i] == ' ' || f[i] == '\t')) ++i;
  // Compact the rest: other blanks are ignored, a tab is not allowed.
  std::string c;
  c.reserve(f.size() - i);
  for (; i < f.size(); ++i) {
    if (f[i] == ' ') continue;
    c.push_back(f[i]);
  }
  if (c.empty()) {
    out = 0.0f;
    return true;
  }
  std::string norm;
  norm.reserve(c.size() + 2);
  std::size_t k = 0;
  auto is_digit = [&](std::size_t j) { return j < c.size() && c[j] >= '0' && c[j] <= '9'; };
  if (c[k] == '+' || c[k] == '-') {
    if (c[k] == '-') norm.push_back('-');
    ++k;
  }
  std::size_t mant_digits = 0;
  bool point = false;
  while (k < c.size() && (is_digit(k) || c[k] == '.')) {
    if (c[k] == '.') {
      if (point) return false;
      point = true;
    } else {
      ++mant_digits;
    }
    norm.push_back(c[k++]);
  }
  if (mant_digits == 0) return false;
  if (k < c.size()) {
    const char e = static_cast<char>(std::toupper(static_cast<unsigned char>(c[k])));
    if (e == 'E' || e == 'D' || e == 'Q') ++k;
    else if (c[k] != '+' && c[k] != '-') return false;
    norm.push_back('e');
    if (k < c.size() && (c[k] == '+' || c[k] == '-')) norm.push_back(c[k++]);
    if (!is_digit(k)) return false;
    while (is_digit(k)) norm.push_back(c[k++]);
    if (k != c.size()) return false;
  }
  float v = 0.0f;
  const auto r = fast_float::from_chars(norm.data(), norm.data() + norm.size(), v);
  if (r.ptr != norm.data() + norm.size()) return false;
  if (std::isinf(v)) return false;  // beyond the single-precision range
  out = v;
  return true;
}

namespace {

std::string show(std::string_view t) {
  std::string s;
  const std::size_t limit = 40;
  for (std::size_t i = 0; i < t.size() && i < limit; ++i) {
    const auto ch = static_cast<unsigned char>(t[i]);
    if (ch < 32 || ch == 127) {
      static const char* hex = "0123456789abcdef";
      s += "\\x";
      s += hex[ch >> 4];
      s += hex[ch & 15];
    } else {
      s.push_back(t[i]);
    }
  }
  if (t.size() > limit) s += "...";
  return s;
}

std::string where(const LineSource& src) {
  return "unit " + std::to_string(src.unit()) + ", file " + src.name();
}

[[noreturn]] void end_of_file(const LineSource& src) {
  throw RunError(ErrorCode::end_of_file, "end-of-file during read, " + where(src),
                 "  the file ends after line " + std::to_string(src.line_number()));
}

class Reader {
 public:
  Reader(LineSource& src, std::span<const InItem> items) : src_(src), items_(items) {}

  bool items_left() const { return next_ < items_.size(); }
  void first_line(bool end_branch, bool& at_eof) {
    at_eof = false;
    if (!src_.next_line(line_)) {
      if (end_branch) {
        at_eof = true;
        return;
      }
      end_of_file(src_);
    }
    pos_ = 0;
  }
  void data(const Node& n) {
    const InItem& it = items_[next_++];
    if (n.kind == Node::Kind::A) {
      std::span<char> t = it.text();
      const std::size_t w = n.w == 0 ? t.size() : static_cast<std::size_t>(n.w);
      std::string field = take(w);
      // Aw into a shorter item keeps the rightmost characters; into a longer one
      // the field is blank-padded.
      if (field.size() > t.size()) field = field.substr(field.size() - t.size());
      field.resize(t.size(), ' ');
      std::copy(field.begin(), field.end(), t.begin());
      return;
    }
    // Numeric field: the next w characters, ended early by a comma.
    const std::size_t start = pos_;
    std::string_view field;
    if (pos_ < line_.size()) {
      const std::string_view rest = line_.substr(pos_, static_cast<std::size_t>(n.w));
      const std::size_t comma = rest.find(',');
      if (comma != std::string_view::npos) {
        field = rest.substr(0, comma);
        pos_ += comma + 1;
      } else {
        field = rest;
        pos_ += static_cast<std::size_t>(n.w);
      }
    } else {
      pos_ += static_cast<std::size_t>(n.w);
    }
    float v = 0.0f;
    if (!parse_numeric_field(field, v)) {
      const std::size_t last = start + std::max<std::size_t>(field.size(), 1);
      throw RunError(ErrorCode::conversion, "input conversion error, " + where(src_),
                     "  line " + std::to_string(src_.line_number()) + ", columns " +
                         std::to_string(start + 1) + "-" + std::to_string(last) + ": \"" +
                         show(field) + "\"");
    }
    if (it.real() != nullptr) *it.real() = v;
  }
  void literal(const std::string&) {}
  void move(int n) { pos_ += static_cast<std::size_t>(n); }
  void next_record() {
    if (!src_.next_line(line_)) end_of_file(src_);
    pos_ = 0;
  }

 private:
  std::string take(std::size_t w) {
    std::string s;
    if (pos_ < line_.size()) s = std::string(line_.substr(pos_, w));
    s.resize(w, ' ');
    pos_ += w;
    return s;
  }

  LineSource& src_;
  std::span<const InItem> items_;
  std::size_t next_ = 0;
  std::string_view line_;
  std::size_t pos_ = 0;
};

}  // namespace

ReadStatus read(LineSource& src, const Layout& layout, std::span<const InItem> items,
                bool end_branch) {
  Reader r(src, items);
  bool eof = false;
  r.first_line(end_branch, eof);
  if (eof) return ReadStatus::end_of_file;
  Walker<Reader>(layout.impl(), r).run();
  return ReadStatus::ok;
}

void read_free(LineSource& src, std::span<Real* const> items) {
  std::size_t next = 0;
  bool value_since_separator = false;  // a comma after a value only separates
  std::string_view line;
  auto fail = [&](std::size_t col, std::string_view tok) {
    throw RunError(ErrorCode::free_format, "free-format input error, " + where(src),
                   "  line " + std::to_string(src.line_number()) + ", columns " +
                       std::to_string(col + 1) + "-" + std::to_string(col + std::max<std::size_t>(tok.size(), 1)) +
                       ": \"" + show(tok) + "\"");
  };
  while (next < items.size()) {
    if (!src.next_line(line)) end_of_file(src);
    std::size_t i = 0;
    while (i < line.size() && next < items.size()) {
      const char ch = line[i];
      if (ch == ' ' || ch == '\t') {
        ++i;
        continue;
      }
      if (ch == '/') return;
      if (ch == ',') {
        if (!value_since_separator) ++next;  // empty value: the item keeps its value
        value_since_separator = false;
        ++i;
        continue;
      }
      const std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ',' && line[i] != '/') ++i;
      const std::string_view tok = line.substr(start, i - start);
      const std::size_t star = tok.find('*');
      long repeat = 1;
      std::string_view val = tok;
      if (star != std::string_view::npos) {
        const std::string_view r = tok.substr(0, star);
        if (r.empty() || r.size() > 9 || r.find_first_not_of("0123456789") != std::string_view::npos) fail(start, tok);
        repeat = std::stol(std::string(r));
        if (repeat <= 0) fail(start, tok);
        val = tok.substr(star + 1);
      }
      float v = 0.0f;
      const bool null_value = val.empty() && star != std::string_view::npos;
      if (!null_value && (val.find_first_of(" \t") != std::string_view::npos || !parse_numeric_field(val, v))) {
        fail(start, tok);
      }
      for (long k = 0; k < repeat && next < items.size(); ++k, ++next) {
        if (!null_value) *items[next] = v;
      }
      value_since_separator = true;
    }
  }
}

}  // namespace velmor::control
