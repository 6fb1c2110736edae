// Fuzz target: text_to_number and fold_full_width on any bytes, then the
// writing checks on the number read.
#include <bit>
#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "calc/numeric_text.h"
#include "check.h"
#include "reference_reading.h"
#include "writing_checks.h"

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// The text with bytes outside printable ASCII as \xHH, cut after 200 bytes, for messages.
std::string escaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    out += byte >= 0x20 && byte < 0x7F && byte != '\\' ? std::string(1, text[i]) : hex;
  }
  return text.size() > 200 ? out + "..." : out;
}

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
bool is_white_space(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool is_exponent_letter(unsigned char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// The written texts of infinities and NaN values read back as these values.
struct non_finite_read {
  std::string_view text;
  std::uint64_t bits;
};
constexpr non_finite_read non_finite_reads[] = {
    {"1.#INF", 0x7FF0000000000000},  {"-1.#INF", 0xFFF0000000000000}, {"-1.#IND", 0xFFF8000000000000},
    {"1.#QNAN", 0x7FF8000000000000}, {"-1.#QNAN", 0xFFF8000000000001},
};

// The bits the reading rules give for a folded text (no NUL in it), worked out on
// its bytes apart from the program's reader: white space, then a written infinity
// or NaN text, or the longest prefix [sign] digits [. digits] [letter [sign] digits]
// with at least one digit in the mantissa, made a double by the reference reader.
// A byte of 80 hex or above (a double-byte character left after folding) fits no
// part of the syntax, so the bytes are looked at one by one.
std::uint64_t reference_bits(std::string_view folded) {
  const auto at = [folded](std::size_t k) -> unsigned char { return k < folded.size() ? folded[k] : 0; };
  std::size_t i = 0;
  while (is_white_space(at(i))) ++i;
  for (const non_finite_read& word : non_finite_reads) {
    if (folded.substr(i).starts_with(word.text)) return word.bits;
  }
  std::string decimal;
  if (at(i) == '+' || at(i) == '-') decimal = at(i++) == '-' ? "-" : "";
  const std::size_t integer_begin = i;
  while (is_digit(at(i))) ++i;
  const std::string_view integer = folded.substr(integer_begin, i - integer_begin);
  std::string_view fraction;
  if (at(i) == '.' && (!integer.empty() || is_digit(at(i + 1)))) {
    const std::size_t fraction_begin = ++i;
    while (is_digit(at(i))) ++i;
    fraction = folded.substr(fraction_begin, i - fraction_begin);
  }
  if (integer.empty() && fraction.empty()) return bits(0.0);
  // The first significant digit's power of ten lies within the text's length of the
  // written exponent, so capping that at length + 400 still gives infinity or zero.
  const auto cap = static_cast<std::int64_t>(folded.size()) + 400;
  std::int64_t exponent = 0;
  if (is_exponent_letter(at(i))) {
    std::size_t j = i + 1;
    const bool negative = at(j) == '-';
    if (at(j) == '+' || at(j) == '-') ++j;
    for (; is_digit(at(j)); ++j) exponent = std::min(exponent * 10 + (at(j) - '0'), cap);
    if (negative) exponent = -exponent;
  }
  decimal += std::string(integer.empty() ? "0" : integer) + "." + std::string(fraction) + "e" +
             std::to_string(exponent);
  return bits(fuzz::nearest_double_ties_toward_zero(decimal));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string folded = calc::fold_full_width(text);
  FUZZ_CHECK(folded.size() <= text.size(), "\"%s\" folded to %zu bytes", escaped(text).c_str(), folded.size());
  FUZZ_CHECK(calc::fold_full_width(folded) == folded, "\"%s\": folding its fold \"%s\" changes it",
             escaped(text).c_str(), escaped(folded).c_str());

  const double value = calc::text_to_number(text);
  // The reader works on the folded characters: the folded copy reads the same.
  const double from_folded = calc::text_to_number(folded);
  FUZZ_CHECK(bits(from_folded) == bits(value), "\"%s\" reads %a, its fold \"%s\" %a", escaped(text).c_str(), value,
             escaped(folded).c_str(), from_folded);
  // A leading ideographic space is white space, and it sends the text past the
  // shortcut for plain ASCII texts to the general reader.
  const double general = calc::text_to_number("\xA1\xA1" + std::string(text));
  FUZZ_CHECK(bits(general) == bits(value), "\"%s\" reads %a, after an ideographic space %a", escaped(text).c_str(),
             value, general);
  const std::uint64_t expected = reference_bits(folded);
  FUZZ_CHECK(bits(value) == expected, "\"%s\" reads %a (%016" PRIX64 "), expected %a (%016" PRIX64 ")",
             escaped(text).c_str(), value, bits(value), std::bit_cast<double>(expected), expected);

  fuzz::check_written_text(value);
  return 0;
}
