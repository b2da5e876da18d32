#pragma once

namespace quillet {

// Upper-tail probability of a chi-square value x with df degrees of freedom, from the power
// series of the regularized incomplete gamma function truncated at a relative 1e-6.
double ChiSquarePValue(float x, int df);

// The chi-square value whose upper-tail probability is p, by 19 bisection steps over
// ChiSquarePValue; always 2^19/k - 1 for an odd k, rounded to single precision.
float ChiSquareCritical(float p, int df);

}  // namespace quillet
