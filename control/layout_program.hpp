// Internal form of a record layout and the walk over it shared by reading and
// writing. Not part of the public interface: include control/layout.hpp.
//
// A layout is parsed once into a flat list of operations. A group becomes an
// `open` and a `close` operation that refer to each other; a repeated element
// (9F8.0, 20A4) stays one operation with its count, so that it is not a group
// for reversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "control/layout.hpp"

namespace velmor::control {

struct Op {
  enum class Kind : std::uint8_t { f, i, a, literal, move, slash, open, close };
  Kind kind = Kind::slash;
  int count = 1;  // repeat count; for `open` the group's count
  int w = 0;      // field width (a: 0 = as wide as the item), move distance
  int d = 0;      // digits after the point (f)
  int match = 0;  // index of the matching close (open) or open (close)
  std::string text;  // literal

  bool is_data() const { return kind == Kind::f || kind == Kind::i || kind == Kind::a; }
};

struct Layout::Impl {
  std::vector<Op> ops;
  // Where reversion resumes: the last group opening at the top level, or 0.
  std::size_t reversion = 0;
  // Whether the part from `reversion` to the end takes any item: without one,
  // reversion could never consume the remaining items.
  bool reversion_takes_items = false;
};

// Deepest group nesting a layout may have.
inline constexpr int kMaxGroupDepth = 32;

// Fills out[0, w) with the edited field (no terminator).
void edit_f_into(char* out, float x, int w, int d);
void edit_i_into(char* out, long long v, int w);

// Follows a layout for one read or write statement. `Io` provides
//   bool items_left() const;       void data(const Op&);    (one item)
//   void literal(const std::string&);  void move(int n);  void next_record();
// The walk ends at a data element when no item is left, or at the closing
// parenthesis of the layout when no item is left; otherwise the closing
// parenthesis begins a new record and the layout resumes at the reversion
// point.
template <class Io>
void walk(const Layout::Impl& L, Io& io) {
  struct Loop {
    std::size_t open;
    int left;
  };
  Loop stack[kMaxGroupDepth];  // the parser limits the nesting
  int depth = 0;
  const std::size_t end = L.ops.size();
  std::size_t pc = 0;
  for (;;) {
    if (pc == end) {
      if (!io.items_left() || !L.reversion_takes_items) return;
      io.next_record();
      pc = L.reversion;
      continue;
    }
    const Op& op = L.ops[pc];
    switch (op.kind) {
      case Op::Kind::open:
        stack[depth++] = Loop{pc, op.count};
        ++pc;
        break;
      case Op::Kind::close: {
        Loop& top = stack[depth - 1];
        if (--top.left > 0) {
          pc = top.open + 1;
        } else {
          --depth;
          ++pc;
        }
        break;
      }
      case Op::Kind::literal:
        for (int k = 0; k < op.count; ++k) io.literal(op.text);
        ++pc;
        break;
      case Op::Kind::move:
        for (int k = 0; k < op.count; ++k) io.move(op.w);
        ++pc;
        break;
      case Op::Kind::slash:
        for (int k = 0; k < op.count; ++k) io.next_record();
        ++pc;
        break;
      default:
        for (int k = 0; k < op.count; ++k) {
          if (!io.items_left()) return;
          io.data(op);
        }
        ++pc;
        break;
    }
  }
}

}  // namespace velmor::control
