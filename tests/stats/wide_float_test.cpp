#include "stats/wide_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quillet {
namespace {

// Within the double range the wide arithmetic must round exactly as double arithmetic does.
TEST(WideFloat, MatchesDoubleArithmeticInsideTheDoubleRange) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 20000; ++i) {
    const double a = std::ldexp(mantissa(random), exponent(random));
    const double b = std::ldexp(mantissa(random), exponent(random) / 8);
    const WideFloat wa(a), wb(b);
    ASSERT_EQ((wa * wb).ToDouble(), a * b) << a << " * " << b;
    ASSERT_EQ((wa / wb).ToDouble(), a / b) << a << " / " << b;
    ASSERT_EQ((wa + wb).ToDouble(), a + b) << a << " + " << b;
    ASSERT_EQ((wa - wb).ToDouble(), a - b) << a << " - " << b;
    ASSERT_EQ(wa <= wb, a <= b) << a << " <= " << b;
    ASSERT_EQ(Sqrt(WideFloat(std::fabs(a))).ToDouble(), std::sqrt(std::fabs(a)));
  }
}

TEST(WideFloat, KeepsTheExtendedExponentRange) {
  const WideFloat tiny = WideFloat::Scaled(1.0, -16000);
  const WideFloat huge = WideFloat::Scaled(1.0, 16000);
  // Values far outside the double range survive and come back.
  EXPECT_EQ((tiny * huge).ToDouble(), 1.0);
  EXPECT_EQ((tiny / WideFloat::Scaled(1.0, -15999)).ToDouble(), 0.5);
  EXPECT_EQ((Sqrt(tiny) * WideFloat::Scaled(1.0, 8000)).ToDouble(), 1.0);
  EXPECT_TRUE(tiny <= huge);
  EXPECT_FALSE(huge <= tiny);
  EXPECT_TRUE(WideFloat::Scaled(-1.0, 16000) <= WideFloat::Scaled(-1.0, -16000));
  // Adding something 2^-61 smaller leaves the larger value; 2^-50 does not.
  EXPECT_EQ(((huge + WideFloat::Scaled(1.0, 15939)) / huge).ToDouble(), 1.0);
  EXPECT_EQ(((huge + WideFloat::Scaled(1.0, 15950)) / huge).ToDouble(), 1.0 + std::ldexp(1, -50));
  // The normal range of the 80-bit format ends at 2^-16382 and 2^16384.
  EXPECT_FALSE(WideFloat::Scaled(1.0, -16382).IsZero());
  EXPECT_TRUE(WideFloat::Scaled(1.0, -16383).IsZero());
  EXPECT_TRUE((tiny * tiny).IsZero());
  EXPECT_FALSE(WideFloat::Scaled(1.0, 16383).IsInf());
  EXPECT_TRUE(WideFloat::Scaled(1.0, 16384).IsInf());
  EXPECT_TRUE((huge * huge).IsInf());
}

}  // namespace
}  // namespace quillet
