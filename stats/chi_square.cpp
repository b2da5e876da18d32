#include "stats/chi_square.h"

#include <cmath>
#include <limits>

#include "platform/float_round.h"
#include "stats/wide_float.h"

namespace quillet {

namespace {

constexpr double kTolerance = 1e-6;
constexpr float kTwoOverPi = 0.636619746685028076171875f;  // 2/pi in single precision
constexpr double kLog2E = 1.4426950408889634;              // log2(e) in double precision
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The series below never needs more than about 12,200 steps (x near 22,800; beyond that its
// leading term is 0). Its stop rules end every input well before this bound, which only
// guards against a hang should that reasoning ever be wrong.
constexpr long long kMaxSeriesSteps = 1LL << 17;

// e^(-x/2) as 2^f × 2^n, with the power of two applied exactly so that the result keeps the
// extended exponent range.
WideFloat LeadingTerm(double x) {
  const double t = (x * -0.5) * kLog2E;
  if (t < -20000.0) return WideFloat(0.0);  // far below 2^-16382
  if (t > 20000.0) return WideFloat(std::numeric_limits<double>::infinity());
  const double n = std::nearbyint(t);
  return WideFloat::Scaled(std::exp2(t - n), static_cast<long long>(n));
}

}  // namespace

// The steps are those the program has always taken, truncation and all, because the printed
// p-values and critical values depend on them. Inputs the series cannot finish:
//  - x not a number: returns not-a-number;
//  - x = +infinity: returns 1, the value the series gives for every finite x above about
//    22,798, where e^(-x/2) is 0 in the extended range;
//  - the square root of a negative number (negative x, odd df > 0) or 0/0 (x = 0, df = -2):
//    the term is not a number and so is the result;
//  - a series step that divides by zero (negative even df): not-a-number;
//  - a term that has become 0 while the sum is negative, so that the stop test can never be
//    met: the sum can no longer change, and 1 - sum is returned.
double ChiSquarePValue(float x, int df) {
  if (std::isnan(x)) return kNaN;
  if (x == std::numeric_limits<float>::infinity()) return 1.0;
  const double xd = x;
  const WideFloat wx(xd);

  // 1. e^(-x/2).
  WideFloat term = LeadingTerm(xd);

  // 2. Odd df: the factor sqrt(2x/pi), with 2/pi in single precision.
  if (df % 2 == 1) term = term * WideFloat(std::sqrt(xd * static_cast<double>(kTwoOverPi)));
  if (term.IsNaN()) return kNaN;

  // 3. Up to the first series term: term = term × x / k for k = df, df - 2, ..., > 1.
  for (long long k = df; k >= 2; k -= 2) {
    term = (term * wx) / WideFloat(static_cast<double>(k));
    if (term.IsNaN()) return kNaN;
    if (term.IsZero()) break;  // stays 0 for every remaining step
    if (term.IsInf()) {
      // Stays infinite; only its sign can still change, once per step when x < 0.
      const long long remaining = (k - 2) / 2;
      if (xd < 0 && remaining % 2 == 1) term = WideFloat(0.0) - term;
      break;
    }
  }

  // 4. Sum the series until a term falls to 1e-6 of the sum.
  const WideFloat tolerance(kTolerance);
  WideFloat sum = term;
  long long b = df;
  for (long long step = 0;; ++step) {
    if (term <= sum * tolerance) break;
    if (sum.IsNaN() || step >= kMaxSeriesSteps) return kNaN;
    if (term.IsZero()) break;
    b += 2;
    if (b == 0) return kNaN;
    term = (term * wx) / WideFloat(static_cast<double>(b));
    sum = sum + term;
  }

  // 5.
  return (WideFloat(1.0) - sum).ToDouble();
}

float ChiSquareCritical(float p, int df) {
  // Bisection on c in (0, 1), which stands for the chi-square value 1/c - 1.
  float c = 0.5f;
  float d = 0.5f;
  float candidate = 0.0f;
  do {
    candidate = RoundToFloat(1.0 / static_cast<double>(c) - 1.0);
    d = d * 0.5f;
    if (ChiSquarePValue(candidate, df) > static_cast<double>(p)) {
      c = c - d;  // the candidate is too small
    } else {
      c = c + d;
    }
  } while (static_cast<double>(d) > kTolerance);
  return candidate;
}

}  // namespace quillet
