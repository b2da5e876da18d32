#pragma once

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"

#include <functional>
#include <string>
#include <optional>

namespace quillet {

// One whole calculation: the clock test, the gamma/invariants test and the test of models,
// each when asked for, in that order, with the notices the window shows for them.
AnalysisResult Analyze(const AnalysisInput& input);

// Where a calculation takes its critical values: a function that must return
// ChiSquareCritical(p, df), such as a cache of it kept by a caller that runs thousands of
// calculations at one significance level (the bisection is most of a calculation's time).
using CriticalValueSource = std::function<float(float p, int df)>;

// The same calculation with its critical values from `critical`.
AnalysisResult Analyze(const AnalysisInput& input, const CriticalValueSource& critical);

// The check made before anything is computed: a significance level strictly between 0 and 1,
// and for a clock test with its number of taxa filled in, 3 taxa or more (fewer leave it no
// degree of freedom). Nothing when the input is fine.
std::optional<Refusal> CheckInput(const AnalysisInput& input);

// Whether every test the input asks for ran: a clock or gamma test had its values, the test of
// models had every ticked model with its ln L and something to compare, and no test found its
// more complex model fitting worse.
bool EveryTestRan(const AnalysisInput& input, const AnalysisResult& result);

// A model takes part in the test of models when it is ticked and has its ln L.
bool TakesPart(const AnalysisInput& input, Model model);

// The reference of the test of models: the first model taking part in the order GTR, TrN,
// HKY85, F81, K2P. JC is never the reference.
std::optional<Model> ChooseReference(const AnalysisInput& input);

// What a test compares, by name: the simpler hypothesis and the more complex one.
struct TestNames {
  std::string simpler;
  std::string complex;
};
TestNames ClockTestNames();
// The two models of the gamma test, by name when the input knows them (read from files).
TestNames GammaTestNames(const AnalysisInput& input);
// A compared model and the reference, with their variants.
TestNames ModelTestNames(const AnalysisInput& input, Model compared, Model reference);

// What to tell of a test whose more complex model fits worse (`outcome.complexFitsWorse`),
// naming both and their values; empty for any other test.
std::string WorseFitNote(const LrtOutcome& outcome, const TestNames& names, double simpler,
                         double complex);

// A log-likelihood counts as missing when it is zero; a value that is not a number compares
// unequal to everything and counts as missing as well.
inline bool IsMissing(double value) { return !(value < 0.0 || value > 0.0); }

}  // namespace quillet
