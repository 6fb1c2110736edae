#include "calc/big_integer.h"

#include <algorithm>

namespace calc {

big_integer::big_integer(std::uint64_t value) {
  while (value != 0) {
    limbs_.push_back(static_cast<std::uint32_t>(value));
    value >>= 32;
  }
}

void big_integer::trim() {
  while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

void big_integer::multiply_add(std::uint32_t factor, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (auto& limb : limbs_) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  trim();
}

void big_integer::multiply_by_power_of_five(int exponent) {
  constexpr std::uint32_t five_to_13 = 1220703125;  // the largest power of five below 2^32
  for (; exponent >= 13; exponent -= 13) multiply_add(five_to_13);
  std::uint32_t rest = 1;
  for (; exponent > 0; --exponent) rest *= 5;
  multiply_add(rest);
}

void big_integer::shift_left(int bits) {
  if (limbs_.empty() || bits == 0) return;
  const int whole = bits / 32;
  const int part = bits % 32;
  if (part != 0) {
    std::uint32_t carry = 0;
    for (auto& limb : limbs_) {
      const std::uint32_t next = limb >> (32 - part);
      limb = (limb << part) | carry;
      carry = next;
    }
    if (carry != 0) limbs_.push_back(carry);
  }
  limbs_.insert(limbs_.begin(), static_cast<std::size_t>(whole), 0u);
}

std::uint32_t big_integer::divide(std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
    const std::uint64_t current = (remainder << 32) | *limb;
    *limb = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  trim();
  return static_cast<std::uint32_t>(remainder);
}

std::string big_integer::to_decimal() const {
  if (is_zero()) return "0";
  constexpr std::uint32_t chunk = 1000000000;  // nine digits at a time
  big_integer rest = *this;
  std::string reversed;
  while (!rest.is_zero()) {
    std::uint32_t digits = rest.divide(chunk);
    for (int i = 0; i < 9; ++i, digits /= 10) reversed.push_back(static_cast<char>('0' + digits % 10));
  }
  while (reversed.size() > 1 && reversed.back() == '0') reversed.pop_back();
  return {reversed.rbegin(), reversed.rend()};
}

int compare(const big_integer& a, const big_integer& b) {
  if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
  for (std::size_t i = a.limbs_.size(); i-- > 0;) {
    if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
  }
  return 0;
}

int compare_scaled(big_integer a, int a5, long a2, big_integer b, int b5, long b2) {
  const long common = std::min(a2, b2);
  a.multiply_by_power_of_five(a5);
  a.shift_left(static_cast<int>(a2 - common));
  b.multiply_by_power_of_five(b5);
  b.shift_left(static_cast<int>(b2 - common));
  return compare(a, b);
}

}  // namespace calc
