#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "calc/big_integer.h"
#include "calc/decimal_scan.h"
#include "calc/decimal_to_binary.h"
#include "calc/numeric_text.h"

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

struct read_case {
  std::string text;
  double expected;
};

void expect_reads(const std::vector<read_case>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(bits(calc::text_to_number(c.text)), bits(c.expected)) << '"' << c.text << '"';
  }
}

// GBK full-width forms
const std::string fw_1 = "\xA3\xB1", fw_2 = "\xA3\xB2", fw_3 = "\xA3\xB3", fw_5 = "\xA3\xB5", fw_0 = "\xA3\xB0";
const std::string fw_point = "\xA3\xAE", fw_minus = "\xA3\xAD", fw_e = "\xA3\xE5", fw_D = "\xA3\xC4";
const std::string fw_percent = "\xA3\xA5", fw_comma = "\xA3\xAC", ideographic_space = "\xA1\xA1";
const std::string yuan = "\xD4\xAA";  // a Chinese character

TEST(Folding, FoldTable) {
  EXPECT_EQ(calc::fold_full_width(fw_1 + fw_2 + fw_point + fw_5), "12.5");
  EXPECT_EQ(calc::fold_full_width("\xA3\xA1\xA3\xA4\xA3\xFE"), "!$~");
  EXPECT_EQ(calc::fold_full_width(ideographic_space + "\xA1\xAB\xA1\xEE\xA1\xEF"), " ~**");
  EXPECT_EQ(calc::fold_full_width("a" + yuan + "b"), "a" + yuan + "b");
  EXPECT_EQ(calc::fold_full_width("\xA3\xA0\xA3"), "\xA3\xA0");  // A3 A0 is outside the row; lone lead dropped
  EXPECT_EQ(calc::fold_full_width("\xA1\xA2 x"), "\xA1\xA2 x");
  EXPECT_EQ(calc::fold_full_width(""), "");
}

TEST(Folding, FullWidthTextsReadLikeTheirAsciiForms) {
  expect_reads({
      {fw_1 + fw_2 + fw_3 + fw_point + fw_5, 123.5},
      {fw_minus + fw_3 + fw_point + fw_5, -3.5},
      {ideographic_space + "7", 7},
      {fw_1 + fw_e + fw_3, 1000},
      {fw_1 + fw_D + fw_3, 1000},
      {"50" + fw_percent, 50},
      {"100" + yuan, 100},
      {fw_3 + fw_comma + fw_0 + fw_0 + fw_0, 3},
      {"1" + yuan + "2", 1},
      {"\xA3\xB1\xA3", 1},  // a lone lead byte at the end is dropped
      {"\xB1\xA3\xB1", 0},  // B1 A3 is one character: the pairing runs from the start
  });
}

TEST(Syntax, LongestPrefix) {
  expect_reads({
      {"", 0},          {"   42  ", 42},   {"\t\n\v\f\r 8", 8}, {"007", 7},        {"+5", 5},
      {".5", 0.5},      {"-.5", -0.5},     {"5.", 5},           {"1,234", 1},      {"1 234", 1},
      {"12.5%", 12.5},  {"5-3", 5},        {"1.2.3", 1.2},      {"12abc", 12},     {"abc", 0},
      {"0x1A", 0},      {"inf", 0},        {"nan", 0},          {"-", 0},          {"-.", 0},
      {"++5", 0},       {"+-5", 0},        {"- 5", 0},          {".", 0},          {"   ", 0},
      {"+.e5", 0},      {std::string("4\0" "5", 3), 4},
  });
}

TEST(ExponentLetters, EeDdWithOptionalSignAndAtLeastOneDigit) {
  expect_reads({
      {"1e3", 1000},  {"1E3", 1000},   {"1d3", 1000},    {"1D3", 1000},     {"1D-2", 0.01},
      {"1.5E+2", 150}, {"1e5e3", 100000}, {"5e", 5},     {"5e+", 5},        {"5ex", 5},
      {"1.5e+ 2", 1.5}, {".5e1", 5},    {"5.e-1", 0.5},  {"1e0003", 1000},  {"2e-0", 2},
  });
}

