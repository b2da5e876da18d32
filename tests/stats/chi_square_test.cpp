#include "stats/chi_square.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

#include "support/plain_chi_square.h"

namespace quillet {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kSmallestCritical = 1.90735227e-6f;  // 2^19/524287 - 1
constexpr float kLargestCritical = 524287.0f;        // 2^19/1 - 1
// Beyond the series a tail too small for a double is given as the smallest positive one.
constexpr double kTinyTail = std::numeric_limits<double>::denorm_min();

// Upper quantiles of the standard normal distribution, from its tables.
constexpr double kZ05 = 1.6448536269514722;   // p 0.05
constexpr double kZ01 = 2.3263478740408408;   // p 0.01
constexpr double kZ001 = 3.090232306167813;   // p 0.001
constexpr double kZ95 = -1.6448536269514722;  // p 0.95

// The Wilson-Hilferty approximation: (X/df)^(1/3) is nearly normal with mean 1 - 2/(9 df) and
// variance 2/(9 df). For df in the tens of thousands and more it is good to about 1e-7 in the
// tail probability and 1e-8 relative in the quantile.
double WilsonHilfertyTail(double x, double df) {
  const double v = 2.0 / (9.0 * df);
  const double z = (std::cbrt(x / df) - (1.0 - v)) / std::sqrt(v);
  return 0.5 * std::erfc(z / std::sqrt(2.0));
}
double WilsonHilfertyQuantile(double z, double df) {
  const double v = 2.0 / (9.0 * df);
  const double t = 1.0 - v + z * std::sqrt(v);
  return df * t * t * t;
}

// With an even df = 2m the upper tail is a Poisson probability:
// Q(x) = P(Poisson(x/2) < m) = sum over j < m of e^(-x/2) (x/2)^j / j!.
// Summed from logarithms in long double, it is good to about 1e-14 relative.
double PoissonSumTail(double x, int df) {
  const long double lambda = x / 2.0;
  long double sum = 0.0L;
  for (int j = 0; j < df / 2; ++j) {
    sum += std::exp(j * std::log(lambda) - lambda - std::lgamma(j + 1.0L));
  }
  return static_cast<double>(sum);
}

// With an odd df = 2m + 1 the upper tail is
// Q(x) = erfc(sqrt(x/2)) + sum over j = 1..m of e^(-x/2) (x/2)^(j - 1/2) / Gamma(j + 1/2),
// good to about 1e-14 relative in long double.
double OddSumTail(double x, int df) {
  const long double half = x / 2.0;
  long double sum = std::erfc(std::sqrt(half));
  for (int j = 1; j <= df / 2; ++j) {
    sum += std::exp((j - 0.5L) * std::log(half) - half - std::lgamma(j + 0.5L));
  }
  return static_cast<double>(sum);
}

// The upper tail from the closed forms above: the Poisson sum for even df, the odd sum else.
double ClosedFormTail(double x, int df) {
  return df % 2 == 0 ? PoissonSumTail(x, df) : OddSumTail(x, df);
}

// The odd k of a grid point r = 2^19/k - 1, or 0 when r is none. The bisection ends on it
// after bracketing the critical value between 2^19/(k + 1) - 1 and 2^19/(k - 1) - 1.
double GridIndexOf(float r) {
  const double k = std::round(524288.0 / (static_cast<double>(r) + 1.0));
  return std::fmod(k, 2.0) == 1.0 && r == static_cast<float>(524288.0 / k - 1.0) ? k : 0.0;
}

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
      {"plus infinity: the tail's limit, kept above 0", kInf, 3, kTinyTail},
      {"plus infinity, df 0", kInf, 0, kTinyTail},
      {"plus infinity, negative df: the series' 1", kInf, -3, 1.0},
      {"beyond the extended range, far below the double range", 30000.0f, 1, kTinyTail},
      {"beyond the extended range, df 0: no mass above 0", 30000.0f, 0, kTinyTail},
      {"beyond the extended range, negative even df", 30000.0f, -4, 1.0},
      {"largest float", std::numeric_limits<float>::max(), 7, kTinyTail},
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
  const float xs[] = {0.0f,     1e-30f, 1.0f,  100.0f,    22000.0f,
                      25000.0f, 1e30f,  -1.0f, -22000.0f, -1e30f};
  const int dfs[] = {INT_MAX, INT_MAX - 1, -INT_MAX, INT_MIN, INT_MIN + 1, 100000, -100000};
  for (float x : xs) {
    for (int df : dfs) {
      SCOPED_TRACE(::testing::Message() << "x " << x << " df " << df);
      const double p = ChiSquarePValue(x, df);
      // With df far beyond x nearly all the mass lies above x.
      if (df == INT_MAX && x >= 0.0f && x <= 25000.0f) {
        EXPECT_NEAR(p, 1.0, 1e-5);
      }
    }
  }
}

