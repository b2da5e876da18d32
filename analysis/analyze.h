#pragma once

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"

namespace quillet {

// One whole calculation: the clock test, the gamma/invariants test and the test of models,
// each when asked for, in that order, with the notices the window shows for them.
AnalysisResult Analyze(const AnalysisInput& input);

// The single steps, each adding its notices and its numbers to `result`.
void AnalyzeClock(const AnalysisInput& input, AnalysisResult& result);
void AnalyzeGamma(const AnalysisInput& input, AnalysisResult& result);
void AnalyzeModels(const AnalysisInput& input, AnalysisResult& result);

// A log-likelihood counts as missing when it is zero; a value that is not a number compares
// unequal to everything and counts as missing as well.
inline bool IsMissing(float value) { return !(value < 0.0f || value > 0.0f); }

}  // namespace quillet