TEST(SignedZeros, SignStaysOnZeroResultsOnly) {
  expect_reads({
      {"-0", -0.0}, {"-0.0", -0.0}, {"-1e-400", -0.0}, {"0e99999", 0.0}, {"-0e99999", -0.0},
      {"-", 0.0},   {"-abc", 0.0},  {"-000.000", -0.0}, {"+0", 0.0},
  });
}

TEST(TiesTowardZero, ExactHalvesGoToTheNeighbourNearerZero) {
  expect_reads({
      {"9007199254740995", 0x1.0000000000001p+53},   // not the even 9007199254740996
      {"9007199254740993", 0x1p+53},
      {"-9007199254740995", -0x1.0000000000001p+53},
      {"9007199254740995.000000000000000000000000001", 0x1.0000000000002p+53},
      {"9007199254740994.999999999999999999999999999", 0x1.0000000000001p+53},
      {"90071992547409950e-1", 0x1.0000000000001p+53},
      {"18014398509481990", 0x1.0000000000001p+54},  // 2^54 + 6, halfway between +4 and +8
      {"2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991818e-324", 0},
      {"2.4703282292062327208828439643411068618252990130716238221279284125033775363510437593264991819e-324",
       0x1p-1074},
  });
}

// The exact decimal text of the midpoint between x and the next double up.
std::string midpoint_text(double x) {
  const auto b = bits(x);
  const std::uint64_t field = b >> 52, fraction = b & ((std::uint64_t{1} << 52) - 1);
  std::uint64_t mantissa = field ? fraction | std::uint64_t{1} << 52 : fraction;
  int exponent = field ? static_cast<int>(field) - 1075 : -1074;
  calc::big_integer n(2 * mantissa + 1);  // midpoint = (2m + 1) * 2^(e - 1)
  --exponent;
  if (exponent >= 0) {
    n.shift_left(exponent);
    return n.to_decimal();
  }
  n.multiply_by_power_of_five(-exponent);
  return n.to_decimal() + "e" + std::to_string(exponent);
}

// A text 10^-31 of its last digit's unit above or below a midpoint text.
std::string near_midpoint(const std::string& mid, bool above) {
  const std::size_t e = mid.find('e');
  std::string digits = mid.substr(0, e);
  const long exponent = e == std::string::npos ? 0 : std::stol(mid.substr(e + 1));
  if (above) return digits + std::string(30, '0') + "1e" + std::to_string(exponent - 31);
  std::size_t i = digits.size();
  while (digits[--i] == '0') digits[i] = '9';  // digits - 1 (the midpoint is not zero)
  --digits[i];
  return digits + std::string(31, '9') + "e" + std::to_string(exponent - 31);
}

TEST(TiesTowardZero, MidpointsOfRandomDoublesAndTheirNearNeighbours) {
  std::mt19937_64 random(20241211);
  for (int i = 0; i < 3000; ++i) {
    double x = std::bit_cast<double>(random() & 0x7FEFFFFFFFFFFFFF);
    if (i % 3 == 0) x = std::bit_cast<double>(random() % 0x0020000000000000);  // subnormal and low normal
    const double next = std::nextafter(x, std::numeric_limits<double>::infinity());
    const std::string mid = midpoint_text(x);
    EXPECT_EQ(bits(calc::text_to_number(mid)), bits(x)) << mid;
    const std::string above = near_midpoint(mid, true), below = near_midpoint(mid, false);
    EXPECT_EQ(bits(calc::text_to_number(above)), bits(next)) << above;
    EXPECT_EQ(bits(calc::text_to_number(below)), bits(x)) << below;
  }
}

