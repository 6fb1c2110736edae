#include "calc/decimal_scan.h"

namespace calc {
namespace {

using namespace scan_detail;

// What the digits of the mantissa read so far tell (kept in locals while reading:
// the text's bytes may alias anything, so fields of a shared struct would be reloaded).
struct digit_state {
  bool seen_nonzero = false;
  std::int64_t fraction_zeros = 0;   // zeros after the point before the first significant digit
  std::int64_t lead_exponent = 0;    // power of ten of the first significant digit
  std::uint64_t leading_digits = 0;
  int leading_digit_count = 0;
  bool digits_dropped = false;
  const unsigned char* significant_begin = nullptr;
  std::int64_t count = 0;            // all digits read

  // Eight digits after the first significant one, as an ASCII word.
  template <bool in_fraction>
  void add_eight(std::uint64_t word) {
    count += 8;
    if (!in_fraction) lead_exponent += 8;
    if (leading_digit_count + 8 <= max_leading_digits) {
      leading_digits = leading_digits * 100000000 + value_of_eight_digits(word);
      leading_digit_count += 8;
      return;
    }
    for (int i = 0; i < 8; ++i, word >>= 8) {  // the few that still fit, then the dropped ones
      const auto digit = static_cast<unsigned>(word & 0xFF) - '0';
      if (leading_digit_count < max_leading_digits) {
        leading_digits = leading_digits * 10 + digit;
        ++leading_digit_count;
      } else {
        digits_dropped = digits_dropped || word != (eight_zeros >> (8 * i));
        break;
      }
    }
  }

  template <bool in_fraction>
  void add(unsigned digit, const unsigned char* at) {
    ++count;
    if (!seen_nonzero) {
      if (digit == 0) {
        if (in_fraction) ++fraction_zeros;
        return;
      }
      seen_nonzero = true;
      significant_begin = at;
      lead_exponent = in_fraction ? -(fraction_zeros + 1) : 0;
    } else if (!in_fraction) {
      ++lead_exponent;
    }
    if (leading_digit_count < max_leading_digits) {
      leading_digits = leading_digits * 10 + digit;
      ++leading_digit_count;
    } else if (digit != 0) {
      digits_dropped = true;
    }
  }
};

// Reads a run of digits (plain or folded) into the state.
template <bool in_fraction>
void read_digits(folded_cursor& cursor, digit_state& shared) {
  digit_state state = shared;
  for (;;) {
    const unsigned char* p = cursor.position();
    const unsigned char* const end = cursor.end();
    for (std::uint64_t word; state.seen_nonzero && end - p >= 8 && eight_digits_at(p, word); p += 8) {
      state.add_eight<in_fraction>(word);
    }
    for (; p != end; ++p) {
      const unsigned digit = static_cast<unsigned>(*p) - '0';
      if (digit >= 10) break;
      state.add<in_fraction>(digit, p);
    }
    cursor.move_to(p);
    const int c = cursor.peek();
    if (!is_digit(c)) break;
    state.add<in_fraction>(static_cast<unsigned>(c - '0'), cursor.position());
    cursor.advance();
  }
  shared = state;
}

// The exponent part, if the cursor stands on one: letter, optional sign, one or more digits.
// Leaves the cursor untouched and adds nothing when the letter is not followed by a digit.
std::int64_t read_exponent(folded_cursor& cursor) {
  if (!is_exponent_letter(cursor.peek())) return 0;
  folded_cursor probe = cursor;
  probe.advance();
  bool negative = false;
  if (const int sign = probe.peek(); sign == '+' || sign == '-') {
    negative = sign == '-';
    probe.advance();
  }
  if (!is_digit(probe.peek())) return 0;
  std::int64_t value = 0;
  for (int c = probe.peek(); is_digit(c); probe.advance(), c = probe.peek()) {
    if (value < exponent_saturation) value = value * 10 + (c - '0');
  }
  if (value > exponent_saturation) value = exponent_saturation;
  cursor = probe;
  return negative ? -value : value;
}

}  // namespace

void skip_white_space(folded_cursor& cursor) {
  while (is_white_space(cursor.peek())) cursor.advance();
}

decimal_scan scan_decimal(folded_cursor& cursor) {
  decimal_scan scan;
  const folded_cursor start = cursor;
  if (const int sign = cursor.peek(); sign == '+' || sign == '-') {
    scan.negative = sign == '-';
    cursor.advance();
  }
  digit_state digits;
  read_digits<false>(cursor, digits);
  if (cursor.peek() == '.') {
    folded_cursor after_point = cursor;
    after_point.advance();
    if (digits.count > 0 || is_digit(after_point.peek())) {
      cursor = after_point;
      read_digits<true>(cursor, digits);
    }
  }
  if (digits.count == 0) {
    cursor = start;
    return decimal_scan{};  // no digit at all: +0, whatever sign was written
  }
  scan.digits_end = cursor.position();
  const std::int64_t written_exponent = read_exponent(cursor);
  if (!digits.seen_nonzero) {
    scan.kind = decimal_scan::outcome::zero;
    return scan;
  }
  scan.leading_digits = digits.leading_digits;
  scan.leading_digit_count = digits.leading_digit_count;
  scan.digits_dropped = digits.digits_dropped;
  scan.significant_begin = digits.significant_begin;
  scan.lead_exponent = digits.lead_exponent + written_exponent;
  scan.kind = decimal_scan::outcome::nonzero;
  return scan;
}

}  // namespace calc
