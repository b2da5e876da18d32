// The chi-square functions and the likelihood ratio test on any float bit pattern and any int:
// no crash, no hang, every result inside the range the program documents for its domain, the
// p-value equal to the last bit to a plain step-by-step evaluation of the series wherever that
// is cheap and the tail is not below 1e-5, elsewhere (and beyond the series) a tail inside the
// Chernoff bounds that falls with x and rises with df, a p-value that never rises with the
// statistic by more than the series' resolution, and the boundary mixture's p-value between 0
// and its largest component's.
#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "platform/format.h"
#include "platform/parse.h"
#include "stats/boundary_p_value.h"
#include "stats/chi_square.h"
#include "stats/lrt.h"
#include "support/plain_chi_square.h"

namespace quillet::fuzz {
namespace {

constexpr float kSmallestCritical = 1.90735227e-6f;  // 2^19/524287 - 1
constexpr float kLargestCritical = 524287.0f;        // 2^19/1 - 1
// The grid's sparse top: from 2^19/7 - 1 on, results for 0 < p < 1 and df >= 1 are the
// accurate critical value instead.
constexpr float kSparseGridFrom = static_cast<float>(524288.0 / 7.0 - 1.0);
constexpr double kTinyTail = std::numeric_limits<double>::denorm_min();
// With df >= 1, tails below this are given accurately instead of by the series.
constexpr double kAccurateBelow = 1e-5;
// The series' truncation leaves it above the true tail by at most about 2.5e-5.
constexpr double kSeriesExcess = 2.5e-5;
// How far the series' results may rise with x: its terms stop at 1e-6 of the sum.
constexpr double kSeriesResolution = 1e-6;

// The bisection as the steps describe it, over the real p-value function.
float PlainCritical(float p, int df) {
  float c = 0.5f, d = 0.5f, candidate = 0.0f;
  for (;;) {
    const double x = 1.0 / static_cast<double>(c) - 1.0;
    candidate = static_cast<float>(x);  // x lies in (0, 2^19]: no overflow
    d *= 0.5f;
    if (ChiSquarePValue(candidate, df) > static_cast<double>(p)) {
      c -= d;
    } else {
      c += d;
    }
    if (!(static_cast<double>(d) > 1e-6)) return candidate;
  }
}

std::string Args(float x, int df) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "(%a [%.9g], %d)", static_cast<double>(x), static_cast<double>(x),
                df);
  return buf;
}
std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

bool SameDouble(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) ||
         std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Chernoff's bound on either tail of the chi-square distribution with k degrees of freedom:
// P(X >= x) for x > k, and P(X <= x) for x < k, are at most ((x/k) e^(1 - x/k))^(k/2).
double ChernoffBound(double x, double k) {
  const double ratio = x / k;
  return std::exp(0.5 * k * (std::log(ratio) + 1.0 - ratio));
}

// An accurate tail, df >= 1: checked against properties of the distribution rather than
// against a second evaluation of the same library.
void CheckAccurateTail(float x, int df, double r, const std::string& call) {
  Require(r >= kTinyTail && r <= 1.0, call + ", outside (0, 1]");
  const double xd = x, k = df;
  if (std::isfinite(xd) && xd > k) {
    Require(r <= std::max(ChernoffBound(xd, k) * (1.0 + 1e-9), kTinyTail),
            call + ", above the Chernoff bound " + Num(ChernoffBound(xd, k)));
  }
  if (xd < k) {
    Require(r >= 1.0 - ChernoffBound(xd, k) * (1.0 + 1e-9) - 1e-15,
            call + ", below 1 - the Chernoff bound " + Num(ChernoffBound(xd, k)));
  }
  // Where the series takes over at the next float it may lie above the tail by its
  // resolution.
  const float next = std::nextafter(x, std::numeric_limits<float>::infinity());
  const double atNext = ChiSquarePValue(next, df);
  Require(atNext <= r * (1.0 + 1e-12) + (x < quillet::kAccurateTailFrom ? kSeriesResolution : 0),
          call + ", rises to " + Num(atNext) + " at the next float " + Num(next));
  if (df < INT_MAX) {
    const double moreDf = ChiSquarePValue(x, df + 1);
    Require(moreDf >= r * (1.0 - 1e-12), call + ", falls to " + Num(moreDf) + " with df + 1");
  }
}

