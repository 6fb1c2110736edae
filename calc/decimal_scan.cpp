#include "calc/decimal_scan.h"

namespace calc {
namespace {

constexpr bool is_white_space(int c) { return c == 0x20 || (c >= 0x09 && c <= 0x0D); }
constexpr bool is_exponent_letter(int c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Feeds the digits of the mantissa one by one into a decimal_scan.
class digit_sink {
 public:
  explicit digit_sink(decimal_scan& scan) : scan_(scan) {}

  void add(int digit, bool in_fraction, const unsigned char* at) {
    if (!seen_nonzero_) {
      if (digit == 0) {
        fraction_zeros_ += in_fraction ? 1 : 0;
        return;
      }
      seen_nonzero_ = true;
      scan_.significant_begin = at;
      scan_.lead_exponent = in_fraction ? -(fraction_zeros_ + 1) : 0;
    } else if (!in_fraction) {
      ++scan_.lead_exponent;
    }
    if (scan_.leading_digit_count < max_leading_digits) {
      scan_.leading_digits = scan_.leading_digits * 10 + static_cast<unsigned>(digit);
      ++scan_.leading_digit_count;
    } else if (digit != 0) {
      scan_.digits_dropped = true;
    }
  }
  bool seen_nonzero() const { return seen_nonzero_; }

 private:
  decimal_scan& scan_;
  bool seen_nonzero_ = false;
  std::int64_t fraction_zeros_ = 0;
};

// Reads a run of digits (plain or folded); returns how many there were.
std::int64_t read_digits(folded_cursor& cursor, digit_sink& sink, bool in_fraction) {
  std::int64_t count = 0;
  for (;;) {
    const unsigned char* p = cursor.position();
    const unsigned char* const end = cursor.end();
    const unsigned char* const start = p;
    for (; p != end && static_cast<unsigned>(*p - '0') < 10; ++p) sink.add(*p - '0', in_fraction, p);
    count += p - start;
    cursor.move_to(p);
    const int c = cursor.peek();
    if (!is_digit(c)) return count;
    sink.add(c - '0', in_fraction, cursor.position());
    cursor.advance();
    ++count;
  }
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
  digit_sink sink(scan);
  std::int64_t digit_count = read_digits(cursor, sink, false);
  if (cursor.peek() == '.') {
    folded_cursor after_point = cursor;
    after_point.advance();
    if (digit_count > 0 || is_digit(after_point.peek())) {
      cursor = after_point;
      digit_count += read_digits(cursor, sink, true);
    }
  }
  if (digit_count == 0) {
    cursor = start;
    return decimal_scan{};  // no digit at all: +0, whatever sign was written
  }
  scan.digits_end = cursor.position();
  const std::int64_t written_exponent = read_exponent(cursor);
  if (!sink.seen_nonzero()) {
    scan.kind = decimal_scan::outcome::zero;
    return scan;
  }
  scan.kind = decimal_scan::outcome::nonzero;
  scan.lead_exponent += written_exponent;
  return scan;
}

}  // namespace calc
