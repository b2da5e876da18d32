#pragma once

#include <optional>

namespace quillet {

// The largest number of boundary parameters BoundaryPValue takes. A test adds at most a
// handful (a gamma shape, a proportion of invariable sites); the bound keeps the work of one
// call to at most 65 chi-square tails.
inline constexpr int kMaxBoundaryParameters = 64;

// The p-value of a likelihood ratio statistic L where the more complex model adds `ordinary`
// free parameters (q) and `boundary` parameters (b) whose value under the simpler model lies
// on the edge of their range (a proportion of invariable sites of 0, a gamma shape at
// infinity). Under the simpler model L then follows the mixture
//   sum over j = 0..b of C(b, j) 2^-b chi-square(q + j)
// (Self & Liang 1987), and its upper tail is
//   p = sum over j = 0..b of C(b, j) 2^-b P(chi-square(q + j) >= L).
// Each term with q + j >= 1 is ChiSquarePValue(L, q + j), so the result carries its accuracy
// (the accurate tail below 1e-5); chi-square(0) is the point mass at 0.
//
//  - L > 0: the mixture's tail. The chi-square(0) term (only with q = 0) adds nothing, so with
//    b = 1 and q = 0 the result is exactly ChiSquarePValue(L, 1) / 2, and with b = 0 it is
//    ChiSquarePValue(L, q). A tail too small for a double is returned as the smallest positive
//    double, as ChiSquarePValue does, unless the mixture is chi-square(0) alone (q = b = 0),
//    whose tail above 0 is exactly 0. L = +infinity is handled the same way.
//  - L = 0 or below: 1. Every component, chi-square(0) included, is at least 0 for certain
//    (P(chi-square(0) >= 0) = 1, the whole point mass), so the weights sum to 1. A negative L
//    (a more complex model that fits worse) is no evidence against the simpler model.
//  - L not a number, q < 0, b < 0, b > kMaxBoundaryParameters, or q + b beyond the int
//    range: not-a-number; there is no such mixture (or none the program meets).
//
// `classicTail`, when given, is ChiSquarePValue(L, q + b), the test's classic p-value, which the
// caller has already computed: the last term then costs nothing.
double BoundaryPValue(float statistic, int ordinary, int boundary,
                      std::optional<double> classicTail = std::nullopt);

}  // namespace quillet
