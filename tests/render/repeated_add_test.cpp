#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "game/render/render_math.h"

namespace {

double walk(double a, double c, uint64_t n) {
  for (uint64_t i = 0; i < n; ++i) a += c;
  return a;
}

uint64_t bits(double d) {
  uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  return b;
}

void expectSameAsWalking(double a, double c, uint64_t n) {
  double walked = walk(a, c, n), jumped = addRepeatedly(a, c, n);
  if (std::isnan(walked)) {
    EXPECT_TRUE(std::isnan(jumped)) << a << " + " << c << " x " << n;
  } else {
    EXPECT_EQ(bits(walked), bits(jumped))
        << std::hexfloat << a << " + " << c << " x " << n << ": " << walked << " vs " << jumped;
  }
}

TEST(RepeatedAddition, MatchesWalkingForRandomValuesAcrossBinades) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-30, 30);
  std::uniform_int_distribution<uint64_t> count(0, 300000);
  for (int i = 0; i < 200; ++i) {
    double a = std::ldexp(mantissa(rng), exponent(rng));
    double c = std::ldexp(mantissa(rng), exponent(rng) - 20);
    expectSameAsWalking(a, c, count(rng));
  }
}

TEST(RepeatedAddition, MatchesWalkingForTiesZeroCrossingsAndTinyValues) {
  // Steps that are exactly half a spacing round to even on every addition.
  expectSameAsWalking(1.0, 0x1p-53, 100000);
  expectSameAsWalking(1.0 + 0x1p-52, 0x1p-53, 100000);
  expectSameAsWalking(1.0, 3 * 0x1p-53, 100000);
  expectSameAsWalking(-1.0, -3 * 0x1p-53, 100000);
  expectSameAsWalking(4096.0, 1.5 * 0x1p-40, 200000);
  // Crossing zero in both directions, integer steps, the texture steps.
  expectSameAsWalking(-1000.5, 0.01, 300000);
  expectSameAsWalking(1000.0, -0.3, 300000);
  expectSameAsWalking(123456789.0, -1.0, 25000000);
  expectSameAsWalking(0.0, 253.0 / 777777.0, 777777);
  // Subnormals and the smallest normals.
  expectSameAsWalking(0.0, 0x1p-1070, 100000);
  expectSameAsWalking(0x1p-1022, -0x1p-1060, 100000);
  // Near the largest doubles and past them.
  expectSameAsWalking(0x1.fffffffffff00p1023, 0x1p971, 100000);
  expectSameAsWalking(-0x1.fffffffffff00p1023, -0x1p972, 100000);
}

// Whole numbers are summed at once while every partial sum stays below
// 2^53; at and past that bound the sums round and must be walked.
TEST(RepeatedAddition, WholeNumbersUpToAndPastTheExactLimit) {
  expectSameAsWalking(3000000.0, 1.0, 100000);
  expectSameAsWalking(-7.0, 1.0, 7);  // ends on +0
  expectSameAsWalking(-0.0, 0.0, 5);
  expectSameAsWalking(-0.0, -0.0, 5);
  expectSameAsWalking(0x1p53 - 10, 1.0, 9);
  expectSameAsWalking(0x1p53 - 10, 1.0, 10);
  expectSameAsWalking(0x1p53 - 10, 1.0, 20);
  expectSameAsWalking(-(0x1p53 - 10), -3.0, 5);
  expectSameAsWalking(0x1p53 - 10, 3.0, 5);  // the last sums pass 2^53 and round
  expectSameAsWalking(-(0x1p53 - 7), -3.0, 4);
  expectSameAsWalking(5.0, 0x1p52 - 1, 3);
  expectSameAsWalking(2.5, 1.0, 1000);  // not whole: walked as before
}

TEST(RepeatedAddition, NonFiniteAndNegligibleSteps) {
  expectSameAsWalking(1.0, INFINITY, 1000);
  expectSameAsWalking(-INFINITY, INFINITY, 1000);
  expectSameAsWalking(NAN, 1.0, 1000);
  expectSameAsWalking(1.0, NAN, 1000);
  expectSameAsWalking(-0.0, 0.0, 1000);
  expectSameAsWalking(1e20, 1.0, 1000);
  EXPECT_EQ(addRepeatedly(5.0, 2.0, 0), 5.0);
  // A count that could never be walked finishes at once.
  EXPECT_EQ(addRepeatedly(0.0, 1.0, uint64_t{1} << 40), 0x1p40);
  EXPECT_EQ(addRepeatedly(0.0, 1.0, ~uint64_t{0}), 0x1p53);
}

TEST(RepeatedAddition, TruncationSaturatesAndMapsNanToZero) {
  EXPECT_EQ(truncToInt32(-1.9), -1);
  EXPECT_EQ(truncToInt32(2147483647.9), INT32_MAX);
  EXPECT_EQ(truncToInt32(-2147483648.9), INT32_MIN);
  EXPECT_EQ(truncToInt32(1e300), INT32_MAX);
  EXPECT_EQ(truncToInt32(-INFINITY), INT32_MIN);
  EXPECT_EQ(truncToInt32(NAN), 0);
}

}  // namespace
