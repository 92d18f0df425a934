// Record layouts: parsing the notation, and writing records with it.
#include <cctype>
#include <stdexcept>

#include "control/layout.hpp"
#include "control/layout_program.hpp"

namespace velmor::control {

// ---------------------------------------------------------------- parsing

namespace {

// Widths, counts and moves above this are certainly mistakes.
constexpr int kMaxNumber = 100000;

class Parser {
 public:
  explicit Parser(std::string_view t) : t_(t) {}

  std::vector<Op> parse() {
    skip_blanks();
    expect('(');
    list(0);
    expect(')');
    skip_blanks();
    if (i_ != t_.size()) fail("text after the closing parenthesis");
    return std::move(ops_);
  }

 private:
  // Elements up to (not including) the closing parenthesis of the list. A
  // slash separates elements with or without commas around it.
  void list(int depth) {
    skip_blanks();
    if (peek() == ')') return;
    for (;;) {
      element(depth);
      skip_blanks();
      const char c = peek();
      if (c == ',') {
        ++i_;
        skip_blanks();
        if (peek() == ')') fail("element expected after ','");
        continue;
      }
      if (c == ')') return;
      if (c == '/' || prev_slash_) continue;
      fail("',' or ')' expected");
    }
  }

  void element(int depth) {
    skip_blanks();
    prev_slash_ = false;
    int count = 1;
    if (is_digit(peek())) {
      count = number();
      if (count < 1) fail("repeat count must be at least 1");
      skip_blanks();
    }
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(peek())));
    Op op;
    op.count = count;
    switch (c) {
      case '(': {
        if (depth + 1 >= kMaxGroupDepth) fail("groups nested too deeply");
        ++i_;
        const std::size_t open = ops_.size();
        op.kind = Op::Kind::open;
        ops_.push_back(op);
        list(depth + 1);
        expect(')');
        prev_slash_ = false;
        Op close;
        close.kind = Op::Kind::close;
        close.match = static_cast<int>(open);
        ops_[open].match = static_cast<int>(ops_.size());
        ops_.push_back(close);
        if (depth == 0) last_top_group_ = open;
        return;
      }
      case '/':
        ++i_;
        op.kind = Op::Kind::slash;
        prev_slash_ = true;
        break;
      case '\'':
        ++i_;
        op.kind = Op::Kind::literal;
        op.text = literal();
        break;
      case 'F':
        ++i_;
        op.kind = Op::Kind::f;
        op.w = number();
        expect('.');
        op.d = number();
        if (op.w < 1) fail("field width must be at least 1");
        break;
      case 'I':
        ++i_;
        op.kind = Op::Kind::i;
        op.w = number();
        if (op.w < 1) fail("field width must be at least 1");
        break;
      case 'A':
        ++i_;
        op.kind = Op::Kind::a;
        skip_blanks();
        if (is_digit(peek())) {
          op.w = number();
          if (op.w < 1) fail("field width must be at least 1");
        }
        break;
      case 'T':
        ++i_;
        skip_blanks();
        if (std::toupper(static_cast<unsigned char>(peek())) != 'R') fail("TR expected");
        ++i_;
        op.kind = Op::Kind::move;
        op.w = number();
        if (op.w < 1) fail("move must be at least 1");
        break;
      default:
        fail("element expected");
    }
    ops_.push_back(std::move(op));
  }

  // The text after an opening apostrophe; '' stands for one apostrophe.
  std::string literal() {
    std::string s;
    for (;;) {
      if (i_ >= t_.size()) fail("unterminated text");
      const char c = t_[i_++];
      if (c != '\'') {
        s.push_back(c);
      } else if (i_ < t_.size() && t_[i_] == '\'') {
        s.push_back('\'');
        ++i_;
      } else {
        return s;
      }
    }
  }

  int number() {
    skip_blanks();
    if (!is_digit(peek())) fail("number expected");
    int v = 0;
    while (is_digit(peek())) {
      v = v * 10 + (t_[i_++] - '0');
      if (v > kMaxNumber) fail("number too large");
      skip_blanks();
    }
    return v;
  }