TEST(TiesTowardZero, HalfwayToTwoToThe1024GivesTheLargestDouble) {
  const std::string mid = midpoint_text(0x1.fffffffffffffp+1023);  // 2^1024 - 2^970, an integer
  EXPECT_EQ(bits(calc::text_to_number(mid)), bits(0x1.fffffffffffffp+1023));
  EXPECT_EQ(bits(calc::text_to_number(mid + ".000001")), 0x7FF0000000000000u);
  EXPECT_EQ(bits(calc::text_to_number("-" + mid)), bits(-0x1.fffffffffffffp+1023));
}

TEST(CorrectRounding, AgreesWithFromCharsAwayFromTies) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(random() % 25);
    std::string text;
    for (int d = 0; d < digits; ++d) text.push_back(static_cast<char>('0' + random() % 10));
    const int exponent = static_cast<int>(random() % 700) - 350;
    if (exponent >= -2 && exponent <= 30) continue;  // exact halves can occur there
    text += "e" + std::to_string(exponent);
    double expected = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), expected);
    if (parsed.ec != std::errc{}) continue;  // out of the normal range: no value given
    EXPECT_EQ(bits(calc::text_to_number(text)), bits(expected)) << text;
  }
}

TEST(ExponentMagnitude, InfinityAndZeroDecidedOnTheTrueMagnitude) {
  const std::string zeros_6000(6000, '0');
  expect_reads({
      {"1" + zeros_6000 + "e-6000", 1},
      {"0." + zeros_6000 + "1e6001", 1},
      {"0." + zeros_6000 + "15e6001", 1.5},
      {"1" + zeros_6000 + "e-5700", 1e300},
      {"1e5200", std::bit_cast<double>(0x7FF0000000000000)},
      {"1e5201", std::bit_cast<double>(0x7FF0000000000000)},
      {"1e-5200", 0},
      {"-1e99999999999999999999", -std::bit_cast<double>(0x7FF0000000000000)},
      {"1e-99999999999999999999", 0},
      {"123456789012345678901234e-5200", 0},
      {"1.23456789012345678901234e5200", std::bit_cast<double>(0x7FF0000000000000)},
  });
}