// Below the switch the result is the series' own, except with df >= 1 and x > 0 where the
// tail lies below 1e-5, or where the steps lost their first term below the extended range
// (they then give exactly 1).
void CheckAgainstThePlainSteps(float x, int df, double r, double plain, const std::string& call) {
  const std::string steps = ", the plain steps give " + Num(plain);
  const bool hasTails = df >= 1 && x > 0.0f;
  if (SameDouble(r, plain)) {
    // The series lies above the tail: one below 1e-5 would have been replaced.
    if (hasTails) Require(r >= kAccurateBelow - 1e-12, call + ", a small series kept");
    return;
  }
  Require(hasTails, call + steps);
  CheckAccurateTail(x, df, r, call + steps);
  if (plain == 1.0) return;  // a lost first term
  Require(r < kAccurateBelow, call + ", not the series' result at a tail above 1e-5" + steps);
  Require(r <= plain + 1e-12 && plain - r <= kSeriesExcess,
          call + ", too far from the series" + steps);
}

// For df >= 1 the p-value does not rise with the statistic by more than the series'
// resolution, whichever of the series and the tail gives each of the two.
void CheckFallsWithTheStatistic(float a, float b, int df) {
  if (df < 1 || !(a > 0.0f) || !(b > 0.0f)) return;
  const float low = std::min(a, b), high = std::max(a, b);
  const double atLow = ChiSquarePValue(low, df);
  const double atHigh = ChiSquarePValue(high, df);
  Require(atHigh <= atLow + kSeriesResolution, "ChiSquarePValue rises from " + Num(atLow) + " at " +
                                                   Args(low, df) + " to " + Num(atHigh) + " at " +
                                                   Num(high));
}

// The mixture of chi-square(q + j), j = 0..b, with binomial weights: between 0 and 1, no larger
// than its largest component's tail, exactly half the classic p-value with one boundary
// parameter and nothing else, and 1 at a statistic of 0 or below.
void CheckBoundaryPValue(float x, int ordinary, int boundary) {
  const double r = quillet::BoundaryPValue(x, ordinary, boundary);
  const std::string call = "BoundaryPValue(" + Num(x) + ", " + std::to_string(ordinary) + ", " +
                           std::to_string(boundary) + ") = " + Num(r);
  if (std::isnan(x) || ordinary < 0 || ordinary > INT_MAX - boundary) {
    Require(std::isnan(r), call + ", not a number expected");
    return;
  }
  if (x <= 0.0f) {
    Require(r == 1.0, call + ", 1 expected");
    return;
  }
  if (ordinary + boundary == 0) {
    Require(r == 0.0, call + ", 0 expected for the point mass at 0");
    return;
  }
  const double largest = ChiSquarePValue(x, ordinary + boundary);
  Require(r >= kTinyTail && r <= 1.0, call + ", outside (0, 1]");
  // Tails rise with df, up to the series' resolution where the series gives them.
  Require(r <= largest + kSeriesResolution,
          call + ", above its largest component's tail " + Num(largest));
  if (ordinary == 0 && boundary == 1) {
    const double half = ChiSquarePValue(x, 1) / 2;
    Require(r == std::max(half, kTinyTail), call + ", half the classic p expected");
  }
}

