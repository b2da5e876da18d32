#include "stats/boundary_p_value.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "stats/chi_square.h"

namespace quillet {
namespace {

// Upper tails of chi-square with 1, 2 and 3 df in closed form.
double Tail1(double x) { return std::erfc(std::sqrt(x / 2.0)); }
double Tail2(double x) { return std::exp(-x / 2.0); }
double Tail3(double x) {
  return Tail1(x) + std::sqrt(2.0 * x / 3.14159265358979323846) * std::exp(-x / 2.0);
}

// The mixture sum over j of C(b, j) 2^-b P(chi-square(q + j) >= L), against the closed forms;
// chi-square(0) adds nothing above 0.
TEST(BoundaryPValue, MixturesOfChiSquareTails) {
  struct Row {
    const char* name;
    float statistic;
    int ordinary;
    int boundary;
    double expected;
  };
  const Row rows[] = {
      {"+G or +I alone: half of one df", 2.705543f, 0, 1, Tail1(2.705543f) / 2},
      {"+G and +I: 1/2 chi2(1) + 1/4 chi2(2)", 5.0f, 0, 2, Tail1(5.0f) / 2 + Tail2(5.0f) / 4},
      {"one ordinary, one boundary", 4.0f, 1, 1, Tail1(4.0f) / 2 + Tail2(4.0f) / 2},
      {"one ordinary, two boundary", 7.0f, 1, 2,
       Tail1(7.0f) / 4 + Tail2(7.0f) / 2 + Tail3(7.0f) / 4},
      {"no boundary: the classic tail", 6.0f, 2, 0, Tail2(6.0f)},
      {"far tail, +G and +I", 60.0f, 0, 2, Tail1(60.0f) / 2 + Tail2(60.0f) / 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The series behind tails of 1e-5 and more is good to about 1e-6.
    const double tolerance = row.expected >= 1e-5 ? 2e-6 : row.expected * 1e-11;
    EXPECT_NEAR(BoundaryPValue(row.statistic, row.ordinary, row.boundary), row.expected, tolerance);
  }
}

// The gamma test as typed in the window: exactly half the classic p-value.
TEST(BoundaryPValue, OneBoundaryParameterHalvesTheClassicPValue) {
  for (float statistic : {0.5f, 2.705543f, 3.841459f, 30.0f, 1000.0f}) {
    SCOPED_TRACE(statistic);
    EXPECT_EQ(BoundaryPValue(statistic, 0, 1), ChiSquarePValue(statistic, 1) / 2);
  }
}

TEST(BoundaryPValue, EdgesOfTheDomain) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    const char* name;
    float statistic;
    int ordinary;
    int boundary;
    double expected;  // NaN means "not a number expected"
  };
  const Row rows[] = {
      // Every component, the point mass at 0 included, is at least 0 for certain.
      {"statistic 0: the whole mixture", 0.0f, 0, 2, 1.0},
      {"statistic 0, point mass alone", 0.0f, 0, 0, 1.0},
      {"negative statistic: a worse fit", -3.0f, 1, 1, 1.0},
      {"point mass alone, statistic above 0", 0.5f, 0, 0, 0.0},
      // Half of the smallest double rounds to 0; the tail stays above 0.
      {"infinite statistic", kInf, 0, 1, std::numeric_limits<double>::denorm_min()},
      {"not a number", std::numeric_limits<float>::quiet_NaN(), 0, 1, nan},
      {"negative ordinary count", 3.0f, -1, 1, nan},
      {"negative boundary count", 3.0f, 1, -1, nan},
      {"too many boundary parameters", 3.0f, 0, kMaxBoundaryParameters + 1, nan},
      {"counts beyond the int range", 3.0f, INT_MAX, 1, nan},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double got = BoundaryPValue(row.statistic, row.ordinary, row.boundary);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(got)) << got;
    } else {
      EXPECT_EQ(got, row.expected);
    }
  }
}

}  // namespace
}  // namespace quillet
