// Unsigned integers of any size, for the rare conversions that a 192-bit
// approximation cannot decide. Only what those need: multiplication by small
// factors and powers of five, shifts, comparison, division by a small number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace calc {

class big_integer {
 public:
  big_integer() = default;
  explicit big_integer(std::uint64_t value);

  // *this = *this * factor + addend
  void multiply_add(std::uint32_t factor, std::uint32_t addend = 0);
  void multiply_by_power_of_five(int exponent);  // exponent >= 0
  void shift_left(int bits);                      // bits >= 0
  // *this = floor(*this / divisor); returns the remainder. divisor > 0.
  std::uint32_t divide(std::uint32_t divisor);

  bool is_zero() const { return limbs_.empty(); }
  // The decimal digits, most significant first ("0" for zero).
  std::string to_decimal() const;

  friend int compare(const big_integer& a, const big_integer& b);  // -1, 0, 1

 private:
  void trim();
  std::vector<std::uint32_t> limbs_;  // little-endian, no leading zero limbs
};

// Sign of a * 5^a5 * 2^a2 - b * 5^b5 * 2^b2, with a5, b5 >= 0 and any a2, b2.
int compare_scaled(big_integer a, int a5, long a2, big_integer b, int b5, long b2);

}  // namespace calc
