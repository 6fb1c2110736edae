// The value a decimal text stands for, worked out with the C library's exact
// strtod/strtold instead of the program's reader: the reference the fuzz
// targets compare text_to_number with.
#pragma once

#include <string>

namespace fuzz {

// 'decimal' is an ASCII number strtod reads whole: [-]digits[.digits][e[-]digits].
// The double nearest to its value; a value exactly halfway between two doubles
// gives the one nearer zero, and 2^1024 counts as the double after the largest
// finite one (standing for infinity), as the program reads.
double nearest_double_ties_toward_zero(const std::string& decimal);

}  // namespace fuzz
