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

#include <array>
#include <bit>
#include <cfloat>
#include <cstdint>
#include <limits>
#include <optional>

#include "calc/decimal_scan.h"

namespace calc {

// The bits of the double nearest |value| (sign clear), for a scan with outcome nonzero.
std::uint64_t decimal_to_binary(const decimal_scan& scan);

// Significant digits that the exact comparison takes into account.
inline constexpr int max_exact_digits = 800;

namespace small_decimal {

using uint128 = unsigned __int128;
inline constexpr int max_exact_power = 27;  // 5^27 < 2^63
inline constexpr int max_divided_power = 22;  // 5^22 < 2^53: 10^22 is a double
inline constexpr std::uint64_t two_to_the_53 = std::uint64_t{1} << 53;

inline constexpr std::array<std::uint64_t, max_exact_power + 1> powers_of_five = [] {
  std::array<std::uint64_t, max_exact_power + 1> powers{};
  std::uint64_t power = 1;
  for (auto& p : powers) p = power, power *= 5;
  return powers;
}();

inline constexpr std::array<double, max_divided_power + 1> double_powers_of_ten{
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The bits of the double nearest P * 2^q (P != 0, P * 2^q below 2^1024), an exact half
// going to the neighbour nearer zero.
inline std::uint64_t round_exact_product(uint128 product, int q) {
  const auto high = static_cast<std::uint64_t>(product >> 64);
  const int s = high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<std::uint64_t>(product));
  const uint128 normal = product << s;  // in [2^127, 2^128)
  std::uint64_t significand = static_cast<std::uint64_t>(normal >> 75);
  const uint128 below = normal & ((uint128{1} << 75) - 1);
  int e2 = q - s + 127;  // 2^e2 <= P * 2^q < 2^(e2 + 1)
  if (below > uint128{1} << 74) {
    ++significand;
    if (significand == two_to_the_53) significand >>= 1, ++e2;
  }
  return (static_cast<std::uint64_t>(e2 + 1023) << 52) + significand - (std::uint64_t{1} << 52);
}

}  // namespace small_decimal

// The same bits as decimal_to_binary, in a few operations, for the values most
// texts hold; nullopt for the others. With w = leading_digits (all digits, none
// dropped) and q = L - k + 1, so that |value| = w * 10^q:
//
//   0 <= q <= 27: w * 10^q = P * 2^q with P = w * 5^q < 2^64 * 5^27 < 2^127, an
//     exact 128-bit product. P is rounded to 53 bits on integers alone: with
//     P' = P * 2^s in [2^127, 2^128), the result's significand is P' >> 75 plus
//     one exactly when the 75 bits below exceed 2^74 (an exact half, equal to
//     2^74, stays: the neighbour nearer zero).
//
//   -22 <= q < 0 and w <= 2^53: w and 10^-q = 5^-q * 2^-q (5^22 < 2^53) are
//     doubles exactly, and the division w / 10^-q rounds once to nearest.
//     The quotient is never a midpoint between two doubles: write w = 2^a * u,
//     u odd; w / 10^-q = u * 2^(a+q) / 5^-q has a finite binary expansion only
//     when 5^-q divides u, and then it is an odd integer below 2^53 times a power
//     of two, itself a double. So no tie arises and the tie rule does not matter.
//     This assumes the default floating-point environment, rounding to nearest
//     (the program never changes it), and double evaluation without wider
//     intermediates (FLT_EVAL_METHOD == 0; otherwise this case is left out).
//     The quotient lies in [10^-22, 2^53], far from overflow and subnormals.
inline std::optional<std::uint64_t> small_decimal_to_binary(const decimal_scan& scan) {
  static_assert(std::numeric_limits<double>::is_iec559);
  if (scan.digits_dropped) return std::nullopt;
  const std::uint64_t w = scan.leading_digits;
  const std::int64_t q = scan.lead_exponent - scan.leading_digit_count + 1;
  if (q >= 0 && q <= small_decimal::max_exact_power) {
    const auto product = static_cast<small_decimal::uint128>(w) * small_decimal::powers_of_five[q];
    return small_decimal::round_exact_product(product, static_cast<int>(q));
  }
  if constexpr (FLT_EVAL_METHOD == 0) {
    if (q < 0 && q >= -small_decimal::max_divided_power && w <= small_decimal::two_to_the_53) {
      return std::bit_cast<std::uint64_t>(static_cast<double>(static_cast<std::int64_t>(w)) /
                                          small_decimal::double_powers_of_ten[-q]);
    }
  }
  return std::nullopt;
}

}  // namespace calc
