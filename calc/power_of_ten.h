// 128-bit truncated powers of ten, computed when the program is compiled.
//
// For every q in [min_exponent, max_exponent] the entry holds t = hi * 2^64 + lo
// and b with
//     2^127 <= t < 2^128   and   t * 2^b <= 10^q < (t + 1) * 2^b,
// that is t = floor(10^q / 2^b). The entry is exact (t * 2^b == 10^q) exactly
// when 0 <= q <= 55, where 5^q < 2^128.
#pragma once

#include <array>
#include <cstdint>

namespace calc::power_of_ten {

inline constexpr int min_exponent = -343;
inline constexpr int max_exponent = 342;

struct entry {
  std::uint64_t hi;
  std::uint64_t lo;
  int binary_exponent;  // b
};

constexpr bool is_exact(int q) { return q >= 0 && q <= 55; }

namespace detail {

// A fixed-size unsigned integer, large enough for 2^960 and for 5^342.
struct wide {
  static constexpr int limb_count = 16;
  std::array<std::uint64_t, limb_count> limbs{};

  constexpr int bit_length() const {
    for (int i = limb_count - 1; i >= 0; --i) {
      if (limbs[i] != 0) return 64 * i + 64 - __builtin_clzll(limbs[i]);
    }
    return 0;
  }
  constexpr std::uint64_t bits_from(int position) const {  // 64 bits starting at bit 'position'
    const int limb = position / 64, shift = position % 64;
    std::uint64_t low = limb < limb_count ? limbs[limb] >> shift : 0;
    if (shift != 0 && limb + 1 < limb_count) low |= limbs[limb + 1] << (64 - shift);
    return low;
  }
  constexpr void multiply_by(std::uint64_t factor) {
    unsigned __int128 carry = 0;
    for (auto& limb : limbs) {
      const unsigned __int128 product = static_cast<unsigned __int128>(limb) * factor + carry;
      limb = static_cast<std::uint64_t>(product);
      carry = product >> 64;
    }
  }
  constexpr void divide_by(std::uint64_t divisor) {  // floor division
    unsigned __int128 remainder = 0;
    for (int i = limb_count - 1; i >= 0; --i) {
      const unsigned __int128 current = (remainder << 64) | limbs[i];
      limbs[i] = static_cast<std::uint64_t>(current / divisor);
      remainder = current % divisor;
    }
  }
};

// The top 128 bits of n (n >= 2^127 after shifting) and the shift s with
// top = floor(n / 2^s) (s may be negative: then top = n * 2^-s exactly).
constexpr entry top_128_bits(const wide& n, int extra_exponent) {
  const int length = n.bit_length();
  const int shift = length - 128;
  entry e{};
  if (shift >= 0) {
    e.hi = n.bits_from(shift + 64);
    e.lo = n.bits_from(shift);
  } else {  // n < 2^127: exact, shifted up
    const unsigned __int128 value =
        (static_cast<unsigned __int128>(n.limbs[1]) << 64 | n.limbs[0]) << -shift;
    e.hi = static_cast<std::uint64_t>(value >> 64);
    e.lo = static_cast<std::uint64_t>(value);
  }
  e.binary_exponent = shift + extra_exponent;
  return e;
}

constexpr std::array<entry, max_exponent - min_exponent + 1> make_table() {
  std::array<entry, max_exponent - min_exponent + 1> table{};
  // q >= 0: 10^q = 5^q * 2^q, so t = floor(5^q / 2^s) and b = s + q.
  wide five_power{};
  five_power.limbs[0] = 1;
  for (int q = 0; q <= max_exponent; ++q) {
    table[q - min_exponent] = top_128_bits(five_power, q);
    five_power.multiply_by(5);
  }
  // q = -k < 0: with X_k = floor(2^960 / 5^k), computed as X_{k+1} = floor(X_k / 5),
  // floor(X_k / 2^s) = floor(2^(960-s) / 5^k), so t = that and b = s - 960 - k.
  // X_343 still has more than 128 bits (960 - 343 log2 5 > 163).
  constexpr int scale = 960;
  wide reciprocal{};
  reciprocal.limbs[scale / 64] = std::uint64_t{1} << (scale % 64);
  for (int k = 1; k <= -min_exponent; ++k) {
    reciprocal.divide_by(5);
    table[-k - min_exponent] = top_128_bits(reciprocal, -scale - k);
  }
  return table;
}

}  // namespace detail

inline constexpr auto table = detail::make_table();

constexpr const entry& of(int q) { return table[q - min_exponent]; }

}  // namespace calc::power_of_ten
