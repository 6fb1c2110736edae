// First stage of writing a number: a finite nonzero double's exact decimal
// expansion rounded half up to 17 significant digits.
//
// Result: digits D with 10^16 <= D < 10^17 and exponent X such that
//     D = floor(|x| * 10^(16 - X) + 1/2),
// where X is the power of ten of the first digit of that rounding (a carry out
// of the first digit gives D = 10^16 and raises X by one).
//
// Method. With |x| = mn * 2^e (mn normalised to 64 bits), X0 = floor(e2 log10 2)
// for the binary exponent e2 of |x| (so 10^X0 <= |x| < 10^(X0 + 1.31)) and the
// power-of-ten entry 10^q = (t + theta) * 2^b for q = 16 - X0, the value
// Y = |x| * 10^q lies in [10^16, 10^18) and
//     Y * 2^s' in [R, R + 2)   (R = top 128 bits of mn * t, s' = -(e + b) - 64),
// exactly R + z0/2^64 when the power is exact (0 <= q <= 55). Y's integer part
// and its comparison with a half are read off R unless the uncertainty of 2
// units straddles an integer or a half; then the exact decimal expansion,
// computed with big integers, decides.
#pragma once

#include <cstdint>
#include <string>

namespace calc {

struct decimal_17 {
  std::uint64_t digits;  // 10^16 <= digits < 10^17
  int exponent;          // X: |x| ~ digits * 10^(X - 16)
};

// x finite and not zero.
decimal_17 to_17_digits(double x);

// The same from the exact decimal expansion, with big integers throughout.
decimal_17 to_17_digits_exactly(double x);

// All digits of |x| (most significant first, x finite and not zero) and the
// power of ten of the first.
struct exact_decimal {
  std::string digits;
  int exponent;
};
exact_decimal exact_decimal_expansion(double x);

}  // namespace calc
