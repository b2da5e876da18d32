#include "stats/lrt.h"

#include <cmath>

#include "platform/float_round.h"
#include "platform/format.h"
#include "stats/chi_square.h"

namespace quillet {

// The statistic, critical value and p-value are single-precision numbers; each text shows the
// value widened to double. An infinite or undefined statistic (a log-likelihood beyond the
// float range) prints as "inf" or "nan" and is rejected, since the critical value is never
// greater than it.
void EvaluateLrt(float lnL1, float lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p) {
  const float statistic =
      RoundToFloat(2.0 * std::fabs(static_cast<double>(lnL1) - static_cast<double>(lnL2)));
  const float critical = ChiSquareCritical(p, df);
  // Both verdicts are 22 characters before the number, so "(p" lines up.
  const char* verdict = critical > statistic ? "NOT rejected  (p " : "Rejected      (p ";
  const float pValue = RoundToFloat(ChiSquarePValue(statistic, df));

  critText = FormatFixed(critical, 4);
  resultText = verdict + FormatFixed(pValue, 6) + ")";
  lrtText = FormatFixed(statistic, 2);
}

}  // namespace quillet
