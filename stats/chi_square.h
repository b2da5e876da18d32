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
// from 1: the steps the program has always taken, which give every p-value whose true tail is
// 1e-5 or more as it has always been printed. The truncation leaves the series above the true tail
// by up to about 2.5e-5 (about 1e-6 at x = 100, 2.5e-5 near x = 22,700), so that on its own the
// series would never go below about 1e-6 and would even grow with x far in the tail. Hence:
//  - df >= 1 and x > 0 where the accurate upper tail Q(df/2, x/2) is below 1e-5: that tail to
//    double precision (x = 30 with one df gives 4.3e-8, x = 100 1.5e-23), decided on the
//    accurate value, not on the series'. A result below 1e-5 thus falls with x, and one of
//    1e-5 or more is the series', which keeps p-values and critical values for p >= 1e-4 as
//    they were: the series' result and the tail lie on the same side of every such p.
//  - df >= 2 and x > 0 where step 3 of the series loses its term below the extended range
//    (x within a few tens of kAccurateTailFrom and df some hundreds above x, where the steps
//    give 1 for a tail such as 0.913 at x 22,709 with 23,000 df): the accurate tail as well;
//  - otherwise (df <= 0, x <= 0, or a tail of 1e-5 or more) the series' result.
//
// From kAccurateTailFrom on, including x = +infinity:
//  - df >= 1: the accurate upper tail Q(df/2, x/2) to double precision;
//  - df = 0: the distribution has all its mass at 0 and its tail here is 0;
//  - df < 0 is no distribution; the result is 1, which is what the series gives there.
//
// A tail too small for a double (with one df from x of about 1,480 on) is returned as the
// smallest positive double, so that every result for df >= 0 and x > 0 stays above 0, as the
// series' results do: p 0 then still finds no critical value below 524287.
//
// Inputs the series cannot finish: x not a number returns not-a-number; the square root of a
// negative number (negative x, odd df > 0) or 0/0 (x = 0, df = -2) make the term, and so the
// result, not a number; a series step that divides by zero (negative even df) returns
// not-a-number; a term that has become 0 while the sum is negative, so that the stop test can
// never be met, leaves a sum that can no longer change, and 1 - sum is returned.
double ChiSquarePValue(float x, int df);

// The chi-square value whose upper-tail probability is p: 19 bisection steps over
// ChiSquarePValue, whose last candidate is 2^19/k - 1 for an odd k, rounded to single
// precision. For p >= 1e-4 the results are those of the series alone; stricter levels come
// from the same bisection over the accurate tail (p 5e-7 with one df: 25.2630, the grid point
// next to the true 25.26).
//
// The grid is coarse at its top: its four largest points, 74,897.3 (k = 7), 104,857, 174,762
// and 524,287, lie more than 25% apart, and a bisection ending on one of them only says that
// the critical value lies somewhere above 65,535. For 0 < p < 1 and df >= 1 such a result is
// replaced by the accurate critical value, rounded to single precision; it can then exceed
// 524,287 (about 1,002,327 for p 0.05 with 1,000,000 df). Every other result, including those
// for p <= 0 (524287), p >= 1 (1.90735e-6) and df <= 0, is the grid point.
float ChiSquareCritical(float p, int df);

}  // namespace quillet
