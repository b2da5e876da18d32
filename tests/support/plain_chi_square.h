#pragma once

#include <cmath>
#include <limits>

#include "stats/wide_float.h"

namespace quillet::testing {

// The chi-square p-value steps one by one in wide arithmetic, without the fast double loops
// of the real function and with no shortcut but the documented ones (a term that is not a
// number, a series that can no longer move, a division by zero). The real function must agree
// with it to the last bit. Slow for large df.
inline double PlainPValue(float x, int df) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (std::isnan(x)) return kNaN;
  if (std::isinf(x) && x > 0) return 1.0;
  const double xd = x;
  const WideFloat wx(xd);
  const double t = (xd * -0.5) * 1.4426950408889634;
  WideFloat term = t < -20000.0  ? WideFloat(0.0)
                   : t > 20000.0 ? WideFloat(std::numeric_limits<double>::infinity())
                                 : WideFloat::Scaled(std::exp2(t - std::nearbyint(t)),
                                                     static_cast<long long>(std::nearbyint(t)));
  if (df % 2 == 1) term = term * WideFloat(std::sqrt(xd * double{0.636619746685028076171875f}));
  for (long long k = df; k >= 2; k -= 2) term = (term * wx) / WideFloat(static_cast<double>(k));
  if (term.IsNaN()) return kNaN;
  WideFloat sum = term;
  for (long long b = df; !(term <= sum * WideFloat(1e-6));) {
    if (sum.IsNaN()) return kNaN;
    if (term.IsZero()) break;
    b += 2;
    if (b == 0) return kNaN;
    term = (term * wx) / WideFloat(static_cast<double>(b));
    sum = sum + term;
  }
  return (WideFloat(1.0) - sum).ToDouble();
}

}  // namespace quillet::testing
