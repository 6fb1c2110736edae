#include "calc/decimal_to_binary.h"

#include <bit>

#include "calc/big_integer.h"
#include "calc/power_of_ten.h"

namespace calc {
namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t infinity_bits = 0x7FF0000000000000;
constexpr std::int64_t largest_lead_exponent = 308;    // 10^309 > 2^1024
constexpr std::int64_t smallest_lead_exponent = -325;  // 10^-324 < 2^-1075, half the least subnormal

// The double with significand 'mantissa' in units of 2^(e2 - 52) (normal, e2 >= -1022)
// or of 2^-1074 (subnormal). A mantissa of 2^53 (or 2^52 for subnormals) carries into
// the exponent field, and a carry beyond the largest exponent gives infinity.
std::uint64_t encode(std::uint64_t mantissa, int e2) {
  if (e2 < -1022) return mantissa;
  const std::uint64_t bits = (static_cast<std::uint64_t>(e2 + 1023) << 52) + mantissa - (std::uint64_t{1} << 52);
  return bits >= infinity_bits ? infinity_bits : bits;
}

// Sign of |value| - (2c + 1) * 2^(unit - 1), from all digits of the text.
int compare_with_midpoint(const decimal_scan& scan, std::uint64_t c, int unit) {
  big_integer digits;
  int taken = 0;
  bool nonzero_dropped = false;
  folded_cursor cursor(std::string_view(reinterpret_cast<const char*>(scan.significant_begin),
                                        static_cast<std::size_t>(scan.digits_end - scan.significant_begin)));
  std::uint32_t chunk = 0, chunk_scale = 1;
  for (int ch = cursor.peek(); ch != folded_cursor::end_of_text; cursor.advance(), ch = cursor.peek()) {
    if (!is_digit(ch)) continue;  // the point
    if (taken == max_exact_digits) {
      nonzero_dropped = nonzero_dropped || ch != '0';
      continue;
    }
    chunk = chunk * 10 + static_cast<std::uint32_t>(ch - '0');
    chunk_scale *= 10;
    ++taken;
    if (chunk_scale == 1000000000) {
      digits.multiply_add(chunk_scale, chunk);
      chunk = 0, chunk_scale = 1;
    }
  }
  digits.multiply_add(chunk_scale, chunk);
  // value ~ digits * 10^e10 with e10 = L - taken + 1
  const long e10 = static_cast<long>(scan.lead_exponent) - taken + 1;
  const int order = compare_scaled(digits, e10 > 0 ? static_cast<int>(e10) : 0, e10,
                                   big_integer(2 * c + 1), e10 < 0 ? static_cast<int>(-e10) : 0, unit - 1L);
  return order == 0 && nonzero_dropped ? 1 : order;
}

}  // namespace

std::uint64_t decimal_to_binary(const decimal_scan& scan) {
  if (scan.lead_exponent > largest_lead_exponent) return infinity_bits;
  if (scan.lead_exponent < smallest_lead_exponent) return 0;

  const int q = static_cast<int>(scan.lead_exponent) - scan.leading_digit_count + 1;
  const power_of_ten::entry& power = power_of_ten::of(q);
  const int lz = std::countl_zero(scan.leading_digits);
  const std::uint64_t wn = scan.leading_digits << lz;

  // Z = wn * t as z2:z1:z0
  const uint128 high = static_cast<uint128>(wn) * power.hi;
  const uint128 low = static_cast<uint128>(wn) * power.lo;
  const uint128 middle = static_cast<uint128>(static_cast<std::uint64_t>(high)) + (low >> 64);
  const std::uint64_t z2 = static_cast<std::uint64_t>(high >> 64) + static_cast<std::uint64_t>(middle >> 64);
  const std::uint64_t z1 = static_cast<std::uint64_t>(middle);
  const std::uint64_t z0 = static_cast<std::uint64_t>(low);

  // H = top 64 bits of Z (bit 63 set); X / 2^shift lies in [H, H + err_units).
  const int norm = z2 >> 63 ? 0 : 1;
  const std::uint64_t h = norm ? (z2 << 1 | z1 >> 63) : z2;
  const bool below_h_is_zero = (norm ? z1 << 1 : z1) == 0 && z0 == 0;
  const bool exact = !scan.digits_dropped && power_of_ten::is_exact(q);
  const std::uint64_t err_units = exact ? 0 : (scan.digits_dropped ? 65 : 2);

  // |value| ~ H * 2^unit_h, with 2^e2 <= H * 2^unit_h < 2^(e2 + 1)
  const int unit_h = 128 - norm + power.binary_exponent - lz;
  const int e2 = unit_h + 63;
  if (e2 > 1023) return infinity_bits;
  const int drop = e2 >= -1022 ? 11 : -1011 - e2;  // bits of H below the result's last bit
  if (drop > 65) return 0;
  if (drop == 65) {  // below 2^-1075 unless the error reaches it
    if (h <= ~std::uint64_t{0} - err_units + 1 || err_units == 0) return 0;
    return compare_with_midpoint(scan, 0, -1074) > 0 ? 1 : 0;
  }

  const std::uint64_t mantissa = drop == 64 ? 0 : h >> drop;
  const std::uint64_t low_bits = drop == 64 ? h : h & ((std::uint64_t{1} << drop) - 1);
  const std::uint64_t half = std::uint64_t{1} << (drop - 1);
  bool up;
  if (exact) {
    up = low_bits > half || (low_bits == half && !below_h_is_zero);  // an exact half goes toward zero
  } else if (low_bits > half) {
    up = true;
  } else if (low_bits + err_units <= half) {
    up = false;
  } else {
    up = compare_with_midpoint(scan, mantissa, unit_h + drop) > 0;
  }
  return encode(mantissa + (up ? 1 : 0), e2);
}

}  // namespace calc