  void expect(char c) {
    skip_blanks();
    if (peek() != c) fail(std::string("'") + c + "' expected");
    ++i_;
  }
  static bool is_digit(char c) { return c >= '0' && c <= '9'; }
  char peek() const { return i_ < t_.size() ? t_[i_] : '\0'; }
  void skip_blanks() {
    while (i_ < t_.size() && t_[i_] == ' ') ++i_;
  }
  [[noreturn]] void fail(const std::string& why) const {
    throw std::invalid_argument("bad record layout \"" + std::string(t_) + "\": " + why +
                                " at position " + std::to_string(i_ + 1));
  }

 public:
  std::size_t last_top_group() const { return last_top_group_; }

 private:
  std::string_view t_;
  std::size_t i_ = 0;
  bool prev_slash_ = false;
  std::vector<Op> ops_;
  std::size_t last_top_group_ = 0;
};

}  // namespace

Layout::Layout(std::string_view text) : text_(text), impl_(std::make_unique<Impl>()) {
  Parser p(text);
  impl_->ops = p.parse();
  impl_->reversion = p.last_top_group();
  for (std::size_t k = impl_->reversion; k < impl_->ops.size(); ++k) {
    if (impl_->ops[k].is_data()) impl_->reversion_takes_items = true;
  }
}
Layout::~Layout() = default;
Layout::Layout(Layout&&) noexcept = default;
Layout& Layout::operator=(Layout&&) noexcept = default;

// ---------------------------------------------------------------- writing

namespace {

class Writer {
 public:
  Writer(RecordSink& sink, std::span<const OutItem> items) : sink_(sink), items_(items) {
    rec_.reserve(160);
  }

  bool items_left() const { return next_ < items_.size(); }

  void data(const Op& op) {
    const OutItem& it = items_[next_++];
    switch (op.kind) {
      case Op::Kind::f: {
        float x = it.real();
        if (it.kind() == OutItem::Kind::integer) x = static_cast<float>(it.integer());
        if (it.kind() == OutItem::Kind::text) mismatch("F", it);
        edit_f_into(field(op.w), x, op.w, op.d);
        break;
      }
      case Op::Kind::i: {
        if (it.kind() != OutItem::Kind::integer) mismatch("I", it);
        edit_i_into(field(op.w), it.integer(), op.w);
        break;
      }
      default: {
        if (it.kind() != OutItem::Kind::text) mismatch("A", it);
        const std::string_view t = it.text();
        if (op.w == 0) {
          put(t);
        } else {
          // Aw: the first w characters, blank-padded when the text is shorter.
          const auto w = static_cast<std::size_t>(op.w);
          char* out = field(op.w);
          const std::size_t n = t.size() < w ? t.size() : w;
          t.copy(out, n);
          for (std::size_t k = n; k < w; ++k) out[k] = ' ';
        }
        break;
      }
    }
  }

  void literal(const std::string& t) { put(t); }
  void move(int n) { pos_ += static_cast<std::size_t>(n); }
  // Ends the current record. Positions passed over by a final move were never
  // filled, so the record has no trailing blanks from it.
  void next_record() {
    sink_.record(rec_);
    rec_.clear();
    pos_ = 0;
  }

 private:
  // Room for w characters at the current position; positions passed over by
  // moves become blanks now that something follows them.
  char* field(int w) {
    const std::size_t start = pos_;
    pos_ += static_cast<std::size_t>(w);
    rec_.resize(pos_, ' ');
    return rec_.data() + start;
  }
  void put(std::string_view t) {
    char* out = field(static_cast<int>(t.size()));
    t.copy(out, t.size());
  }
  [[noreturn]] void mismatch(const char* element, const OutItem& it) const {
    static const char* const kinds[] = {"a real number", "an integer", "a text"};
    throw std::invalid_argument(std::string(element) + " element given " +
                                kinds[static_cast<int>(it.kind())] + " (item " +
                                std::to_string(next_) + ")");
  }

  RecordSink& sink_;
  std::span<const OutItem> items_;
  std::size_t next_ = 0;
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
  Writer w(sink, items);
  walk(layout.impl(), w);
  w.next_record();
}

std::vector<std::string> format_records(const Layout& layout, std::span<const OutItem> items) {
  VectorSink v;
  write(v, layout, items);
  return std::move(v.out);
}

}  // namespace velmor::control
