#pragma once

namespace quillet {

// From this chi-square value on, e^(-x/2) is below 2^-16382, the smallest normal number of the
// extended exponent range that the series keeps, and the series gives way to the accurate
// tail. It is the first float at which the series' own leading term (step 1 below) would
// vanish, 0x1.62d91ap+14; at the float before it, 22710.2734375, the term is still normal and
// the series runs as it always has.
inline constexpr float kAccurateTailFrom = 22710.275390625f;

// Upper-tail probability of a chi-square value x with df degrees of freedom.
//
// Below kAccurateTailFrom (and for every negative x) the result is the power series of the
// regularized incomplete gamma function P(df/2, x/2), truncated at a relative 1e-6, subtracted
// from 1: the steps the program has always taken, truncation floor and all (about 1e-6 at
// x = 100 and 6.4e-6 at x = 2000 with one df, where the true tails are below 1e-22).
//
// From kAccurateTailFrom on, including x = +infinity:
//  - df >= 1: the accurate upper tail Q(df/2, x/2) to double precision;
//  - df = 0: the distribution has all its mass at 0 and its tail here is 0;
//  - in both cases a tail too small for a double (with few degrees of freedom, all of this
//    region) is returned as the smallest positive double, so that every result stays above 0
//    as the series' results do: p 0 then still finds no critical value below 524287;
//  - df < 0 is no distribution; the result is 1, which is what the series gives there.
//
// Inputs the series cannot finish: x not a number returns not-a-number; the square root of a
// negative number (negative x, odd df > 0) or 0/0 (x = 0, df = -2) make the term, and so the
// result, not a number; a series step that divides by zero (negative even df) returns
// not-a-number; a term that has become 0 while the sum is negative, so that the stop test can
// never be met, leaves a sum that can no longer change, and 1 - sum is returned.
double ChiSquarePValue(float x, int df);

// The chi-square value whose upper-tail probability is p: 19 bisection steps over
// ChiSquarePValue, whose last candidate is 2^19/k - 1 for an odd k, rounded to single
// precision.
//
// The grid is coarse at its top: its four largest points, 74,897.3 (k = 7), 104,857, 174,762
// and 524,287, lie more than 25% apart, and a bisection ending on one of them only says that
// the critical value lies somewhere above 65,535. For 0 < p < 1 and df >= 1 such a result is
// replaced by the accurate critical value, rounded to single precision; it can then exceed
// 524,287 (about 1,002,327 for p 0.05 with 1,000,000 df). Every other result, including those
// for p <= 0 (524287), p >= 1 (1.90735e-6) and df <= 0, is the grid point.
float ChiSquareCritical(float p, int df);

}  // namespace quillet
