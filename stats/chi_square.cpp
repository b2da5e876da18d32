#include "stats/chi_square.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/float_round.h"
#include "stats/accurate_chi_square.h"
#include "stats/wide_float.h"

namespace quillet {

namespace {

constexpr double kTolerance = 1e-6;
constexpr float kTwoOverPi = 0.636619746685028076171875f;  // 2/pi in single precision
constexpr double kLog2E = 1.4426950408889634;              // log2(e) in double precision
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// What a tail too small for a double is given as: every tail stays above 0.
constexpr double kTinyTail = std::numeric_limits<double>::denorm_min();

// Below this the p-value is the accurate tail (for df >= 1).
constexpr double kAccurateBelow = 1e-5;
// The series' truncation leaves it above the true tail by up to about 2.5e-5 (at x near
// kAccurateTailFrom; about 1e-6 at x = 100), never below it by more than its rounding.
// kConsultBelow = kAccurateBelow + twice that: where the series gives more, the true tail is
// surely above kAccurateBelow and the series' result stands without a look at the tail.
constexpr double kConsultBelow = 6e-5;

// The series below never needs more than about 12,200 steps (x near kAccurateTailFrom; from
// there on it is not run). Its stop rules end every input well before this bound, which only
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

// The loops below spend nearly all their time on plain doubles d standing for d × 2^scale.
// While every result stays inside a window where it is a normal double and the wide value
// can neither become 0 nor infinite, a double operation rounds exactly as the wide one does
// (rounding to 53 bits does not depend on the scale). A step that would leave the window is
// taken again in wide arithmetic from where it started, so the results are those of wide
// arithmetic throughout.
struct Window {
  explicit Window(int scale)
      : low(std::max(0x1p-500, WideFloat::LowLimit(scale))),
        high(std::min(0x1p500, WideFloat::HighLimit(scale))) {}
  bool Holds(double d) const { return std::fabs(d) >= low && std::fabs(d) < high; }
  double low;
  double high;
};

// Step 3: term × x / k for k = df, df - 2, ..., > 1, giving the first term of the series.
WideFloat RaiseToFirstTerm(WideFloat term, double x, long long k) {
  const WideFloat wx(x);
  while (k >= 2) {
    if (term.IsNaN() || term.IsZero()) return term;  // 0 stays 0 in every remaining step
    if (term.IsInf()) {
      // Stays infinite; only its sign can still change, once per remaining step when x < 0.
      const long long remaining = (k - 2) / 2 + 1;
      return x < 0 && remaining % 2 == 1 ? WideFloat(0.0) - term : term;
    }
    const int scale = term.Exponent();
    const Window window(scale);
    double d = term.Significand();
    for (; k >= 2; k -= 2) {
      const double product = d * x;
      const double next = product / static_cast<double>(k);
      if (!window.Holds(product) || !window.Holds(next)) break;
      d = next;
    }
    term = WideFloat::Scaled(d, scale);
    if (k >= 2) {
      term = (term * wx) / WideFloat(static_cast<double>(k));
      k -= 2;
    }
  }
  return term;
}

// Step 4: adds terms until one falls to 1e-6 of the sum. Returns the sum, or not-a-number
// when the series cannot end.
WideFloat SumSeries(WideFloat term, double x, long long b) {
  const WideFloat wx(x);
  const WideFloat tolerance(kTolerance);
  WideFloat sum = term;
  long long steps = 0;
  for (;;) {
    const int scale = sum.Exponent();
    const int gap = term.Exponent() - scale;
    if (std::isfinite(sum.Significand()) && sum.Significand() != 0.0 && gap > -400 && gap < 400) {
      const Window window(scale);
      double s = sum.Significand();
      double t = term.Significand() * std::ldexp(1.0, gap);
      while (window.Holds(t)) {
        const double limit = s * kTolerance;
        if (!window.Holds(limit)) break;
        if (t <= limit) return WideFloat::Scaled(s, scale);
        if (steps >= kMaxSeriesSteps || b + 2 == 0) break;
        const double product = t * x;
        const double next = product / static_cast<double>(b + 2);
        const double nextSum = s + next;
        if (!window.Holds(product) || !window.Holds(next) || !window.Holds(nextSum)) break;
        t = next;
        s = nextSum;
        b += 2;
        ++steps;
      }
      sum = WideFloat::Scaled(s, scale);
      term = WideFloat::Scaled(t, scale);
    }

    if (term <= sum * tolerance) return sum;
    if (sum.IsNaN() || steps >= kMaxSeriesSteps) return WideFloat(kNaN);
    // With a negative sum a zero term never meets the stop test, but the sum cannot change.
    if (term.IsZero()) return sum;
    b += 2;
    if (b == 0) return WideFloat(kNaN);
    term = (term * wx) / WideFloat(static_cast<double>(b));
    sum = sum + term;
    ++steps;
  }
}

// ChiSquarePValue from kAccurateTailFrom on, where e^(-x/2) has left the extended range.
double TailBeyondTheSeries(double x, int df) {
  if (df < 0) return 1.0;  // the series' own value: its leading term is 0 here
  const double tail = df == 0 ? 0.0 : AccurateUpperTail(x, df);
  return std::clamp(tail, kTinyTail, 1.0);
}

// Where the true tail lies below kAccurateBelow the series' truncation dominates its result, so
// such tails are given accurately. Once the accurate tail is known to lie there, the series no
// longer matters.
std::optional<double> SmallTail(double x, int df) {
  const double tail = AccurateUpperTail(x, df);
  if (!(tail < kAccurateBelow)) return std::nullopt;
  // Kept above 0, as everywhere else: p 0 still finds no critical value below 524287.
  return std::max(tail, kTinyTail);
}

// Chernoff's bound on the upper tail for x > k, and on the lower tail for x < k:
// ((x/k) e^(1 - x/k))^(k/2). Only an estimate of where a tail is small enough to skip a step.
double ChernoffBound(double x, double k) {
  const double ratio = x / k;
  return std::exp(0.5 * k * (std::log(ratio) + 1.0 - ratio));
}

// The steps are those the program has always taken, truncation and all, because the printed
// p-values and critical values depend on them. Nothing when step 3 loses a term of positive x
// below the extended range: near its top e^(-x/2) has little room left to fall, and with df
// some hundreds above x the factors x/k < 1 of step 3 take it to 0, where the steps would
// give p 1 for a tail that is, say, 0.913 (x 22,709 with 23,000 df).
std::optional<double> SeriesPValue(double xd, int df) {
  const WideFloat wx(xd);

  // 1. e^(-x/2).
  WideFloat term = LeadingTerm(xd);

  // 2. Odd df: the factor sqrt(2x/pi), with 2/pi in single precision.
  if (df % 2 == 1) term = term * WideFloat(std::sqrt(xd * static_cast<double>(kTwoOverPi)));
  if (term.IsNaN()) return kNaN;

  // 3. Up to the first series term, (x/2)^(df/2) e^(-x/2) / Gamma(df/2 + 1) for df >= 0.
  const bool hadTerm = !term.IsZero();
  term = RaiseToFirstTerm(term, xd, df);
  if (term.IsNaN()) return kNaN;
  if (xd > 0.0 && hadTerm && term.IsZero()) return std::nullopt;

  // 4. The series of the regularized incomplete gamma function P(df/2, x/2).
  const WideFloat sum = SumSeries(term, xd, df);

  // 5. The upper tail.
  return (WideFloat(1.0) - sum).ToDouble();
}

// ChiSquarePValue below kAccurateTailFrom.
double BelowTheSwitch(float x, int df) {
  const double xd = x;
  const bool hasSmallTails = df >= 1 && x > 0.0f;
  // Far in the tail the series, whose terms run somewhat past b = x, is skipped; the accurate
  // tail itself decides. Only (x - df)/2 > 11.5 can bring the bound below e^-11.5 < 1e-5.
  if (hasSmallTails && xd - df > 23.0 && ChernoffBound(xd, df) < kAccurateBelow) {
    if (const std::optional<double> tail = SmallTail(xd, df)) return *tail;
  }
  const std::optional<double> series = SeriesPValue(xd, df);
  if (!series) {
    // Only with df >= 2 and x > 0, below df. Mostly the lower tail is far below 2^-54 (x well
    // below df, or df in the millions), Chernoff's bound shows it, and the tail is 1 to double
    // precision, as the steps give it.
    if (ChernoffBound(xd, df) < 0x1p-54) return 1.0;
    return std::max(AccurateUpperTail(xd, df), kTinyTail);
  }
  // The series lies above the true tail by its truncation, by less than 2.5e-5: a tail below
  // kAccurateBelow shows as a series below kConsultBelow.
  if (hasSmallTails && *series < kConsultBelow) {
    if (const std::optional<double> tail = SmallTail(xd, df)) return *tail;
  }
  return *series;
}

// Bisection results from here on lie in the grid's sparse top (k = 7, 5, 3, 1).
constexpr float kSparseGridFrom = static_cast<float>(524288.0 / 7.0 - 1.0);

}  // namespace

double ChiSquarePValue(float x, int df) {
  if (std::isnan(x)) return kNaN;
  if (x >= kAccurateTailFrom) return TailBeyondTheSeries(x, df);
  return BelowTheSwitch(x, df);
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
  if (candidate >= kSparseGridFrom && df >= 1 && p > 0.0f && p < 1.0f) {
    const double accurate = AccurateCriticalValue(p, df);
    // The inversion cannot fail for these inputs; should it ever, the grid point stands.
    if (std::isfinite(accurate) && accurate > 0.0) return RoundToFloat(accurate);
  }
  return candidate;
}

}  // namespace quillet
