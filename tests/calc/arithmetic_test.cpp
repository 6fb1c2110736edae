#include "calc/arithmetic.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }
double from_bits(std::uint64_t b) { return std::bit_cast<double>(b); }

const double inf = from_bits(0x7FF0000000000000);
constexpr std::uint64_t default_nan = 0xFFF8000000000000;

struct step_case {
  char op;
  double a, b;
  std::uint64_t expected;
};

double step(char op, double a, double b) {
  switch (op) {
    case '-': return calc::subtract(a, b);
    case '/': return calc::divide(a, b);
    default: return calc::multiply(a, b);
  }
}

void expect_steps(const std::vector<step_case>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(bits(step(c.op, c.a, c.b)), c.expected) << std::hexfloat << c.a << ' ' << c.op << ' ' << c.b;
  }
}

TEST(DoubleRounding, TwoRoundingsCanDifferFromOne) {
  expect_steps({
      {'/', 554.57, 1.65, 0x407501A6031A6032},  // one rounding would give ...6033
      // 1 + 2^-53 + 2^-64 rounds to 64 bits as 1 + 2^-53, a tie, then to even: 1
      {'*', 0x1.0000000008p+0, 0x1.fffffff8p-1 + 0x1p-53 - 0x1p-53, bits(0x1.0000000008p+0 * 0x1.fffffff8p-1)},
      // exact results near a double midpoint
      {'-', 0x1p+0, 0x1p-54, 0x3FF0000000000000},
      {'-', 0x1p+0, 0x1.8p-54, 0x3FEFFFFFFFFFFFFF},
      {'-', 0x1p+53, 0x1p-12, 0x4340000000000000},
      {'*', 0x1.0000000000001p+0, 0x1.0000000000001p+0, 0x3FF0000000000002},
  });
}

TEST(SignedZeros, ZerosFollowTheSigns) {
  expect_steps({
      {'-', 5, 5, 0},
      {'-', -5, -5, 0},
      {'-', -0.0, 0.0, 0x8000000000000000},
      {'-', 0.0, -0.0, 0},
      {'-', -0.0, -0.0, 0},
      {'-', 0.0, 0.0, 0},
      {'/', 0.0, -3, 0x8000000000000000},
      {'*', -0.0, 3, 0x8000000000000000},
      {'*', 0x1p-1000, -0x1p-1000, 0x8000000000000000},  // underflow keeps the sign
  });
}

TEST(DivisionByZeroAndInvalid, InfinitiesAndTheDefaultNaN) {
  expect_steps({
      {'/', 5, 0.0, bits(inf)},
      {'/', 5, -0.0, bits(-inf)},
      {'/', -5, 0.0, bits(-inf)},
      {'/', 0.0, 0.0, default_nan},
      {'/', -0.0, 0.0, default_nan},
      {'-', inf, inf, default_nan},
      {'-', -inf, -inf, default_nan},
      {'-', inf, -inf, bits(inf)},
      {'/', inf, -inf, default_nan},
      {'*', 0.0, inf, default_nan},
      {'*', inf, -0.0, default_nan},
      {'*', inf, 100, bits(inf)},
      {'-', inf, 5, bits(inf)},
      {'-', 5, inf, bits(-inf)},
      {'/', 5, inf, 0},
      {'/', -5, inf, 0x8000000000000000},
      {'/', inf, -5, bits(-inf)},
  });
}

TEST(NaNOperands, ANaNOperandIsPassedOn) {
  const double nans[] = {from_bits(default_nan), from_bits(0x7FF8000000000000), from_bits(0xFFF8000000000001)};
  for (double nan : nans) {
    for (char op : {'-', '/', '*'}) {
      EXPECT_EQ(bits(step(op, nan, 3)), bits(nan));
      EXPECT_EQ(bits(step(op, 3, nan)), bits(nan));
      EXPECT_EQ(bits(step(op, inf, nan)), bits(nan));
    }
  }
  // two NaN operands: the first is passed on
  EXPECT_EQ(bits(calc::subtract(from_bits(0x7FF8000000000000), from_bits(0xFFF8000000000001))), 0x7FF8000000000000u);
}

