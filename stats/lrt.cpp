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
LrtOutcome RunLrt(float lnL1, float lnL2, int df, float p) {
  return RunLrtWithCritical(lnL1, lnL2, df, ChiSquareCritical(p, df));
}

LrtOutcome RunLrtWithCritical(float lnL1, float lnL2, int df, float critical) {
  LrtOutcome out;
  out.df = df;
  out.statistic =
      RoundToFloat(2.0 * std::fabs(static_cast<double>(lnL1) - static_cast<double>(lnL2)));
  out.critical = critical;
  out.rejected = !(out.critical > out.statistic);
  out.pValue = RoundToFloat(ChiSquarePValue(out.statistic, df));

  // Both verdicts are 22 characters before the number, so "(p" lines up.
  const char* verdict = out.rejected ? "Rejected      (p " : "NOT rejected  (p ";
  out.critText = FormatFixed(out.critical, 4);
  out.resultText = verdict + FormatFixed(out.pValue, 6) + ")";
  out.lrtText = FormatFixed(out.statistic, 2);
  return out;
}

void EvaluateLrt(float lnL1, float lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p) {
  LrtOutcome out = RunLrt(lnL1, lnL2, df, p);
  critText = std::move(out.critText);
  resultText = std::move(out.resultText);
  lrtText = std::move(out.lrtText);
}

}  // namespace quillet
