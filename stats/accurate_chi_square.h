#pragma once

namespace quillet {

// The chi-square distribution to double precision, for where the program's own series cannot
// go: Q(df/2, x/2), the regularized upper incomplete gamma function, and its inverse.

// The upper-tail probability of x >= 0 (or +infinity) with df >= 1 degrees of freedom. May be
// 0 where the true value lies below the double range. Not-a-number outside that domain.
double AccurateUpperTail(double x, int df);

// The chi-square value whose upper-tail probability is p, for 0 < p < 1 and df >= 1.
// Not-a-number outside that domain.
double AccurateCriticalValue(double p, int df);

}  // namespace quillet
