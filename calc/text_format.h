// Last stage of writing a number: 17 digits reduced half up to 13, then laid
// out in the plain or the exponent form.
//
// With D17 = d1...d17 and X from the first stage, D13 = floor((D17 + 5000) / 10^4),
// i.e. d13 goes up by one when d14 >= 5 (a carry out of d1 gives 10^12 and X + 1).
// The exponent form is used when X < -4 or X >= 13, X taken after this rounding.
#pragma once

#include <cstddef>

#include "calc/binary_to_decimal.h"

namespace calc {

inline constexpr std::size_t max_number_text_length = 20;  // "-1.234567890123e-308"

// Writes the text of a finite nonzero value with the given 17-digit form and sign;
// returns its length (at most max_number_text_length).
std::size_t format_13_digits(decimal_17 value, bool negative, char* out);

}  // namespace calc
