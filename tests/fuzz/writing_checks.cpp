#include "writing_checks.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/numeric_text.h"
#include "check.h"
#include "reference_reading.h"

namespace fuzz {
namespace {

constexpr std::uint64_t sign_bit = 0x8000000000000000;
constexpr std::uint64_t ten_to_12 = 1'000'000'000'000, ten_to_13 = 10'000'000'000'000;
constexpr std::uint64_t ten_to_16 = 10'000'000'000'000'000, ten_to_17 = 100'000'000'000'000'000;

// The five texts of infinities and NaN values and the bits each reads back as.
struct non_finite_form {
  const char* text;
  std::uint64_t read_back;
};
constexpr non_finite_form positive_infinity{"1.#INF", 0x7FF0000000000000};
constexpr non_finite_form negative_infinity{"-1.#INF", 0xFFF0000000000000};
constexpr non_finite_form default_nan{"-1.#IND", 0xFFF8000000000000};  // what invalid operations give
constexpr non_finite_form positive_nan{"1.#QNAN", 0x7FF8000000000000};
constexpr non_finite_form negative_nan{"-1.#QNAN", 0xFFF8000000000001};

// The text of an infinity or NaN: the two infinities, the default NaN, and
// every other NaN by its sign bit.
const non_finite_form& non_finite_form_of(std::uint64_t bits) {
  const bool negative = (bits & sign_bit) != 0;
  if ((bits & ~sign_bit) == positive_infinity.read_back) return negative ? negative_infinity : positive_infinity;
  if (bits == default_nan.read_back) return default_nan;
  return negative ? negative_nan : positive_nan;
}

// d1...d13 and the power of ten X of d1.
struct thirteen_digits {
  std::string digits;
  int exponent;
};

// The 13-digit rounding of a finite nonzero magnitude: the exact decimal expansion
// rounded half up to 17 digits, then those rounded half up to 13 digits.
thirteen_digits round_to_13_digits(double magnitude) {
  constexpr int precision = 800;  // a double's exact expansion has at most 767 significant digits
  char exact[precision + 16];
  std::snprintf(exact, sizeof exact, "%.*e", precision, magnitude);  // "d.ddd...de+X"
  const std::string digits = std::string(1, exact[0]) + std::string(exact + 2, precision);
  FUZZ_CHECK(digits.find_first_not_of('0', 770) == std::string::npos, "expansion not exact: %s", exact);
  int exponent = std::atoi(std::strchr(exact, 'e') + 1);

  std::uint64_t d17 = std::stoull(digits.substr(0, 17)) + (digits[17] >= '5' ? 1 : 0);
  if (d17 == ten_to_17) d17 = ten_to_16, ++exponent;
  std::uint64_t d13 = d17 / 10000 + (d17 % 10000 >= 5000 ? 1 : 0);
  if (d13 == ten_to_13) d13 = ten_to_12, ++exponent;
  return {std::to_string(d13), exponent};
}

// The written text of a 13-digit rounding: exponent form when X < -4 or X >= 13
// (at least three exponent digits), plain form otherwise; no trailing zeros after
// the point, and no point without a digit after it.
std::string written_form(bool negative, const thirteen_digits& rounded) {
  std::string significant = rounded.digits;
  while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
  const int x = rounded.exponent;
  std::string text = negative ? "-" : "";
  if (x < -4 || x >= 13) {
    text += significant[0];
    if (significant.size() > 1) text += "." + significant.substr(1);
    char exponent[8];
    std::snprintf(exponent, sizeof exponent, "e%c%03d", x < 0 ? '-' : '+', std::abs(x));
    text += exponent;
  } else if (x >= 0) {
    const auto integer_digits = static_cast<std::size_t>(x + 1);
    text += rounded.digits.substr(0, integer_digits);
    if (significant.size() > integer_digits) text += "." + significant.substr(integer_digits);
  } else {
    text += "0." + std::string(static_cast<std::size_t>(-x - 1), '0') + significant;
  }
  return text;
}

void check_finite_text(double value, const std::string& text) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  FUZZ_CHECK(text.find_first_not_of("0123456789-.e+") == std::string::npos, "%a (%016" PRIX64 ") -> \"%s\"",
             value, bits, text.c_str());
  std::string expected = "0";
  double expected_back = 0.0;  // both zeros are written "0", which reads as +0
  if (value != 0) {
    const thirteen_digits rounded = round_to_13_digits(std::fabs(value));
    expected = written_form(std::signbit(value), rounded);
    expected_back = nearest_double_ties_toward_zero((std::signbit(value) ? "-" : "") + rounded.digits + "e" +
                                                    std::to_string(rounded.exponent - 12));
  }
  FUZZ_CHECK(text == expected, "%a (%016" PRIX64 ") -> \"%s\", expected \"%s\"", value, bits, text.c_str(),
             expected.c_str());
  const double back = calc::text_to_number(text);
  FUZZ_CHECK(std::bit_cast<std::uint64_t>(back) == std::bit_cast<std::uint64_t>(expected_back),
             "\"%s\" read back as %a, expected %a", text.c_str(), back, expected_back);
}

void check_non_finite_text(double value, const std::string& text) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const non_finite_form& form = non_finite_form_of(bits);
  FUZZ_CHECK(text == form.text, "%016" PRIX64 " -> \"%s\", expected \"%s\"", bits, text.c_str(), form.text);
  const auto back = std::bit_cast<std::uint64_t>(calc::text_to_number(text));
  FUZZ_CHECK(back == form.read_back, "\"%s\" read back as %016" PRIX64 ", expected %016" PRIX64, text.c_str(),
             back, form.read_back);
}

}  // namespace

void check_written_text(double value) {
  const std::string text = calc::number_to_text(value);
  FUZZ_CHECK(!text.empty() && text.size() <= 20, "%a -> \"%s\" (%zu characters)", value, text.c_str(),
             text.size());
  if (std::isfinite(value)) {
    check_finite_text(value, text);
  } else {
    check_non_finite_text(value, text);
  }
  // Writing what the text reads back as gives the text again wherever neighbouring
  // doubles lie closer together than the 13-digit texts, that is from 10^-310 on in
  // magnitude. Below, subnormals lie 2^-1074 apart: "1e-311" is written for the double
  // just above 10^-311 but reads back as the nearer one just below, whose text is
  // "9.999999999999e-312". Such a second text is the read-back double's own, and stable.
  const double back = calc::text_to_number(text);
  const std::string again = calc::number_to_text(back);
  if (value == 0 || !(std::fabs(value) < 1e-310)) {
    FUZZ_CHECK(again == text, "\"%s\" read back and written again as \"%s\"", text.c_str(), again.c_str());
  } else if (again != text) {
    check_finite_text(back, again);
    const std::string third = calc::number_to_text(calc::text_to_number(again));
    FUZZ_CHECK(third == again, "\"%s\" read back and written again as \"%s\", then as \"%s\"", text.c_str(),
               again.c_str(), third.c_str());
  }
}

}  // namespace fuzz