void CheckPValue(float x, int df, double r) {
  const std::string call = "ChiSquarePValue" + Args(x, df) + " = " + Num(r);
  const bool beyondSeries = x >= quillet::kAccurateTailFrom;
  if (std::isnan(x)) Require(std::isnan(r), call + ", not a number expected");
  if (x == 0.0f && df >= 1) Require(r == 1.0, call + ", exactly 1 expected");
  if (x == 0.0f && df == 0) Require(r == 0.0, call + ", exactly 0 expected");
  if (x > 0.0f && std::isfinite(x) && df >= 1)
    Require(r >= 0.0 && r <= 1.0, call + ", outside 0..1");
  if (x > 0.0f && std::isfinite(x) && df == 0) {
    Require(r >= -1e-15 && r <= 1.0, call + ", outside 0..1");
    if (x < 22000.0f) Require(r <= 1e-4, call + ", a value near 0 expected with no df");
  }
  if (beyondSeries && df < 0) Require(r == 1.0, call + ", the series' 1 expected");
  if (beyondSeries && df == 0) Require(r == kTinyTail, call + ", the smallest tail expected");
  if (beyondSeries && df >= 1) CheckAccurateTail(x, df, r, call);
  if (x < 0.0f && df > 0 && df % 2 == 1) Require(std::isnan(r), call + ", not a number expected");
  if (df >= -65536 && df <= 65536) {
    const std::optional<double> plain = testing::PlainPValue(x, df);
    // The switch lies exactly where the series' leading term leaves the extended range.
    Require(plain.has_value() == !(beyondSeries && df >= 0),
            call + (plain ? ", the series still runs here" : ", the series has ended here"));
    if (plain) CheckAgainstThePlainSteps(x, df, r, *plain, call);
  }
}

// An accurate critical value r for p: the bisection's bracket around its grid point holds
// it, and p lies between the tails of the floats on either side of it.
void CheckAccurateCritical(float p, int df, float r, float grid, const std::string& call) {
  Require(std::isfinite(r) && r > 0.0f, call + ", no accurate value");
  const double k = std::nearbyint(524288.0 / (static_cast<double>(grid) + 1.0));
  const double low = 524288.0 / (k + 1.0) - 1.0;
  const double high =
      k == 1.0 ? std::numeric_limits<double>::infinity() : 524288.0 / (k - 1.0) - 1.0;
  Require(r >= low * (1.0 - 1e-6) && r <= high * (1.0 + 1e-6),
          call + ", outside the bisection's bracket around " + Num(grid));
  const float below = std::nextafter(r, 0.0f);
  const float above = std::nextafter(r, std::numeric_limits<float>::infinity());
  const double tailBelow = ChiSquarePValue(below, df);
  const double tailAbove = ChiSquarePValue(above, df);
  Require(tailBelow >= p * (1.0 - 1e-9) && tailAbove <= p * (1.0 + 1e-9),
          call + ", p not between the tails " + Num(tailBelow) + " and " + Num(tailAbove) +
              " of the neighbouring floats");
}

