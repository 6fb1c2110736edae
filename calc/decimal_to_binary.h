// Second stage of reading a number: the decimal value of a scan made a double.
//
// The result is the double nearest to the value; a value exactly halfway
// between two neighbouring doubles gives the one nearer zero. 2^1024 counts as
// the neighbour after the largest finite double and stands for infinity;
// magnitudes below the smallest normal double give subnormals or zero.
//
// Method. With w, k and L from the scan, q = L - k + 1 and the power-of-ten
// entry 10^q = (t + theta) * 2^b, 0 <= theta < 1, the scaled value
//     X = |value| * 2^(lz - b),   lz = leading zeros of w in 64 bits, wn = w << lz,
// satisfies Z <= X < Z + err with Z = wn * t (192 bits) and
//     err = 0                        when w and the power are exact,
//     err = wn < 2^64                when only w is exact,
//     err < wn + 16 t + 16 < 2^133   when digits were dropped (w >= 10^18, lz <= 4).
// Z's top 64 bits H carry the result's 53 (or fewer, for subnormals) bits; the
// rounding is decided by H alone unless a midpoint between two doubles lies in
// [Z, Z + err). Then all digits of the text (up to 800 significant ones and a
// flag for any nonzero digit beyond) are compared with that midpoint exactly.
// 800 digits suffice: a midpoint has at most 768 significant digits, so no
// midpoint lies strictly between the 800-digit truncation and the value.
#pragma once

#include <cstdint>

#include "calc/decimal_scan.h"

namespace calc {

// The bits of the double nearest |value| (sign clear), for a scan with outcome nonzero.
std::uint64_t decimal_to_binary(const decimal_scan& scan);

// Significant digits that the exact comparison takes into account.
inline constexpr int max_exact_digits = 800;

}  // namespace calc
