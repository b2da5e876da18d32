#include "stats/lrt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/parse.h"

namespace quillet {
namespace {

TEST(EvaluateLrt, PrintsTheDocumentedTexts) {
  struct Row {
    float lnL1, lnL2;
    int df;
    float p;
    const char* lrt;
    const char* crit;
    const char* result;
  };
  const Row rows[] = {
      {-1000, -1002, 1, 0.05f, "4.00", "3.8415", "Rejected      (p 0.045500)"},
      {-1002, -1000, 1, 0.05f, "4.00", "3.8415", "Rejected      (p 0.045500)"},
      {-2500.5f, -2501.2f, 1, 0.05f, "1.40", "3.8415", "NOT rejected  (p 0.236740)"},
      // 3.8414306 against 3.8414733: not rejected although both print alike.
      {-1000, -1001.9207f, 1, 0.05f, "3.84", "3.8415", "NOT rejected  (p 0.050001)"},
      {-1234.56f, -1240.12f, 3, 0.05f, "11.12", "7.8147", "Rejected      (p 0.011095)"},
      {-1000, -1003.3f, 1, 0.01f, "6.60", "6.6350", "NOT rejected  (p 0.010198)"},
      {-1000, -1003.32f, 1, 0.01f, "6.64", "6.6350", "Rejected      (p 0.009972)"},
      {-1000, -1000, 1, 0.05f, "0.00", "3.8415", "NOT rejected  (p 1.000000)"},
      {-1000, -1000, 0, 0.05f, "0.00", "0.0000", "NOT rejected  (p 0.000000)"},
      {-1000, -1000.5f, 0, 0.05f, "1.00", "0.0000", "Rejected      (p 0.000000)"},
      // The tail of 2000 with one df is below every double (the series alone gave 0.000006).
      {-10000, -11000, 1, 0.05f, "2000.00", "3.8415", "Rejected      (p 0.000000)"},
      // A strict level finds its critical value near the true 25.26 (once 22794.1250 and "NOT
      // rejected" for a statistic of 40, whose p is 2.5e-10).
      {-1000, -1020, 1, 5e-7f, "40.00", "25.2630", "Rejected      (p 0.000000)"},
      // The verdict follows the critical value on the bisection grid, not the p-value.
      {-5000, -5537.5f, 1000, 0.05f, "1075.00", "1075.5668", "NOT rejected  (p 0.049304)"},
      // A statistic of exactly 2.125 rounds away from zero.
      {-3000.25f, -2999.1875f, 2, 0.05f, "2.13", "5.9915", "NOT rejected  (p 0.345591)"},
      // Equal to the critical value: rejected; one float step below: not rejected.
      {0, -1.9207366704940796f, 1, 0.05f, "3.84", "3.8415", "Rejected      (p 0.050000)"},
      {0, -1.92073655128479f, 1, 0.05f, "3.84", "3.8415", "NOT rejected  (p 0.050000)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.lnL1 << " vs " << row.lnL2 << " df " << row.df);
    std::string lrt = "old", crit = "old", result = "old";
    EvaluateLrt(row.lnL1, row.lnL2, lrt, crit, result, row.df, row.p);
    EXPECT_EQ(lrt, row.lrt);
    EXPECT_EQ(crit, row.crit);
    EXPECT_EQ(result, row.result);
  }
}

// Statistics and critical values beyond the extended range of the series. Expected numbers
// from the Wilson-Hilferty approximation ((X/df)^(1/3) nearly normal with mean 1 - 2/(9 df)
// and variance 2/(9 df)), good to far better than the tolerances here for such df.
TEST(EvaluateLrt, BeyondTheExtendedRange) {
  struct Row {
    const char* name;
    float lnL1, lnL2;
    int df;
    const char* lrt;
    bool rejected;
    double pValue;      // to 6 decimals as printed
    double critical;    // at p 0.05
    double critMargin;  // the grid's bracket, or the accurate value's rounding
  };
  const Row rows[] = {
      // The upper tail of 25,000 with one df is below e^-12500.
      {"statistic 25,000, one df", 0, -12500, 1, "25000.00", true, 0.0, 3.8415, 0.0001},
      // Clock test with 20,000 taxa: critical value near 20,330 on a grid about 800 apart.
      {"20,000 taxa, statistic 25,000", 0, -12500, 19998, "25000.00", true, 0.0, 20328.1, 1600},
      {"20,000 taxa, statistic 20,000", 0, -10000, 19998, "20000.00", false, 0.4947, 20328.1, 1600},
      // A million df: the accurate critical value 1,002,327.3 instead of the grid's 524287.
      {"a million df, statistic above", 0, -505000, 1000000, "1010000.00", true, 0.0, 1002327.3,
       0.2},
      {"a million df, statistic below", 0, -500000, 1000000, "1000000.00", false, 0.4998, 1002327.3,
       0.2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string lrt, crit, result;
    EvaluateLrt(row.lnL1, row.lnL2, lrt, crit, result, row.df, 0.05f);
    EXPECT_EQ(lrt, row.lrt);
    EXPECT_EQ(result.substr(0, 17), row.rejected ? "Rejected      (p " : "NOT rejected  (p ");
    EXPECT_NEAR(std::strtod(result.c_str() + 17, nullptr), row.pValue, 0.0001) << result;
    EXPECT_NEAR(std::strtod(crit.c_str(), nullptr), row.critical, row.critMargin) << crit;
  }
}

// A log-likelihood beyond the float range arrives as an infinity. The texts must read plainly
// and must not be taken back as numbers by the field parser.
TEST(EvaluateLrt, InfiniteOrUndefinedStatisticReadsPlainly) {
  const float inf = std::numeric_limits<float>::infinity();
  const float max = std::numeric_limits<float>::max();
  struct Row {
    const char* name;
    float lnL1, lnL2;
    int df;
    const char* lrt;
    const char* result;
  };
  const Row rows[] = {
      {"infinite log-likelihood", -inf, -1000, 1, "inf", "Rejected      (p 0.000000)"},
      {"difference beyond float range", max, -max, 1, "inf", "Rejected      (p 0.000000)"},
      {"both infinite", -inf, -inf, 1, "nan", "Rejected      (p nan)"},
      {"both infinite, odd df 3", inf, inf, 3, "nan", "Rejected      (p nan)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string lrt, crit, result;
    EvaluateLrt(row.lnL1, row.lnL2, lrt, crit, result, row.df, 0.05f);
    EXPECT_EQ(lrt, row.lrt);
    EXPECT_EQ(result, row.result);
    EXPECT_FALSE(ParseFloatField(lrt).has_value());
  }
}

}  // namespace
}  // namespace quillet
