#pragma once

#include <string>

namespace quillet {

// One likelihood ratio test: writes the statistic ("%.2f"), the critical value at p ("%.4f")
// and the verdict with the statistic's p-value into the three texts.
void EvaluateLrt(float lnL1, float lnL2, std::string& lrtText, std::string& critText,
                 std::string& resultText, int df, float p);

}  // namespace quillet
