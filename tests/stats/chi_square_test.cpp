#include "stats/chi_square.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "support/plain_chi_square.h"

namespace quillet {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kSmallestCritical = 1.90735227e-6f;  // 2^19/524287 - 1
constexpr float kLargestCritical = 524287.0f;        // 2^19/1 - 1

TEST(ChiSquarePValue, KnownValues) {
  struct Row {
    const char* name;
    float x;
    int df;
    double expected;
    double relativeTolerance;
  };
  const Row rows[] = {
      {"5% point of one df", 3.841459f, 1, 0.0500000618, 1e-8},
      {"x 4, one df", 4.0f, 1, 0.0455003618, 1e-8},
      {"x 1, one df", 1.0f, 1, 0.317310536, 1e-8},
      {"even df", 0.5f, 2, 0.778800783, 1e-8},
      {"odd df above one", 10.0f, 5, 0.0752354331, 1e-8},
      // The series stops at a relative 1e-6, so far tails keep a floor of about 1e-6.
      {"truncation floor at 100", 100.0f, 1, 1.03e-6, 1e-2},
      // Needs the extended exponent range: with plain doubles e^-1000 is 0 and the result 1.
      {"truncation floor at 2000", 2000.0f, 1, 6.38e-6, 1e-3},
      {"zero df", 1.0f, 0, 6.21969e-8, 1e-5},
      // Negative x with even df: alternating terms, results outside 0..1.
      {"negative x, df 2", -5.0f, 2, 31.46, 1e-3},
      {"negative x, df 4", -5.0f, 4, -5.345, 1e-3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(ChiSquarePValue(row.x, row.df), row.expected,
                std::fabs(row.expected) * row.relativeTolerance);
  }
}

TEST(ChiSquarePValue, ZeroStatistic) {
  for (int df : {1, 2, 3, 10, 101}) {
    SCOPED_TRACE(df);
    EXPECT_EQ(ChiSquarePValue(0.0f, df), 1.0);
  }
  EXPECT_EQ(ChiSquarePValue(0.0f, 0), 0.0);
}

// Inputs the series cannot finish on its own, and the other edges of the domain: every one
// returns promptly with the documented value.
TEST(ChiSquarePValue, EdgesOfTheDomainEndWithDocumentedValues) {
  struct Row {
    const char* name;
    float x;
    int df;
    double expected;  // NaN means "not a number expected"
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Row rows[] = {
      {"not a number", kNaN, 3, nan},
      {"plus infinity", kInf, 3, 1.0},
      {"plus infinity, df 0", kInf, 0, 1.0},
      {"beyond the extended range the term is 0", 30000.0f, 1, 1.0},
      {"largest float", std::numeric_limits<float>::max(), 7, 1.0},
      {"negative x, odd df: square root of a negative number", -3.0f, 3, nan},
      {"0/0 in the first series step", 0.0f, -2, nan},
      {"division by zero in a series step", 1.0f, -2, nan},
      {"minus infinity, odd df", -kInf, 1, nan},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double got = ChiSquarePValue(row.x, row.df);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(got)) << got;
    } else {
      EXPECT_EQ(got, row.expected);
    }
  }
}

TEST(ChiSquarePValue, ExtremeDegreesOfFreedomEndQuickly) {
  const float xs[] = {0.0f, 1e-30f, 1.0f, 100.0f, 22000.0f, 1e30f, -1.0f, -22000.0f, -1e30f};
  const int dfs[] = {INT_MAX, INT_MAX - 1, -INT_MAX, INT_MIN, INT_MIN + 1, 100000, -100000};
  for (float x : xs) {
    for (int df : dfs) {
      SCOPED_TRACE(::testing::Message() << "x " << x << " df " << df);
      const double p = ChiSquarePValue(x, df);
      // With df far beyond x nearly all the mass lies above x.
      if (df == INT_MAX && x >= 0.0f) {
        EXPECT_NEAR(p, 1.0, 1e-5);
      }
    }
  }
}

TEST(ChiSquarePValue, AgreesToTheLastBitWithThePlainSteps) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<float> logX(-20.0f, 10.1f);
  std::uniform_int_distribution<int> dfs(-40, 3000);
  for (int i = 0; i < 3000; ++i) {
    float x = std::exp(logX(random));  // 2e-9 .. 24,000
    if (i % 5 == 0) x = -x / 100.0f;
    const int df = i % 3 == 0 ? dfs(random) % 40 : dfs(random);
    SCOPED_TRACE(::testing::Message() << "x " << x << " df " << df);
    const double expected = testing::PlainPValue(x, df);
    const double got = ChiSquarePValue(x, df);
    if (std::isnan(expected)) {
      ASSERT_TRUE(std::isnan(got)) << got;
    } else {
      ASSERT_EQ(got, expected);
    }
  }
}

TEST(ChiSquareCritical, KnownValues) {
  struct Row {
    float p;
    int df;
    float expected;
  };
  const Row rows[] = {
      {0.05f, 1, 3.84147334f},       {0.05f, 2, 5.99153233f},  {0.05f, 3, 7.81467390f},
      {0.05f, 4, 9.48764801f},       {0.05f, 5, 11.0706339f},  {0.05f, 8, 15.5072889f},
      {0.01f, 1, 6.63500261f},       {0.001f, 1, 10.8277349f}, {0.0001f, 1, 15.1413746f},
      {0.05f, 1000, 1075.56677f},  // the bisection grid, not the table's 1074.68
      {0.05f, 0, kSmallestCritical},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "p " << row.p << " df " << row.df);
    EXPECT_EQ(ChiSquareCritical(row.p, row.df), row.expected);
  }
  // Exactly 524288/108291 - 1 rounded to single precision.
  EXPECT_EQ(ChiSquareCritical(0.05f, 1), static_cast<float>(524288.0 / 108291.0 - 1.0));
}

TEST(ChiSquareCritical, ProbabilitiesOutsideTheOpenUnitInterval) {
  for (int df : {0, 1, 2, 7, 30}) {
    SCOPED_TRACE(df);
    EXPECT_EQ(ChiSquareCritical(0.0f, df), kLargestCritical);
    EXPECT_EQ(ChiSquareCritical(-1.0f, df), kLargestCritical);
    EXPECT_EQ(ChiSquareCritical(1.0f, df), kSmallestCritical);
    EXPECT_EQ(ChiSquareCritical(2.0f, df), kSmallestCritical);
    // No evaluated probability exceeds a NaN p, so c rises in every pass.
    EXPECT_EQ(ChiSquareCritical(kNaN, df), kSmallestCritical);
  }
}

// Whatever the inputs, the result is a point of the bisection grid: 2^19/k - 1 for an odd k.
TEST(ChiSquareCritical, ResultsLieOnTheBisectionGrid) {
  const float ps[] = {0.05f, 0.01f, 1e-30f, 0.5f, 0.999f, kInf, -kInf, kNaN};
  const int dfs[] = {0, 1, 2, 3, 10, 1000, -1, -2, -7, INT_MAX, INT_MIN};
  for (float p : ps) {
    for (int df : dfs) {
      SCOPED_TRACE(::testing::Message() << "p " << p << " df " << df);
      const float r = ChiSquareCritical(p, df);
      ASSERT_TRUE(r >= kSmallestCritical && r <= kLargestCritical) << r;
      const double k = std::round(524288.0 / (static_cast<double>(r) + 1.0));
      EXPECT_EQ(std::fmod(k, 2.0), 1.0);
      EXPECT_EQ(r, static_cast<float>(524288.0 / k - 1.0));
    }
  }
}

}  // namespace
}  // namespace quillet
