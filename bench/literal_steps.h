#pragma once

#include <string>

namespace quillet::bench {

// The chi-square steps written down as literally as possible, in long double and without any
// shortcut, kept here only as the yardstick the real functions are timed against. Inputs on
// which the literal steps would never end are cut off after kLiteralStepCap steps. They know
// nothing of the accurate tail that the real functions take beyond the series' range, so the
// cases there are timed without a yardstick.
inline constexpr long long kLiteralStepCap = 200'000;

double LiteralPValue(float x, int df);
float LiteralCritical(float p, int df);
void LiteralLrt(float lnL1, float lnL2, std::string& lrt, std::string& crit, std::string& result,
                int df, float p);

}  // namespace quillet::bench
