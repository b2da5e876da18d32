#include "stats/boundary_p_value.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "stats/chi_square.h"

namespace quillet {

double BoundaryPValue(float statistic, int ordinary, int boundary,
                      std::optional<double> classicTail) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  if (std::isnan(statistic) || ordinary < 0 || boundary < 0 || boundary > kMaxBoundaryParameters ||
      ordinary > INT_MAX - boundary) {
    return kNaN;
  }
  if (statistic <= 0.0f) return 1.0;
  if (ordinary == 0 && boundary == 0) return 0.0;

  // C(b, j) 2^-b from j = 0 on: 2^-b is exact, and each step multiplies by (b - j)/(j + 1).
  double weight = std::ldexp(1.0, -boundary);
  double sum = 0.0;
  for (int j = 0; j <= boundary; ++j) {
    const int df = ordinary + j;
    if (df >= 1) {
      sum +=
          weight * (j == boundary && classicTail ? *classicTail : ChiSquarePValue(statistic, df));
    }
    weight = weight * (boundary - j) / (j + 1);
  }
  return std::max(sum, std::numeric_limits<double>::denorm_min());
}

}  // namespace quillet
