#include "calc/step_rounding.h"

#include <bit>

namespace calc {
namespace {

constexpr std::uint64_t sign_bit = 0x8000000000000000;
constexpr std::uint64_t infinity_bits = 0x7FF0000000000000;

int bit_length(unsigned __int128 n) {
  const auto high = static_cast<std::uint64_t>(n >> 64);
  if (high != 0) return 128 - std::countl_zero(high);
  return 64 - std::countl_zero(static_cast<std::uint64_t>(n));
}

}  // namespace

extended round_to_64_bits(unsigned __int128 magnitude, long exponent, bool sticky) {
  const int length = bit_length(magnitude);
  if (length <= 64) {
    return {static_cast<std::uint64_t>(magnitude) << (64 - length), exponent - (64 - length)};
  }
  const int drop = length - 64;
  auto kept = static_cast<std::uint64_t>(magnitude >> drop);
  const unsigned __int128 rest = magnitude & ((static_cast<unsigned __int128>(1) << drop) - 1);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (drop - 1);
  const bool up = rest > half || (rest == half && (sticky || (kept & 1) != 0));
  exponent += drop;
  if (up && ++kept == 0) {  // carried out of 64 bits
    kept = sign_bit;
    ++exponent;
  }
  return {kept, exponent};
}

double round_to_double(bool negative, extended value) {
  const std::uint64_t sign = negative ? sign_bit : 0;
  const long e2 = value.exponent + 63;  // 2^e2 <= |value| < 2^(e2 + 1)
  if (e2 > 1023) return std::bit_cast<double>(sign | infinity_bits);
  // bits of the significand below the double's last bit: 11 for normals, more for subnormals
  const long drop = e2 >= -1022 ? 11 : -1011 - e2;
  if (drop > 64) return std::bit_cast<double>(sign);  // below 2^-1075
  const std::uint64_t kept = drop == 64 ? 0 : value.significand >> drop;
  const std::uint64_t rest = drop == 64 ? value.significand : value.significand & ((std::uint64_t{1} << drop) - 1);
  const std::uint64_t half = std::uint64_t{1} << (drop - 1);
  const bool up = rest > half || (rest == half && (kept & 1) != 0);
  const std::uint64_t mantissa = kept + (up ? 1 : 0);
  std::uint64_t bits = mantissa;  // subnormal; a carry to 2^52 makes the least normal
  if (e2 >= -1022) {
    bits = (static_cast<std::uint64_t>(e2 + 1023) << 52) + mantissa - (std::uint64_t{1} << 52);
    if (bits > infinity_bits) bits = infinity_bits;
  }
  return std::bit_cast<double>(sign | bits);
}

}  // namespace calc
