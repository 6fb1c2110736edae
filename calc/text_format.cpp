#include "calc/text_format.h"

#include <cstdint>

namespace calc {
namespace {

constexpr int written_digits = 13;
constexpr std::uint64_t ten_to_12 = 1'000'000'000'000;
constexpr std::uint64_t ten_to_13 = 10'000'000'000'000;
constexpr int smallest_plain_exponent = -4;
constexpr int min_exponent_digits = 3;

// Copies the digits of 'digits' (exactly 13 of them) into out[0..12].
void put_13_digits(std::uint64_t digits, char* out) {
  for (int i = written_digits - 1; i >= 0; --i, digits /= 10) out[i] = static_cast<char>('0' + digits % 10);
}

// Length of d1...d13 without trailing zeros, counting at least 'keep' digits.
int significant_length(const char* digits, int keep) {
  int length = written_digits;
  while (length > keep && digits[length - 1] == '0') --length;
  return length;
}

}  // namespace

std::size_t format_13_digits(decimal_17 value, bool negative, char* out) {
  std::uint64_t d13 = (value.digits + 5000) / 10000;
  int exponent = value.exponent;
  if (d13 == ten_to_13) {
    d13 = ten_to_12;
    ++exponent;
  }
  char digits[written_digits];
  put_13_digits(d13, digits);

  char* p = out;
  if (negative) *p++ = '-';
  if (exponent < smallest_plain_exponent || exponent >= written_digits) {
    const int length = significant_length(digits, 1);
    *p++ = digits[0];
    if (length > 1) {
      *p++ = '.';
      for (int i = 1; i < length; ++i) *p++ = digits[i];
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    char exponent_digits[min_exponent_digits];
    for (int i = min_exponent_digits - 1; i >= 0; --i, magnitude /= 10) {
      exponent_digits[i] = static_cast<char>('0' + magnitude % 10);
    }
    for (char c : exponent_digits) *p++ = c;  // |exponent| <= 324 has at most three digits
  } else if (exponent >= 0) {
    const int integer_digits = exponent + 1;
    const int length = significant_length(digits, integer_digits);
    for (int i = 0; i < integer_digits; ++i) *p++ = digits[i];
    if (length > integer_digits) {
      *p++ = '.';
      for (int i = integer_digits; i < length; ++i) *p++ = digits[i];
    }
  } else {
    *p++ = '0';
    *p++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) *p++ = '0';
    const int length = significant_length(digits, 1);
    for (int i = 0; i < length; ++i) *p++ = digits[i];
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace calc
