// The two roundings of one arithmetic step, on integers only.
//
// A step's exact result is first rounded to a 64-bit significand with an
// unbounded exponent, then that value to a double; both to nearest, ties to
// even. Neither depends on the floating-point environment.
#pragma once

#include <cstdint>

namespace calc {

// A nonzero finite value sig * 2^exponent with 2^63 <= sig < 2^64.
struct extended {
  std::uint64_t significand;
  long exponent;
};

// Rounds (magnitude + s) * 2^exponent to 64 significant bits, where s is 0 when
// !sticky and lies strictly between 0 and 1 otherwise. magnitude > 0; when
// sticky, magnitude has more than 65 bits.
extended round_to_64_bits(unsigned __int128 magnitude, long exponent, bool sticky);

// Rounds an extended value to a double: subnormals below 2^-1022, zero below
// half the least subnormal (a tie there goes to zero, the even neighbour),
// infinity from 2^1024 on.
double round_to_double(bool negative, extended value);

}  // namespace calc
