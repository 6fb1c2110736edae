#include "calc/arithmetic.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "calc/non_finite_texts.h"
#include "calc/step_rounding.h"

namespace calc {
namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t sign_bit = 0x8000000000000000;
constexpr std::uint64_t quiet_bit = 0x0008000000000000;
constexpr std::uint64_t infinity_bits = 0x7FF0000000000000;

std::uint64_t bits_of(double x) { return std::bit_cast<std::uint64_t>(x); }
bool is_nan(double x) { return (bits_of(x) & ~sign_bit) > infinity_bits; }
bool is_infinite(double x) { return (bits_of(x) & ~sign_bit) == infinity_bits; }
bool is_zero(double x) { return (bits_of(x) & ~sign_bit) == 0; }
bool is_negative(double x) { return (bits_of(x) & sign_bit) != 0; }
double signed_value(std::uint64_t magnitude_bits, bool negative) {
  return std::bit_cast<double>(magnitude_bits | (negative ? sign_bit : 0));
}
double default_nan() { return std::bit_cast<double>(default_nan_bits); }
// The NaN a step passes on: the operand, made quiet like the hardware does.
double quiet(double nan) { return std::bit_cast<double>(bits_of(nan) | quiet_bit); }

// A finite nonzero double as mantissa * 2^exponent with 2^52 <= mantissa < 2^53.
struct unpacked {
  std::uint64_t mantissa;
  long exponent;
};

unpacked unpack(double x) {
  const std::uint64_t bits = bits_of(x);
  const auto field = static_cast<long>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (field != 0) return {mantissa | std::uint64_t{1} << 52, field - 1075};
  const int shift = std::countl_zero(mantissa) - 11;
  return {mantissa << shift, -1074L - shift};
}

bool magnitude_less(unpacked a, unpacked b) {
  return a.exponent != b.exponent ? a.exponent < b.exponent : a.mantissa < b.mantissa;
}

}  // namespace

double subtract(double a, double b) {
  if (is_nan(a)) return quiet(a);
  if (is_nan(b)) return quiet(b);
  const bool b_negated = !is_negative(b);  // a - b = a + (-b)
  if (is_infinite(a)) return is_infinite(b) && is_negative(a) != b_negated ? default_nan() : a;  // inf + (-inf)
  if (is_infinite(b)) return signed_value(infinity_bits, b_negated);
  if (is_zero(b)) return is_zero(a) ? signed_value(0, is_negative(a) && b_negated) : a;
  if (is_zero(a)) return signed_value(bits_of(b) & ~sign_bit, b_negated);

  unpacked x = unpack(a), y = unpack(b);
  bool x_negative = is_negative(a), y_negative = b_negated;
  if (magnitude_less(x, y)) {
    std::swap(x, y);
    std::swap(x_negative, y_negative);
  }
  // |x| >= |y|. x sits at bits 72..124; y is aligned below it. Bits of y shifted out
  // are folded into its lowest bit: the sum then has 124 or more bits, so that bit lies
  // far below the 64-bit rounding position and only tells that the rest is not zero.
  constexpr int headroom = 72;
  const long difference = x.exponent - y.exponent;
  const uint128 x_aligned = static_cast<uint128>(x.mantissa) << headroom;
  uint128 y_aligned;
  if (difference <= headroom) {
    y_aligned = static_cast<uint128>(y.mantissa) << (headroom - difference);
  } else {
    const long shift = difference - headroom;
    y_aligned = shift >= 64 ? 1 : (y.mantissa >> shift) | ((y.mantissa << (64 - shift)) != 0 ? 1 : 0);
  }
  const uint128 sum = x_negative == y_negative ? x_aligned + y_aligned : x_aligned - y_aligned;
  if (sum == 0) return 0.0;  // exact cancellation gives +0
  return round_to_double(x_negative, round_to_64_bits(sum, x.exponent - headroom, false));
}

double multiply(double a, double b) {
  if (is_nan(a)) return quiet(a);
  if (is_nan(b)) return quiet(b);
  const bool negative = is_negative(a) != is_negative(b);
  if (is_infinite(a) || is_infinite(b)) {
    return is_zero(a) || is_zero(b) ? default_nan() : signed_value(infinity_bits, negative);
  }
  if (is_zero(a) || is_zero(b)) return signed_value(0, negative);
  const unpacked x = unpack(a), y = unpack(b);
  const uint128 product = static_cast<uint128>(x.mantissa) * y.mantissa;  // exact, 105 or 106 bits
  return round_to_double(negative, round_to_64_bits(product, x.exponent + y.exponent, false));
}

double divide(double a, double b) {
  if (is_nan(a)) return quiet(a);
  if (is_nan(b)) return quiet(b);
  const bool negative = is_negative(a) != is_negative(b);
  if (is_infinite(a)) return is_infinite(b) ? default_nan() : signed_value(infinity_bits, negative);
  if (is_infinite(b)) return signed_value(0, negative);
  if (is_zero(b)) return is_zero(a) ? default_nan() : signed_value(infinity_bits, negative);
  if (is_zero(a)) return signed_value(0, negative);
  const unpacked x = unpack(a), y = unpack(b);
  // floor(mx * 2^75 / my) has 75 or 76 bits; the remainder tells whether it is exact.
  constexpr int scale = 75;
  const uint128 numerator = static_cast<uint128>(x.mantissa) << scale;
  const uint128 quotient = numerator / y.mantissa;
  const bool inexact = numerator % y.mantissa != 0;
  return round_to_double(negative, round_to_64_bits(quotient, x.exponent - scale - y.exponent, inexact));
}

}  // namespace calc
