#pragma once

#include <optional>
#include <string>

namespace quillet {

// The numbers of one likelihood ratio test.
struct LrtOutcome {
  // 2 |lnL1 - lnL2|, computed from the two log-likelihoods in double precision and rounded to
  // single precision. Negative when the more complex model fits worse (below).
  float statistic = 0;
  int df = 0;
  float critical = 0;  // at the chosen p
  double pValue = 0;   // of the statistic, as the distribution gives it; shown in single precision
  bool rejected = false;
  // Set by RunNestedLrt: the more complex model has the lower ln L by enough to show (the
  // statistic prints as -0.01 or less), so its fit did not reach its maximum, or the values
  // were given the wrong way round. Such a test is not rejected, with p 1.
  bool complexFitsWorse = false;
  // Where the more complex model adds +G and/or +I, parameters on the edge of their range
  // under the simpler model: the p-value from the mixture of chi-square distributions that
  // holds there (BoundaryPValue). The verdict and the texts keep the classic p.
  std::optional<double> pBoundary;
};

// The three texts that show a test: the statistic ("%.2f"), the critical value ("%.4f") and
// the verdict with the p-value. The window, the report and the command line all show these.
struct LrtTexts {
  std::string lrt;
  std::string crit;
  std::string result;
};

// One likelihood ratio test of two log-likelihoods, in either order. The verdict compares the
// statistic with the critical value on the bisection grid, not the p-value with p.
LrtOutcome RunLrt(double lnL1, double lnL2, int df, float p);

// The same test with the critical value at the chosen p already known, for a caller that runs
// many tests at one significance level and keeps the values it has computed. With `critical`
// equal to ChiSquareCritical(p, df) the outcome is RunLrt's to the bit.
LrtOutcome RunLrtWithCritical(double lnL1, double lnL2, int df, float critical);

// The test of two nested models where it is known which is the more complex: the simpler
// model's ln L first. With one degree of freedom or more, a more complex model that fits
// worse is not tested but marked (complexFitsWorse, a negative statistic, p 1); otherwise the
// outcome is RunLrtWithCritical's.
LrtOutcome RunNestedLrt(double lnLSimpler, double lnLComplex, int df, float critical);

// The texts of a test's numbers: the one place they are made.
LrtTexts TextsOf(const LrtOutcome& outcome);

// RunLrt and TextsOf together, writing the three texts.
void EvaluateLrt(double lnL1, double lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p);

}  // namespace quillet
