#include "bench/literal_steps.h"

#include <cmath>
#include <cstdio>

namespace quillet::bench {

double LiteralPValue(float x, int df) {
  long double term = std::exp(static_cast<long double>(x) * -0.5L);
  if (df % 2 == 1) term *= std::sqrt(static_cast<long double>(x) * 0.636619746685028076171875L);
  long long steps = 0;
  for (long long k = df; k >= 2 && steps < kLiteralStepCap; k -= 2, ++steps) {
    term = (term * x) / k;
  }
  long double sum = term;
  long long b = df;
  while (!(term <= sum * 1e-6L) && steps++ < kLiteralStepCap) {
    b += 2;
    term = (term * x) / b;
    sum += term;
  }
  return static_cast<double>(1.0L - sum);
}

float LiteralCritical(float p, int df) {
  float c = 0.5f, d = 0.5f, candidate = 0.0f;
  do {
    candidate = static_cast<float>(1.0 / c - 1.0);
    d *= 0.5f;
    if (LiteralPValue(candidate, df) > p) {
      c -= d;
    } else {
      c += d;
    }
  } while (d > 1e-6);
  return candidate;
}

void LiteralLrt(float lnL1, float lnL2, std::string& lrt, std::string& crit, std::string& result,
                int df, float p) {
  const float statistic = static_cast<float>(2.0 * std::fabs(double{lnL1} - double{lnL2}));
  const float critical = LiteralCritical(p, df);
  const float pValue = static_cast<float>(LiteralPValue(statistic, df));
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%.4f", critical);
  crit = buffer;
  std::snprintf(buffer, sizeof buffer,
                critical > statistic ? "NOT rejected  (p %.6f)" : "Rejected      (p %.6f)", pValue);
  result = buffer;
  std::snprintf(buffer, sizeof buffer, "%.2f", statistic);
  lrt = buffer;
}

}  // namespace quillet::bench
