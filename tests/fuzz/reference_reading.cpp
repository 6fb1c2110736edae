#include "reference_reading.h"

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "check.h"

namespace fuzz {
namespace {

const long double two_to_1024 = std::ldexp(1.0L, 1024);

// strtold under a rounding mode, the default mode restored afterwards (the
// program under test assumes rounding to nearest).
long double strtold_rounding(const std::string& decimal, int mode) {
  std::fesetround(mode);
  const long double value = std::strtold(decimal.c_str(), nullptr);
  std::fesetround(FE_TONEAREST);
  return value;
}

// True, with the value, when a long double holds the text's value exactly
// (64 significant bits, exponents far beyond a double's), as it holds every
// midpoint between two doubles.
bool exact_long_double(const std::string& decimal, long double& value) {
  value = strtold_rounding(decimal, FE_DOWNWARD);
  return value == strtold_rounding(decimal, FE_UPWARD);
}

// The largest double at or below m > 0; DBL_MAX from DBL_MAX on.
double double_at_or_below(long double m) {
  if (m >= DBL_MAX) return DBL_MAX;
  const double d = static_cast<double>(m);
  return static_cast<long double>(d) > m ? std::nextafter(d, 0.0) : d;
}

// The double after d, with 2^1024 after DBL_MAX.
long double next_double_up(double d) { return d == DBL_MAX ? two_to_1024 : std::nextafter(d, INFINITY); }

}  // namespace

double nearest_double_ties_toward_zero(const std::string& decimal) {
  static_assert(LDBL_MANT_DIG >= 54 && LDBL_MAX_EXP > 1025, "a long double holds every midpoint of doubles");
  char* end = nullptr;
  const double nearest_even = std::strtod(decimal.c_str(), &end);
  FUZZ_CHECK(*end == '\0', "reference text not read whole: \"%s\"", decimal.c_str());

  long double exact = 0;
  if (!exact_long_double(decimal, exact) || exact == 0) return nearest_even;  // no midpoint
  const long double magnitude = std::fabs(exact);
  const double lower = double_at_or_below(magnitude);
  // lower + upper needs 54 significant bits: exact in a long double, as is magnitude * 2.
  if (magnitude * 2 != lower + next_double_up(lower)) return nearest_even;
  return std::signbit(exact) ? -lower : lower;
}

}  // namespace fuzz