TEST(OverflowUnderflowSubnormals, Boundaries) {
  const double inf = std::bit_cast<double>(0x7FF0000000000000);
  expect_reads({
      {"1e400", inf},
      {"-1e400", -inf},
      {"1e-400", 0},
      {"1.7976931348623158e308", 0x1.fffffffffffffp+1023},
      {"1.7976931348623159e308", inf},
      {"1e-320", std::bit_cast<double>(std::uint64_t{0x7E8})},
      {"4.9406564584124654e-324", 0x1p-1074},
      {"2.4703282292062328e-324", 0x1p-1074},
      {"2.4703282292062327e-324", 0},
      {"2.2250738585072014e-308", 0x1p-1022},
      {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
      {"2.225073858507201136057409796709131975934819546351645648e-308", 0x0.fffffffffffffp-1022},
  });
}

TEST(NonFiniteTexts, WrittenTextsReadBackAsTheirValues) {
  const std::vector<std::pair<std::string, std::uint64_t>> cases{
      {"1.#INF", 0x7FF0000000000000},   {"-1.#INF", 0xFFF0000000000000},
      {"-1.#IND", 0xFFF8000000000000},  {"1.#QNAN", 0x7FF8000000000000},
      {"-1.#QNAN", 0xFFF8000000000001}, {"  1.#INF trailing", 0x7FF0000000000000},
      {"1.#INFINITY", 0x7FF0000000000000}, {ideographic_space + "-1.#IND", 0xFFF8000000000000},
      {fw_1 + fw_point + "\xA3\xA3\xA3\xC9\xA3\xCE\xA3\xC6", 0x7FF0000000000000},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(bits(calc::text_to_number(text)), expected) << text;
  // nothing else changes
  expect_reads({{"inf", 0}, {"nan", 0}, {"+1.#INF", 1}, {"1.#IN", 1}, {"-1.#QNA", -1}, {"1.#IND", 1},
                {"11.#INF", 11}, {"-1.#inf", -1}});
}

TEST(LongTexts, SixteenMebibytesOfDigitsRead) {
  std::string text(16u << 20, '0');
  text[0] = '1';
  text[1] = '.';
  EXPECT_EQ(bits(calc::text_to_number(text)), bits(1.0));
  text.back() = '1';  // 1.000...01: still 1, with all digits taken into account
  EXPECT_EQ(bits(calc::text_to_number(text)), bits(1.0));
  std::string integer(16u << 20, '9');
  EXPECT_EQ(bits(calc::text_to_number(integer)), 0x7FF0000000000000u);
  integer = "0." + std::string(16u << 20, '0') + "3e16777216";
  EXPECT_EQ(bits(calc::text_to_number(integer)), bits(0.3));
  std::string full_width;
  for (int i = 0; i < (1 << 20); ++i) full_width += fw_1;
  EXPECT_EQ(bits(calc::text_to_number(full_width + "e-1048575")), bits(1.1111111111111112));
}

// The general reader alone: folding cursor, full scan and the exact conversion.
double read_generally(std::string_view text) {
  calc::folded_cursor cursor(calc::until_nul(text));
  calc::skip_white_space(cursor);
  const calc::decimal_scan scan = calc::scan_decimal(cursor);
  if (scan.kind == calc::decimal_scan::outcome::no_digits) return 0.0;
  const std::uint64_t magnitude = scan.kind == calc::decimal_scan::outcome::zero ? 0 : calc::decimal_to_binary(scan);
  return std::bit_cast<double>(magnitude | (scan.negative ? 0x8000000000000000 : 0));
}

TEST(ShortTextShortcut, BoundariesAgreeWithTheGeneralReader) {
  const std::string texts[] = {
      // significands around 2^53, divided and multiplied
      "9007199254740991", "9007199254740992", "9007199254740993", "900719925474099.1", "900719925474099.2",
      "900719925474099.3", "9007199254740991e-22", "9007199254740992e-22", "9007199254740993e-22",
      // 19 and 20 significant digits; leading and fraction zeros do not count
      "1234567890123456789", "12345678901234567891", "9999999999999999999e27", "9999999999999999999e-22",
      "1000000000000000000", "10000000000000000000", "0000000000000000000000001.5", "0.000000000000000000000001",
      ".1234567890123456789", ".12345678901234567891", "-0.00000000000000000000000000000000000001",
      // powers of ten at the edges of the two shortcuts
      "1e22", "1e23", "1e-22", "1e-23", "1e27", "1e28", "4503599627370497e-22", "123e-23", "-7e27",
      // multiplied values exactly halfway between two doubles (odd and even lower neighbours)
      "1801439850948199e1", "1801439850948201e1", "2882303761519e5", "2882303761521e5",
      "36893489e12", "36893491e12", "5e22", "7e22", "-7e22", "9007199254740993", "9007199254740995",
      // bytes the shortcut must leave to the general reader
      "1\xA3\xB2", "1\xA3\xAE" "5", "1e\xA3\xB5", "\xA3\xAE" "5", "-\xA3\xB5", "\xA1\xA1" "7", "5\xA3",
      std::string("1\0" "2", 3), std::string("1e\0" "5", 4), std::string("-\0" "5", 3), "1e0000000000000000000000003",
      "1e-99999999999999999999", "  -0.000e5", "5e+", "1.5e+ 2", "+.5", "-.", "12.5%",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(bits(calc::text_to_number(text)), bits(read_generally(text))) << '"' << text << '"';
  }
}

TEST(ShortTextShortcut, RandomShortTextsAgreeWithTheGeneralReader) {
  std::mt19937_64 random(53);
  for (int i = 0; i < 100000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % (digits + 2));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text.push_back('.');
      text.push_back(static_cast<char>('0' + random() % 10));
    }
    if (random() % 2) text += "e" + std::to_string(static_cast<int>(random() % 61) - 30);
    EXPECT_EQ(bits(calc::text_to_number(text)), bits(read_generally(text))) << text;
  }
}

}  // namespace
