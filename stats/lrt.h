#pragma once

#include <string>

namespace quillet {

// The numbers of one likelihood ratio test and the three texts that show them.
struct LrtOutcome {
  float statistic = 0;  // 2 |lnL1 - lnL2|, in single precision
  int df = 0;
  float critical = 0;  // at the chosen p
  float pValue = 0;    // of the statistic, in single precision
  bool rejected = false;
  std::string lrtText;     // "%.2f" of the statistic
  std::string critText;    // "%.4f" of the critical value
  std::string resultText;  // the verdict with the p-value
};

// One likelihood ratio test. The verdict compares the statistic with the critical value on
// the bisection grid, not the p-value with p.
LrtOutcome RunLrt(float lnL1, float lnL2, int df, float p);

// The same test with the critical value at the chosen p already known, for a caller that runs
// many tests at one significance level and keeps the values it has computed. With `critical`
// equal to ChiSquareCritical(p, df) the outcome is RunLrt's to the bit.
LrtOutcome RunLrtWithCritical(float lnL1, float lnL2, int df, float critical);

// The same test, writing the statistic ("%.2f"), the critical value at p ("%.4f") and the
// verdict with the statistic's p-value into the three texts.
void EvaluateLrt(float lnL1, float lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p);

}  // namespace quillet
