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

#include <cstdint>

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

}  // namespace calc