// Tails below 1e-5 with df >= 1, where the series' truncation (up to about 2.5e-5) would
// swamp them, are the accurate tails. The series' own results, once, are in the names.
TEST(ChiSquarePValue, SmallTailsAreAccurate) {
  struct Row {
    const char* name;
    float x;
    int df;
  };
  const Row rows[] = {
      {"x 30, one df (the series gave 3.49e-7)", 30.0f, 1},
      {"x 100, one df (1.03e-6)", 100.0f, 1},
      // Decided on the tail, not on the series, which gives 1.03e-5 here.
      {"x 19.52, one df: just below 1e-5", 19.52f, 1},
      {"x 40, two df: e^-20", 40.0f, 2},
      {"x 50, five df", 50.0f, 5},
      {"x 60, ten df", 60.0f, 10},
      {"x 1250, 1000 df", 1250.0f, 1000},
      {"x 300, one df: below the float range", 300.0f, 1},
      {"x 1400, one df: near the bottom of the double range", 1400.0f, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double expected = ClosedFormTail(row.x, row.df);
    ASSERT_LT(expected, 1e-5);
    EXPECT_NEAR(ChiSquarePValue(row.x, row.df), expected, expected * 1e-11);
  }
}

// Tails below every double (erfc(sqrt(x/2)) < e^(-x/2) < 1e-434 here) are the smallest positive
// double, as beyond the series.
TEST(ChiSquarePValue, TailsBelowEveryDoubleAreTheSmallestDouble) {
  struct Row {
    const char* name;
    float x;
    int df;
  };
  const Row rows[] = {
      {"x 2000, one df (the series gave 6.38e-6)", 2000.0f, 1},
      {"x 22,709, one df (2.43e-5)", 22709.0f, 1},
      {"x 5000, ten df", 5000.0f, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ChiSquarePValue(row.x, row.df), kTinyTail);
  }
}

// Near the top of the extended range, step 3 of the series (term × x / k from k = df down)
// can take e^(-x/2) below the range when df is well above x; the steps would give 1 there.
TEST(ChiSquarePValue, WhereTheSeriesLosesItsFirstTermGivesTheTail) {
  struct Row {
    const char* name;
    float x;
    int df;
  };
  const Row rows[] = {
      {"x 22,709, 23,000 df: 0.913", 22709.0f, 23000},
      {"x 22,709, 23,100 df: 0.966", 22709.0f, 23100},
      {"x 22,705, 23,300 df: 0.997", 22705.0f, 23300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(testing::PlainPValue(row.x, row.df).value(), 1.0);
    const double expected = PoissonSumTail(row.x, row.df);
    ASSERT_LT(expected, 0.999);
    EXPECT_NEAR(ChiSquarePValue(row.x, row.df), expected, expected * 1e-12);
  }
}

// The p-value never rises with the statistic by more than the series' resolution, 1e-6 (the
// steps alone rose from 1e-6 at x = 100 to 2.4e-5 near 22,700 with one df).
TEST(ChiSquarePValue, NeverRisesWithTheStatistic) {
  for (int df : {1, 2, 5, 30, 1000, 20000, 23000}) {
    SCOPED_TRACE(df);
    double lowest = 1.0;
    float lowestAt = 0.0f;
    for (float x = 0.0f; x < 30000.0f; x = x < 50.0f ? x + 0.25f : x * 1.002f) {
      const double p = ChiSquarePValue(x, df);
      ASSERT_LE(p, lowest + 1e-6) << "x " << x << " against x " << lowestAt;
      if (p < lowest) {
        lowest = p;
        lowestAt = x;
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
    const std::optional<double> expected = testing::PlainPValue(x, df);
    const double got = ChiSquarePValue(x, df);
    if (!expected) {
      // Beyond the series: a tail, tested on its own below.
      ASSERT_TRUE(got > 0.0 && got <= 1.0) << got;
    } else if (std::isnan(*expected)) {
      ASSERT_TRUE(std::isnan(got)) << got;
    } else if (got != *expected) {
      // Only a tail below 1e-5, which the steps overstate by their truncation.
      ASSERT_TRUE(df >= 1 && x > 0.0f) << got << " instead of " << *expected;
      ASSERT_LT(got, 1e-5) << "instead of " << *expected;
      ASSERT_LE(got, *expected) << "the steps stop short of the tail";
      ASSERT_LT(*expected - got, 2.5e-5);
    } else if (df >= 1 && x > 0.0f) {
      ASSERT_GE(got, 1e-5) << "the steps' result kept where the tail is small";
    }
  }
}

// The switch lies exactly where the series' leading term e^(-x/2) stops being a normal number
// of the extended range; up to there every result is the series' own.
TEST(ChiSquarePValue, SwitchesToTheAccurateTailWhereTheLeadingTermVanishes) {
  const float last = std::nextafter(kAccurateTailFrom, 0.0f);
  EXPECT_TRUE(testing::PlainLeadingTerm(kAccurateTailFrom).IsZero());
  EXPECT_FALSE(testing::PlainLeadingTerm(last).IsZero());
  EXPECT_EQ(last, 22710.2734375f);

  // Tails of 1e-5 or more (22,000 df), no tail (df <= 0), or a first term too small to lose
  // anything (30,000 df, where the tail is 1).
  for (int df : {0, 22000, 30000, -1, -3}) {
    SCOPED_TRACE(df);
    EXPECT_EQ(ChiSquarePValue(last, df), testing::PlainPValue(last, df).value());
  }
  // With one df the series would show its truncation floor at the last float; the true tail,
  // below e^-11355, is the smallest positive double on both sides of the switch.
  EXPECT_GT(testing::PlainPValue(last, 1).value(), 1e-6);
  EXPECT_EQ(ChiSquarePValue(last, 1), kTinyTail);
  EXPECT_EQ(ChiSquarePValue(kAccurateTailFrom, 1), kTinyTail);
}

// Beyond the series, each value against a reference of its own: the Poisson sum for even df
// (to 1e-12 relative), Wilson-Hilferty (to 1e-6), or a tail known to lie below every double,
// which prints as 0.000000.
TEST(ChiSquarePValue, BeyondTheSeriesMatchIndependentReferences) {
  enum Reference { kPoissonSum, kWilsonHilferty, kBelowDoubles };
  struct Row {
    const char* name;
    float x;
    int df;
    Reference reference;
  };
  const Row rows[] = {
      {"at the switch, df near x", kAccurateTailFrom, 22710, kPoissonSum},
      {"x = df", 23000.0f, 23000, kPoissonSum},
      {"x below df", 23000.0f, 23500, kPoissonSum},
      {"x above df: far tail", 25000.0f, 24000, kPoissonSum},
      {"x well above df", 30000.0f, 29000, kPoissonSum},
      {"odd df near x", 25000.0f, 24999, kWilsonHilferty},
      {"odd df below x", 24000.0f, 25001, kWilsonHilferty},
      {"100,000 df", 1e5f, 99999, kWilsonHilferty},
      {"a million df, x above", 1.005e6f, 1000000, kWilsonHilferty},
      {"ten million df", 1e7f, 10000001, kWilsonHilferty},
      // e^(-x/2), and with one df erfc(sqrt(x/2)) < e^(-x/2): below e^-11500.
      {"two df", 23000.0f, 2, kBelowDoubles},
      {"statistic 25,000, one df", 25000.0f, 1, kBelowDoubles},
      {"statistic 1e6, one df", 1e6f, 1, kBelowDoubles},
      // Wilson-Hilferty puts 25,000 with 15,000 df 48 standard deviations out: near e^-1160.
      {"statistic 25,000, 15,000 df", 25000.0f, 15000, kBelowDoubles},
      {"largest float, a million df", std::numeric_limits<float>::max(), 1000000, kBelowDoubles},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double got = ChiSquarePValue(row.x, row.df);
    if (row.reference == kPoissonSum) {
      const double expected = PoissonSumTail(row.x, row.df);
      EXPECT_NEAR(got, expected, expected * 1e-12);
    } else if (row.reference == kWilsonHilferty) {
      EXPECT_NEAR(got, WilsonHilfertyTail(row.x, row.df), 1e-6);
    } else {
      EXPECT_EQ(got, kTinyTail);
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

// Levels below the series' reach (about 1e-6): the bisection over the accurate tail ends on
// the grid point whose bracket holds the true critical value (once 22794.13 for every level
// at or below 5e-7, and 24.88 for 1e-6 with one df).
TEST(ChiSquareCritical, StrictLevelsBracketTheTrueValue) {
  struct Row {
    const char* name;
    float p;
    int df;
    float expected;  // the grid point
  };
  const Row rows[] = {
      {"p 1e-6, one df: true 23.93", 1e-6f, 1, 23.9292946f},
      {"p 5e-7, one df: true 25.26", 5e-7f, 1, 25.2629871f},
      {"p 5e-6, one df", 5e-6f, 1, 0.0f},
      {"p 1e-10, two df", 1e-10f, 2, 0.0f},
      {"p 1e-30, one df", 1e-30f, 1, 0.0f},
      {"p 1e-20, ten df", 1e-20f, 10, 0.0f},
      {"p 1e-8, 1000 df", 1e-8f, 1000, 0.0f},
      {"smallest float p, one df", std::numeric_limits<float>::denorm_min(), 1, 0.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const float r = ChiSquareCritical(row.p, row.df);
    if (row.expected != 0.0f) {
      EXPECT_EQ(r, row.expected);
    }
    const double k = GridIndexOf(r);
    ASSERT_GT(k, 1.0) << r << " is no grid point below its top";
    const double p = row.p;
    EXPECT_GT(ClosedFormTail(524288.0 / (k + 1.0) - 1.0, row.df), p) << r;
    EXPECT_LT(ClosedFormTail(524288.0 / (k - 1.0) - 1.0, row.df), p) << r;
  }
}

TEST(ChiSquareCritical, ProbabilitiesOutsideTheOpenUnitInterval) {
  for (int df : {0, 1, 2, 7, 30, 20000, 1000000, INT_MAX}) {
    SCOPED_TRACE(df);
    EXPECT_EQ(ChiSquareCritical(0.0f, df), kLargestCritical);
    EXPECT_EQ(ChiSquareCritical(-1.0f, df), kLargestCritical);
    EXPECT_EQ(ChiSquareCritical(1.0f, df), kSmallestCritical);
    EXPECT_EQ(ChiSquareCritical(2.0f, df), kSmallestCritical);
    // No evaluated probability exceeds a NaN p, so c rises in every pass.
    EXPECT_EQ(ChiSquareCritical(kNaN, df), kSmallestCritical);
  }
}

// Whatever the inputs, the result is a point of the bisection grid, 2^19/k - 1 for an odd k,
// except in the grid's sparse top (from 74,897 on) with 0 < p < 1 and df >= 1.
TEST(ChiSquareCritical, ResultsLieOnTheBisectionGrid) {
  const float ps[] = {0.05f, 0.01f, 1e-30f, 0.5f, 0.999f, kInf, -kInf, kNaN};
  const int dfs[] = {0, 1, 2, 3, 10, 1000, -1, -2, -7, INT_MAX, INT_MIN};
  for (float p : ps) {
    for (int df : dfs) {
      SCOPED_TRACE(::testing::Message() << "p " << p << " df " << df);
      const float r = ChiSquareCritical(p, df);
      if (p > 0.0f && p < 1.0f && df >= 1 && r >= 65535.0f) continue;  // tested below
      ASSERT_TRUE(r >= kSmallestCritical && r <= kLargestCritical) << r;
      const double k = std::round(524288.0 / (static_cast<double>(r) + 1.0));
      EXPECT_EQ(std::fmod(k, 2.0), 1.0);
      EXPECT_EQ(r, static_cast<float>(524288.0 / k - 1.0));
    }
  }
}

// Large df whose critical values lie in the extended range's upper part or beyond it: the
// bisection now brackets the true value instead of climbing to 524287.
TEST(ChiSquareCritical, LargeDfEndOnTheGridPointsAroundTheTrueValue) {
  struct Row {
    const char* name;
    float p;
    double z;
    int df;
  };
  const Row rows[] = {
      {"p 0.05, 17,000 df", 0.05f, kZ05, 17000},
      {"p 0.05, 20,000 df", 0.05f, kZ05, 20000},
      {"p 0.01, 30,000 df", 0.01f, kZ01, 30000},
      {"p 0.05, 50,000 df", 0.05f, kZ05, 50000},
      {"p 0.95, 60,000 df", 0.95f, kZ95, 60000},
      {"p 0.001, 22,000 df: across the switch", 0.001f, kZ001, 22000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const float r = ChiSquareCritical(row.p, row.df);
    const double k = GridIndexOf(r);
    ASSERT_GT(k, 1.0) << r << " is no grid point below its top";
    const double expected = WilsonHilfertyQuantile(row.z, row.df);
    EXPECT_GT(expected, 524288.0 / (k + 1.0) - 1.0) << r;
    EXPECT_LT(expected, 524288.0 / (k - 1.0) - 1.0) << r;
  }
}

TEST(ChiSquareCritical, SparseTopOfTheGridGivesTheAccurateValue) {
  struct Row {
    const char* name;
    float p;
    double z;
    int df;
  };
  const Row rows[] = {
      {"p 0.05, 70,000 df: 70,617 instead of 74,897", 0.05f, kZ05, 70000},
      {"p 0.05, 100,000 df", 0.05f, kZ05, 100000},
      {"p 0.01, 200,000 df", 0.01f, kZ01, 200000},
      {"p 0.5, 300,000 df", 0.5f, 0.0, 300000},
      {"p 0.95, 400,000 df", 0.95f, kZ95, 400000},
      {"p 0.05, a million df: above the grid", 0.05f, kZ05, 1000000},
      {"p 0.05, ten million df", 0.05f, kZ05, 10000000},
      {"p 0.05, largest df", 0.05f, kZ05, INT_MAX},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double expected = WilsonHilfertyQuantile(row.z, row.df);
    EXPECT_NEAR(ChiSquareCritical(row.p, row.df), expected, expected * 1e-6);
  }
}

}  // namespace
}  // namespace quillet
