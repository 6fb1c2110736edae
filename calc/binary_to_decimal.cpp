#include "calc/binary_to_decimal.h"

#include <bit>

#include "calc/big_integer.h"
#include "calc/power_of_ten.h"

namespace calc {
namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t ten_to_16 = 10'000'000'000'000'000;
constexpr std::uint64_t ten_to_17 = 100'000'000'000'000'000;

struct binary_parts {
  std::uint64_t mantissa;  // |x| = mantissa * 2^exponent
  int exponent;
};

binary_parts split(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const auto field = static_cast<int>(bits >> 52 & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (field == 0) return {fraction, -1074};
  return {fraction | std::uint64_t{1} << 52, field - 1075};
}

// A carry out of the first digit: 10^17 becomes 10^16 one power higher.
decimal_17 normalised(std::uint64_t digits, int exponent) {
  if (digits == ten_to_17) return {ten_to_16, exponent + 1};
  return {digits, exponent};
}

}  // namespace

exact_decimal exact_decimal_expansion(double x) {
  const binary_parts parts = split(x);
  big_integer n(parts.mantissa);
  // |x| = m * 2^e: for e >= 0 the integer m * 2^e; otherwise m * 5^-e / 10^-e.
  if (parts.exponent >= 0) {
    n.shift_left(parts.exponent);
  } else {
    n.multiply_by_power_of_five(-parts.exponent);
  }
  exact_decimal result{n.to_decimal(), 0};
  const int scale = parts.exponent >= 0 ? 0 : -parts.exponent;
  result.exponent = static_cast<int>(result.digits.size()) - 1 - scale;
  return result;
}

decimal_17 to_17_digits_exactly(double x) {
  const exact_decimal expansion = exact_decimal_expansion(x);
  std::uint64_t digits = 0;
  for (std::size_t i = 0; i < 17; ++i) {
    digits = digits * 10 + (i < expansion.digits.size() ? static_cast<unsigned>(expansion.digits[i] - '0') : 0);
  }
  const bool up = expansion.digits.size() > 17 && expansion.digits[17] >= '5';
  return normalised(digits + (up ? 1 : 0), expansion.exponent);
}

decimal_17 to_17_digits(double x) {
  const binary_parts parts = split(x);
  const int lz = std::countl_zero(parts.mantissa);
  const std::uint64_t mn = parts.mantissa << lz;
  const int e = parts.exponent - lz;          // |x| = mn * 2^e
  const int e2 = e + 63;                      // 2^e2 <= |x| < 2^(e2 + 1)
  const int x0 = (e2 * 78913) >> 18;          // floor(e2 log10 2), exact for |e2| < 2^11
  const int q = 16 - x0;
  const power_of_ten::entry& power = power_of_ten::of(q);

  const uint128 high = static_cast<uint128>(mn) * power.hi;
  const uint128 low = static_cast<uint128>(mn) * power.lo;
  const uint128 r = high + (low >> 64);       // top 128 bits of mn * t (no overflow: mn * t < 2^192)
  const int s = -(e + power.binary_exponent) - 64;  // 66 <= s <= 75
  const bool exact = power_of_ten::is_exact(q);

  const auto integer = static_cast<std::uint64_t>(r >> s);
  const uint128 fraction = r & ((uint128{1} << s) - 1);
  const uint128 one = uint128{1} << s;
  const uint128 half = one >> 1;
  const uint128 uncertainty = exact ? 0 : 2;   // Y * 2^s lies in [r, r + uncertainty) (or is r + z0/2^64)

  if (fraction + uncertainty > one || integer < ten_to_16) return to_17_digits_exactly(x);
  if (integer >= ten_to_17) return normalised((integer + 5) / 10, x0 + 1);
  bool up;
  if (fraction >= half) {
    up = true;
  } else if (fraction + uncertainty <= half) {
    up = false;
  } else {
    return to_17_digits_exactly(x);
  }
  return normalised(integer + (up ? 1 : 0), x0);
}

}  // namespace calc