TEST(OverflowUnderflow, RangeLimitsOfTheDouble) {
  expect_steps({
      {'*', 0x1p+1023, 2, bits(inf)},
      {'*', 0x1.fffffffffffffp+1023, -1.0000000000000002, bits(-inf)},
      {'/', 0x1p+1000, 0x1p-100, bits(inf)},
      {'-', 0x1.fffffffffffffp+1023, -0x1p+970, bits(inf)},                  // exactly halfway: even is 2^1024
      // below halfway, but the 64-bit rounding lands on the half and the second goes to even
      {'-', 0x1.fffffffffffffp+1023, -0x1.fffffffffffffp+969, bits(inf)},
      {'-', 0x1.fffffffffffffp+1023, -0x1.fp+969, 0x7FEFFFFFFFFFFFFF},
      {'*', 0x1p-1022, 0x1p-1, 0x0008000000000000},                          // subnormal
      {'/', 0x1p-1074, 2, 0},                                                 // half the least: to even, 0
      {'/', 0x1p-1074, -2, 0x8000000000000000},
      {'/', 0x1.8p-1074, 2, 1},                                               // 0.75 of the least
      {'*', 0x1.8p-1074, 0x1p-1, 1},                                          // 0.75 of the least: up
      {'*', 0x1.8p-1073, 0x1p-1, 2},                                          // 1.5 of the least: to even
      {'-', 0x1p-1022, 0x0.0000000000001p-1022, 0x000FFFFFFFFFFFFF},
      {'*', 0x1.fffffffffffffp-1, 0x1p-1022, 0x0010000000000000},            // rounds up to the least normal
  });
}

// The x87 unit rounds each operation to a 64-bit significand with a wide exponent; storing to
// a double rounds again. On x86-64 this is long double arithmetic under the default control word.
double x87_step(char op, double a, double b) {
  const long double x = a, y = b;
  volatile double stored = static_cast<double>(op == '-' ? x - y : op == '/' ? x / y : x * y);
  return stored;
}

double random_operand(std::mt19937_64& random) {
  switch (random() % 4) {
    case 0: return from_bits(random());  // any bit pattern: NaNs, infinities, subnormals included
    case 1: return from_bits((random() & 0x800FFFFFFFFFFFFF) | (1013 + random() % 20) << 52);  // similar magnitudes
    case 2: return static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 100;
    default: return from_bits((random() & 0x800FFFFFFFFFFFFF) | (random() % 3) << 52);  // near the subnormals
  }
}

#if defined(__x86_64__) || defined(__i386__)
TEST(X87Comparison, SameBitsAsTheX87OverARandomSample) {
  std::mt19937_64 random(554571);
  constexpr int samples_per_operation = 1000000;
  for (char op : {'-', '/', '*'}) {
    int mismatches = 0;
    for (int i = 0; i < samples_per_operation; ++i) {
      double a = random_operand(random), b = random_operand(random);
      if (i % 8 == 0) b = from_bits(bits(a) ^ (random() & 0xFFF));  // near-equal operands: cancellation
      if (i % 8 == 1 && op == '*') b = from_bits(0x3FF0000000000000 | (random() & 0xFFF));  // near 1
      if (a != a && b != b) continue;  // two NaNs: the x87 passes on the larger payload, we the first
      const double ours = step(op, a, b), expected = x87_step(op, a, b);
      if (bits(ours) != bits(expected) && ++mismatches <= 5) {
        ADD_FAILURE() << std::hexfloat << a << ' ' << op << ' ' << b << ": " << ours << " vs x87 " << expected;
      }
    }
    EXPECT_EQ(mismatches, 0) << op;
  }
}

TEST(X87Comparison, InvalidOperationsGiveTheSameDefaultNaN) {
  EXPECT_EQ(bits(x87_step('/', 0.0, 0.0)), default_nan);
  EXPECT_EQ(bits(x87_step('-', inf, inf)), default_nan);
  EXPECT_EQ(bits(x87_step('*', 0.0, inf)), default_nan);
}
#endif

}  // namespace
