#pragma once

#include <string>

namespace quillet {

// The numbers of one likelihood ratio test.
struct LrtOutcome {
  float statistic = 0;  // 2 |lnL1 - lnL2|, in single precision
  int df = 0;
  float critical = 0;  // at the chosen p
  float pValue = 0;    // of the statistic, in single precision
  bool rejected = false;
};

// The three texts that show a test: the statistic ("%.2f"), the critical value ("%.4f") and
// the verdict with the p-value. The window, the report and the command line all show these.
struct LrtTexts {
  std::string lrt;
  std::string crit;
  std::string result;
};

// One likelihood ratio test. The verdict compares the statistic with the critical value on
// the bisection grid, not the p-value with p.
LrtOutcome RunLrt(float lnL1, float lnL2, int df, float p);

// The same test with the critical value at the chosen p already known, for a caller that runs
// many tests at one significance level and keeps the values it has computed. With `critical`
// equal to ChiSquareCritical(p, df) the outcome is RunLrt's to the bit.
LrtOutcome RunLrtWithCritical(float lnL1, float lnL2, int df, float critical);

// The texts of a test's numbers: the one place they are made.
LrtTexts TextsOf(const LrtOutcome& outcome);

// RunLrt and TextsOf together, writing the three texts.
void EvaluateLrt(float lnL1, float lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p);

}  // namespace quillet
