// First stage of reading a number: the longest prefix of the folded text
// that has the form of a decimal number, described by its leading digits and
// the exact power of ten of its first significant digit.
//
// For a number with significant digits s1 s2 ... sn (s1 != 0) the scan gives
//     lead_exponent      = L with  10^L <= s1.s2...sn * 10^L < 10^(L+1)
//     leading_digits     = w = the integer s1...sk, k = min(n, 19) = leading_digit_count
//     digits_dropped     = some digit after the first 19 is not 0
// so that |value| = w * 10^(L-k+1) exactly when !digits_dropped, and
// w * 10^(L-k+1) < |value| < (w + 1) * 10^(L-k+1) otherwise.
// L is exact: digit counts are bounded by the text's length, and a written
// exponent saturates at 10^15 in magnitude, beyond any text's reach.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "calc/folded_text.h"

namespace calc {

struct decimal_scan {
  enum class outcome { no_digits, zero, nonzero };
  outcome kind = outcome::no_digits;
  bool negative = false;
  std::uint64_t leading_digits = 0;
  int leading_digit_count = 0;
  bool digits_dropped = false;
  std::int64_t lead_exponent = 0;
  // The digits again, for the rare values that need all of them: from the first
  // significant digit up to the end of the digits (a point may stand between).
  const unsigned char* significant_begin = nullptr;
  const unsigned char* digits_end = nullptr;
};

inline constexpr int max_leading_digits = 19;  // 10^19 - 1 < 2^64
inline constexpr std::int64_t exponent_saturation = 1'000'000'000'000'000;  // 10^15

// Skips the white space bytes 09..0D and 20 (a folded ideographic space included).
void skip_white_space(folded_cursor& cursor);

// Scans sign, digits, point and exponent from the cursor on; stops after the longest prefix.
decimal_scan scan_decimal(folded_cursor& cursor);

namespace scan_detail {

// Eight ASCII bytes at a time (little-endian loads): whether all are digits, and their value.
inline bool eight_digits_at(const unsigned char* p, std::uint64_t& word) {
  if constexpr (std::endian::native != std::endian::little) return false;
  std::memcpy(&word, p, 8);
  return ((word & 0xF0F0F0F0F0F0F0F0) | (((word + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0) >> 4)) ==
         0x3333333333333333;
}
inline std::uint64_t value_of_eight_digits(std::uint64_t word) {
  word = (word & 0x0F0F0F0F0F0F0F0F) * 2561 >> 8;
  word = (word & 0x00FF00FF00FF00FF) * 6553601 >> 16;
  return (word & 0x0000FFFF0000FFFF) * 42949672960001 >> 32;
}
inline constexpr std::uint64_t eight_zeros = 0x3030303030303030;

constexpr bool is_white_space(int c) { return c == 0x20 || (c >= 0x09 && c <= 0x0D); }
constexpr bool is_exponent_letter(int c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

}  // namespace scan_detail

// The whole reading syntax (white space, sign, digits, point, exponent) for the
// common texts, straight on the bytes: true, with the scan that skip_white_space
// and scan_decimal give for the same text, when
//   - every byte the scan looks at is below 80 hex (so folding changes nothing
//     it sees: a byte at or above 80 hex would need the fold table),
//   - the number has at most max_leading_digits significant digits (so
//     digits_dropped is false and leading_digits holds all of them), and
//   - the byte after its digits is not "#" (where a written infinity or NaN
//     text may stand).
// A NUL byte is no digit, sign, point, letter or white space, so the scan stops
// at it as at the end of the text. False otherwise: read the text the general way.
// Inlined into its one caller, where the scan then lives in registers.
[[gnu::always_inline]] inline bool scan_plain_decimal(std::string_view text, decimal_scan& scan) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  // The byte at q, or 0 at the end (the end and a NUL end the number alike).
  const auto at = [end](const unsigned char* q) -> unsigned { return q == end ? 0u : *q; };

  unsigned c = at(p);
  while (scan_detail::is_white_space(static_cast<int>(c))) c = at(++p);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = at(++p);
  }
  // The mantissa is m * 10^-(fraction_zeros + fraction_digits) with n <= 19 digits in m.
  const unsigned char* const mantissa_begin = p;
  while (c == '0') c = at(++p);
  const unsigned char* significant = p;
  std::uint64_t m = 0;
  int n = 0;
  // Appends the digits from p on to m; false once there are more than 19. The
  // loops stop after the 20th digit, so a long text is not run through twice.
  const auto append_digits = [&p, end, &m, &n](bool in_fraction) {
    const std::ptrdiff_t room = max_leading_digits + 1 - n;
    const unsigned char* const limit = end - p > room ? p + room : end;
    const unsigned char* const start = p;
    if (in_fraction) {
      for (std::uint64_t word; limit - p >= 8 && scan_detail::eight_digits_at(p, word); p += 8) {
        m = m * 100000000 + scan_detail::value_of_eight_digits(word);
      }
    }
    for (unsigned d; p != limit && (d = static_cast<unsigned>(*p) - '0') < 10; ++p) m = m * 10 + d;
    n += static_cast<int>(p - start);
    return n <= max_leading_digits;
  };
  if (!append_digits(false)) return false;
  const int integer_digits = n;
  bool any_digit = p != mantissa_begin;
  std::int64_t fraction_zeros = 0;
  if (at(p) == '.') {
    const unsigned next = at(p + 1);
    if (!any_digit && next >= 0x80) return false;  // perhaps a full-width digit
    if (any_digit || next - '0' < 10) {
      const unsigned char* const fraction_begin = ++p;
      if (n == 0) {
        while (at(p) == '0') ++p;
        fraction_zeros = p - fraction_begin;
        significant = p;
      }
      if (!append_digits(true)) return false;
      any_digit = any_digit || p != fraction_begin;
    }
  }
  const unsigned char* const digits_end = p;
  if (const unsigned stop = at(p); stop >= 0x80 || stop == '#') return false;
  if (!any_digit) {
    scan = decimal_scan{};
    return true;
  }

  std::int64_t written_exponent = 0;
  if (scan_detail::is_exponent_letter(static_cast<int>(at(p)))) {
    const unsigned char* q = p + 1;
    unsigned e = at(q);
    bool negative_exponent = false;
    if (e == '+' || e == '-') {
      negative_exponent = e == '-';
      e = at(++q);
    }
    if (e - '0' < 10) {
      std::int64_t value = 0;
      do {
        if (value < exponent_saturation) value = value * 10 + (e - '0');
        e = at(++q);
      } while (e - '0' < 10);
      if (value > exponent_saturation) value = exponent_saturation;
      written_exponent = negative_exponent ? -value : value;
    }
    if (e >= 0x80) return false;  // the last byte looked at
  }

  const int fraction_digits = n - integer_digits;
  scan.kind = n == 0 ? decimal_scan::outcome::zero : decimal_scan::outcome::nonzero;
  scan.negative = negative;
  scan.leading_digits = m;
  scan.leading_digit_count = n;
  scan.digits_dropped = false;
  // value = m * 10^(W - fraction_zeros - fraction_digits) and 10^(n-1) <= m < 10^n
  scan.lead_exponent = written_exponent - fraction_zeros - fraction_digits + n - 1;
  scan.significant_begin = significant;
  scan.digits_end = digits_end;
  return true;
}

}  // namespace calc