void CheckCritical(float p, int df, float r) {
  const std::string call = "ChiSquareCritical" + Args(p, df) + " = " + Num(r);
  const float plain = PlainCritical(p, df);
  if (p > 0.0f && p < 1.0f && df >= 1 && plain >= kSparseGridFrom) {
    CheckAccurateCritical(p, df, r, plain, call);
    return;
  }
  Require(r >= kSmallestCritical && r <= kLargestCritical, call + ", off the bisection grid");
  const double k = std::nearbyint(524288.0 / (static_cast<double>(r) + 1.0));
  Require(std::fmod(k, 2.0) == 1.0 && r == static_cast<float>(524288.0 / k - 1.0),
          call + ", not 2^19/k - 1 for an odd k");
  if (std::isnan(p)) Require(r == kSmallestCritical, call + ", smallest expected for NaN p");
  if (df >= 0 && p <= 0.0f) Require(r == kLargestCritical, call + ", largest expected");
  if (df >= 0 && p >= 1.0f) Require(r == kSmallestCritical, call + ", smallest expected");
  if (df == 0 && p >= 6.3e-8f) Require(r == kSmallestCritical, call + ", smallest expected");
  Require(std::bit_cast<std::uint32_t>(r) == std::bit_cast<std::uint32_t>(plain),
          call + ", the plain bisection gives " + Num(plain));
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

void CheckLrt(float lnL1, float lnL2, int df, float p, const std::string& lrt,
              const std::string& crit, const std::string& result) {
  const std::string call = "EvaluateLrt(" + Num(lnL1) + ", " + Num(lnL2) + ", df " +
                           std::to_string(df) + ", p " + Num(p) + ") gave [" + lrt + "] [" + crit +
                           "] [" + result + "]";

  std::string lrt2, crit2, result2;
  EvaluateLrt(lnL2, lnL1, lrt2, crit2, result2, df, p);
  Require(lrt == lrt2 && crit == crit2 && result == result2, call + ", order of lnL matters");

  const bool rejected = StartsWith(result, "Rejected      (p ");
  Require(rejected || StartsWith(result, "NOT rejected  (p "), call + ", no verdict");
  Require(result.size() > 18 && result.back() == ')', call + ", result not closed");
  const std::string pText = result.substr(17, result.size() - 18);

  const std::optional<float> critValue = ParseFloatField(crit);
  Require(critValue && *critValue >= 0.0f, call + ", critical value text out of range");

  const std::optional<float> statistic = ParseFloatField(lrt);
  if (!statistic) {
    // Only a statistic beyond the float range, or undefined, may print as a word, and the
    // critical value is never above it.
    Require(lrt == "inf" || lrt == "nan", call + ", unreadable statistic");
    Require(rejected, call + ", an infinite or undefined statistic must be rejected");
    return;
  }
  Require(*statistic >= 0.0f, call + ", negative statistic");
  // Printed to two and four decimals the numbers can differ from the compared ones by half a
  // unit of their last digit. Read in double precision: near 524,287 a float has steps of
  // 1/32, coarser than the margin, and accurate critical values go far beyond.
  const double printedStatistic = std::strtod(lrt.c_str(), nullptr);
  const double printedCritical = std::strtod(crit.c_str(), nullptr);
  if (printedStatistic >= printedCritical + 0.01) Require(rejected, call + ", should be rejected");
  if (printedStatistic + 0.01 <= printedCritical) {
    Require(!rejected, call + ", should not be rejected");
  }

  const std::optional<float> pValue = ParseFloatField(pText);
  if (df >= 1 && std::isfinite(*statistic)) {
    Require(pValue && *pValue >= 0.0f && *pValue <= 1.0f, call + ", p-value outside 0..1");
  }
}

float FloatAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < 4 && at + i < size; ++i) bytes[i] = data[at + i];
  float v;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

int IntAt(const std::uint8_t* data, std::size_t size, std::size_t at) {
  std::uint8_t bytes[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < 4 && at + i < size; ++i) bytes[i] = data[at + i];
  std::int32_t v;
  std::memcpy(&v, bytes, sizeof v);
  return v;
}

}  // namespace
}  // namespace quillet::fuzz

// Input: x, df, p, lnL1, lnL2 as 4 little-endian bytes each (missing bytes are 0).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet::fuzz;
  const float x = FloatAt(data, size, 0);
  const int df = IntAt(data, size, 4);
  const float p = FloatAt(data, size, 8);
  const float lnL1 = FloatAt(data, size, 12);
  const float lnL2 = FloatAt(data, size, 16);

  double pValue = 0.0;
  float critical = 0.0f;
  std::string lrt, crit, result;
  const auto took = FastestOfSlowRuns([&] {
    pValue = quillet::ChiSquarePValue(x, df);
    critical = quillet::ChiSquareCritical(p, df);
    quillet::EvaluateLrt(lnL1, lnL2, lrt, crit, result, df, p);
  });
  RequireNoHang(took, "the statistics for x " + Num(x) + " df " + std::to_string(df) + " p " +
                          Num(p) + " lnL " + Num(lnL1) + " " + Num(lnL2));

  CheckPValue(x, df, pValue);
  CheckCritical(p, df, critical);
  // Second statistics for the order of p-values: p's bits as a statistic, and the test's.
  CheckFallsWithTheStatistic(x, p, df);
  CheckFallsWithTheStatistic(x, static_cast<float>(2.0 * std::fabs(double{lnL1} - lnL2)), df);
  // The boundary count from the low bits of the last byte: 0, 1 or 2 as the program uses it.
  CheckBoundaryPValue(x, df, size > 16 ? data[16] % 3 : 1);
  CheckLrt(lnL1, lnL2, df, p, lrt, crit, result);
  // The test's critical value is the calculator's, to the last printed digit.
  Require(crit == quillet::FormatFixed(critical, 4),
          "critical value text [" + crit + "] of the test differs from ChiSquareCritical " +
              Num(critical));
  return 0;
}
