#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "stats/wide_float.h"

namespace quillet::testing {

// e^(-x/2) as the series' first step forms it: 2^f × 2^n, with the exponent n applied exactly.
// 0 once the value falls below 2^-16382.
inline WideFloat PlainLeadingTerm(double x) {
  const double t = (x * -0.5) * 1.4426950408889634;
  if (t < -20000.0) return WideFloat(0.0);
  if (t > 20000.0) return WideFloat(std::numeric_limits<double>::infinity());
  const double n = std::nearbyint(t);
  return WideFloat::Scaled(std::exp2(t - n), static_cast<long long>(n));
}

// The chi-square p-value steps one by one in wide arithmetic, without the fast double loops
// of the real function and with no shortcut but the documented ones (a term that is not a
// number, a series that can no longer move, a division by zero). The real function must agree
// with it to the last bit. Nothing where the steps give way to the accurate tail: a positive
// x whose leading term has left the extended range, with df >= 0. Slow for large df.
inline std::optional<double> PlainPValue(float x, int df) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (std::isnan(x)) return kNaN;
  const double xd = x;
  const WideFloat wx(xd);
  WideFloat term = PlainLeadingTerm(xd);
  if (x > 0 && term.IsZero() && df >= 0) return std::nullopt;
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
