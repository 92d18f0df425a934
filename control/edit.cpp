// Output editing of numeric fields (Fw.d and Iw).
//
// Fw.d rounds the exact binary value of the single-precision number, never a
// shortened decimal form of it, and rounds half-way cases away from zero.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "control/layout.hpp"
#include "control/layout_program.hpp"

namespace velmor::control {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr int kMaxPow5 = 40;  // 5^40 < 2^93, so m * 5^d < 2^117 for a 24-bit m

struct Pow5Table {
  u128 p[kMaxPow5 + 1];
  constexpr Pow5Table() : p() {
    p[0] = 1;
    for (int k = 1; k <= kMaxPow5; ++k) p[k] = p[k - 1] * 5;
  }
};
constexpr Pow5Table kPow5;

int bit_length(u128 v) {
  int n = 0;
  while (v != 0) {
    v >>= 1;
    ++n;
  }
  return n;
}

// Decimal digits of v, most significant first; none for zero.
std::size_t to_digits(u128 v, char* out) {
  char tmp[40];
  std::size_t n = 0;
  while (v > UINT64_MAX) {
    tmp[n++] = static_cast<char>('0' + static_cast<int>(v % 10));
    v /= 10;
  }
  auto small = static_cast<std::uint64_t>(v);
  while (small != 0) {
    tmp[n++] = static_cast<char>('0' + static_cast<int>(small % 10));
    small /= 10;
  }
  for (std::size_t k = 0; k < n; ++k) out[k] = tmp[n - 1 - k];
  return n;
}

// The digits of ax * 10^d rounded to an integer (half-way away from zero),
// without leading zeros and empty for zero. ax is finite and not negative.
//
// A float is m * 2^k with an integer m < 2^24, so ax * 10^d = m * 5^d * 2^(k+d)
// is an integer shifted by k+d bits: exact in 128-bit arithmetic for every
// d up to 40 and every value whose result stays below 2^127. The rest (more
// decimals or values beyond about 1e38 * 10^-d) go through the exact decimal
// expansion of the value.
std::string_view rounded_digits(float ax, int d, char (&small)[48], std::string& big) {
  std::uint32_t bits;
  std::memcpy(&bits, &ax, sizeof bits);
  const auto biased = static_cast<int>((bits >> 23) & 0xffu);
  std::uint32_t m = bits & 0x7fffffu;
  int k = -149;
  if (biased != 0) {
    m |= 0x800000u;
    k = biased - 150;
  }
  if (m == 0) return {};

  if (d <= kMaxPow5) {
    const u128 p = static_cast<u128>(m) * kPow5.p[d];
    const int t = k + d;
    if (t >= 0) {
      if (bit_length(p) + t <= 127) {
        return {small, to_digits(p << t, small)};
      }
    } else {
      const int s = -t;
      if (s >= 128) return {};  // p < 2^117: below one half
      const u128 q = p >> s;
      const u128 rest = p - (q << s);
      const u128 half = static_cast<u128>(1) << (s - 1);
      return {small, to_digits(rest >= half ? q + 1 : q, small)};
    }
  }

  // Exact expansion: m * 2^k has at most -k digits after the point.
  const int exact = k < 0 ? -k : 0;
  const int prec = exact > d + 1 ? exact : d + 1;
  big.resize(static_cast<std::size_t>(prec) + 64);
  const auto res = std::to_chars(big.data(), big.data() + big.size(), static_cast<double>(ax),
                                 std::chars_format::fixed, prec);
  big.resize(static_cast<std::size_t>(res.ptr - big.data()));
  const std::size_t point = big.find('.');
  // Keep the integer digits and the first d decimals; the first dropped
  // decimal decides, and since the expansion is exact, 5 or more means at or
  // beyond the half-way point.
  const bool up = big[point + 1 + static_cast<std::size_t>(d)] >= '5';
  big.erase(point, 1);
  big.resize(point + static_cast<std::size_t>(d));
  if (up) {
    std::size_t j = big.size();
    while (j > 0 && big[j - 1] == '9') big[--j] = '0';
    if (j == 0) {
      big.insert(big.begin(), '1');
    } else {
      ++big[j - 1];
    }
  }
  const std::size_t first = big.find_first_not_of('0');
  if (first == std::string::npos) return {};
  return std::string_view(big).substr(first);
}

void fill(char* out, int w, char c) { std::memset(out, c, static_cast<std::size_t>(w)); }

}  // namespace

void edit_f_into(char* out, float x, int w, int d) {
  if (!std::isfinite(x)) {
    // A NaN is "NaN" whatever its sign bit (0/0 leaves it set).
    const std::string_view text = std::isnan(x) ? "NaN" : (x < 0 ? "-Infinity" : "Infinity");
    if (static_cast<std::size_t>(w) < text.size() + 1) return fill(out, w, '*');
    fill(out, w, ' ');
    text.copy(out + 1, text.size());
    return;
  }
  char small[48];
  thread_local std::string big;
  const std::string_view digits = rounded_digits(std::fabs(x), d, small, big);
  const std::size_t n = digits.size();
  const auto ud = static_cast<std::size_t>(d);
  // A value that rounds to zero has no sign.
  const bool neg = std::signbit(x) && n != 0;
  const std::size_t int_digits = n > ud ? n - ud : 0;
  const std::size_t need = int_digits + 1 + ud + (neg ? 1 : 0);
  const auto uw = static_cast<std::size_t>(w);
  if (need > uw) return fill(out, w, '*');
  // Below 1 in magnitude a 0 goes before the point when there is room.
  const bool lead_zero = int_digits == 0 && need + 1 <= uw;
  std::size_t pos = uw - need - (lead_zero ? 1 : 0);
  std::memset(out, ' ', pos);
  if (neg) out[pos++] = '-';
  if (lead_zero) out[pos++] = '0';
  digits.copy(out + pos, int_digits);
  pos += int_digits;
  out[pos++] = '.';
  if (n < ud) {
    std::memset(out + pos, '0', ud - n);
    pos += ud - n;
    digits.copy(out + pos, n);
  } else {
    digits.copy(out + pos, ud, int_digits);
  }
}

void edit_i_into(char* out, long long v, int w) {
  const bool neg = v < 0;
  unsigned long long mag = neg ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  char tmp[24];
  std::size_t n = 0;
  do {
    tmp[n++] = static_cast<char>('0' + static_cast<int>(mag % 10));
    mag /= 10;
  } while (mag != 0);
  const std::size_t need = n + (neg ? 1 : 0);
  const auto uw = static_cast<std::size_t>(w);
  if (need > uw) return fill(out, w, '*');
  std::size_t pos = uw - need;
  std::memset(out, ' ', pos);
  if (neg) out[pos++] = '-';
  while (n > 0) out[pos++] = tmp[--n];
}

std::string edit_f(float x, int w, int d) {
  if (w < 1 || d < 0) return {};
  std::string s(static_cast<std::size_t>(w), ' ');
  edit_f_into(s.data(), x, w, d);
  return s;
}

std::string edit_i(long long v, int w) {
  if (w < 1) return {};
  std::string s(static_cast<std::size_t>(w), ' ');
  edit_i_into(s.data(), v, w);
  return s;
}

}  // namespace velmor::control
