#include "calc/numeric_text.h"

#include <bit>
#include <cstdint>
#include <optional>

#include "calc/decimal_scan.h"
#include "calc/decimal_to_binary.h"
#include "calc/non_finite_texts.h"
#include "calc/text_format.h"

namespace calc {
namespace {

constexpr std::uint64_t sign_bit = 0x8000000000000000;

double with_sign(std::uint64_t magnitude_bits, bool negative) {
  return std::bit_cast<double>(magnitude_bits | (negative ? sign_bit : 0));
}

// The value of a scanned number: +0 without digits, a signed zero for zero
// digits, otherwise the significand's bits from `to_binary`, with the sign.
template <class ToBinary>
double value_of(const decimal_scan& scan, ToBinary to_binary) {
  switch (scan.kind) {
    case decimal_scan::outcome::no_digits:
      return 0.0;
    case decimal_scan::outcome::zero:
      return with_sign(0, scan.negative);
    case decimal_scan::outcome::nonzero:
      break;
  }
  return with_sign(to_binary(scan), scan.negative);
}

// Any text, folded as it is read.
double read_folded_text(std::string_view gbk_text) {
  folded_cursor cursor(until_nul(gbk_text));
  skip_white_space(cursor);
  // The texts written for infinities and NaN values read back as those values.
  if (const int first = cursor.peek(); first == '1' || first == '-') {
    for (const non_finite_text& word : non_finite_texts) {
      if (folded_cursor probe = cursor; probe.consume(word.text)) return std::bit_cast<double>(word.bits);
    }
  }
  return value_of(scan_decimal(cursor), [](const decimal_scan& scan) { return decimal_to_binary(scan); });
}

}  // namespace

std::string fold_full_width(std::string_view gbk_text) {
  const std::string_view text = until_nul(gbk_text);
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!is_lead_byte(byte)) {
      folded.push_back(text[i]);
      continue;
    }
    if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
    const int single = fold_pair(byte, static_cast<unsigned char>(text[i + 1]));
    if (single >= 0) {
      folded.push_back(static_cast<char>(single));
    } else {
      folded.append(text, i, 2);
    }
    ++i;
  }
  return folded;
}

// Most box texts are short ASCII numbers: scanned on the bytes and, for a few
// digits and a small power of ten, converted in a few operations.
double text_to_number(std::string_view gbk_text) {
  decimal_scan scan;
  if (!scan_plain_decimal(gbk_text, scan)) return read_folded_text(gbk_text);
  return value_of(scan, [](const decimal_scan& plain) {
    const std::optional<std::uint64_t> small = small_decimal_to_binary(plain);
    return small ? *small : decimal_to_binary(plain);
  });
}

std::string number_to_text(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits & sign_bit) != 0;
  if (value != value) {
    if (bits == default_nan_bits) return std::string(default_nan_text.text);
    return std::string(negative ? negative_nan_text.text : positive_nan_text.text);
  }
  if ((bits & ~sign_bit) == positive_infinity_text.bits) {
    return std::string(negative ? negative_infinity_text.text : positive_infinity_text.text);
  }
  if ((bits & ~sign_bit) == 0) return "0";
  char text[max_number_text_length];
  const std::size_t length = format_13_digits(to_17_digits(value), negative, text);
  return {text, length};
}

}  // namespace calc
