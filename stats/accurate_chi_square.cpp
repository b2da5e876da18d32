#include "stats/accurate_chi_square.h"

#include <boost/math/policies/policy.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>

namespace quillet {

namespace {

namespace policies = boost::math::policies;

// Nothing may throw out of the statistics, and nothing may depend on errno: every error the
// library can raise returns a value instead. The inputs are kept inside the domain below, so
// the only errors left are an underflow (the value is then 0) and, should an iteration ever
// fail to settle, its last estimate.
using ReturnValues = policies::policy<policies::domain_error<policies::ignore_error>,
                                      policies::pole_error<policies::ignore_error>,
                                      policies::overflow_error<policies::ignore_error>,
                                      policies::underflow_error<policies::ignore_error>,
                                      policies::denorm_error<policies::ignore_error>,
                                      policies::evaluation_error<policies::ignore_error>,
                                      policies::rounding_error<policies::ignore_error>,
                                      policies::indeterminate_result_error<policies::ignore_error>>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

double AccurateUpperTail(double x, int df) {
  if (df < 1 || !(x >= 0.0)) return kNaN;
  // The library has no value at infinity; the limit is 0.
  if (std::isinf(x)) return 0.0;
  return boost::math::gamma_q(0.5 * df, 0.5 * x, ReturnValues());
}

double AccurateCriticalValue(double p, int df) {
  if (df < 1 || !(p > 0.0 && p < 1.0)) return kNaN;
  return 2.0 * boost::math::gamma_q_inv(0.5 * df, p, ReturnValues());
}

}  // namespace quillet
