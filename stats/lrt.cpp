#include "stats/lrt.h"

#include <cmath>

#include "platform/float_round.h"
#include "platform/format.h"
#include "stats/chi_square.h"

namespace quillet {

// The statistic, critical value and p-value are single-precision numbers. An infinite or
// undefined statistic (a log-likelihood beyond the float range) is rejected, since the
// critical value is never greater than it.
LrtOutcome RunLrt(double lnL1, double lnL2, int df, float p) {
  return RunLrtWithCritical(lnL1, lnL2, df, ChiSquareCritical(p, df));
}

LrtOutcome RunLrtWithCritical(double lnL1, double lnL2, int df, float critical) {
  LrtOutcome out;
  out.df = df;
  out.statistic = RoundToFloat(2.0 * std::fabs(lnL1 - lnL2));
  out.critical = critical;
  out.rejected = !(out.critical > out.statistic);
  out.pValue = ChiSquarePValue(out.statistic, df);
  return out;
}

LrtOutcome RunNestedLrt(double lnLSimpler, double lnLComplex, int df, float critical) {
  LrtOutcome out = RunLrtWithCritical(lnLSimpler, lnLComplex, df, critical);
  // A more complex model cannot fit worse than the simpler one nested in it. A difference that
  // prints as 0.00 is a tie; one that shows is a fit that stopped early, and testing it would
  // "reject" the simpler model for being the better one.
  if (df >= 1 && lnLComplex < lnLSimpler && FormatFixed(out.statistic, 2) != "0.00") {
    out.statistic = -out.statistic;
    out.complexFitsWorse = true;
    out.rejected = false;
    out.pValue = 1.0;
  }
  return out;
}

// Each text shows its single-precision value widened to double; an infinite or undefined
// statistic prints as "inf" or "nan".
LrtTexts TextsOf(const LrtOutcome& outcome) {
  // Both verdicts are 22 characters before the number, so "(p" lines up.
  const char* verdict = outcome.rejected ? "Rejected      (p " : "NOT rejected  (p ";
  return {FormatFixed(outcome.statistic, 2), FormatFixed(outcome.critical, 4),
          verdict + FormatFixed(RoundToFloat(outcome.pValue), 6) + ")"};
}

void EvaluateLrt(double lnL1, double lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p) {
  LrtTexts texts = TextsOf(RunLrt(lnL1, lnL2, df, p));
  critText = std::move(texts.crit);
  resultText = std::move(texts.result);
  lrtText = std::move(texts.lrt);
}

}  // namespace quillet
