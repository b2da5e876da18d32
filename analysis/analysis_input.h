#pragma once

#include <array>

#include "analysis/model.h"

namespace quillet {

// One model row as the user set it up: ticked for the test of models, its log-likelihood, and
// whether it was fitted with a gamma rate distribution and with invariable sites.
struct ModelEntry {
  bool ticked = false;
  float lnL = 0;
  bool gamma = false;
  bool invariants = false;
};

// Everything one calculation reads: the significance level, the three tests asked for and
// their log-likelihoods. Log-likelihoods and p are single precision, as the window stores them.
struct AnalysisInput {
  float pValue = 0.05f;

  bool testClock = false;
  int taxa = 0;
  float lnLClock = 0;    // with the clock
  float lnLNoClock = 0;  // without it

  bool testGamma = false;
  float lnLGamma = 0;    // with gamma and/or invariable sites
  float lnLNoGamma = 0;  // without them

  bool testModels = false;
  std::array<ModelEntry, 6> models{};  // indexed by Model

  // None of the three tests was asked for. The window's boxes can hold a value that is neither
  // "ticked" nor "clear"; such a box runs nothing but does not count as an empty choice either.
  bool nothingChosen = false;

  ModelEntry& operator[](Model model) { return models[static_cast<std::size_t>(model)]; }
  const ModelEntry& operator[](Model model) const {
    return models[static_cast<std::size_t>(model)];
  }
};

}  // namespace quillet
