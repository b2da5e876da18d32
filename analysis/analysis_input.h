#pragma once

#include <array>
#include <optional>
#include <utility>

#include "analysis/classic_model.h"
#include "analysis/model.h"

namespace quillet {

// One model row as the user set it up: ticked for the test of models, its log-likelihood, and
// whether it was fitted with a gamma rate distribution and with invariable sites.
struct ModelEntry {
  bool ticked = false;
  double lnL = 0;
  bool gamma = false;
  bool invariants = false;
};

// Everything one calculation reads: the significance level, the three tests asked for and
// their log-likelihoods. Log-likelihoods are double precision, as typed or read from a file:
// the log-likelihoods of today's alignments (-1e5 to -1e7) would lose their decimals in single
// precision. The level is kept as given, so that one single precision cannot hold is told as
// such; the tests use it rounded to single precision.
struct AnalysisInput {
  double pValue = 0.05;

  bool testClock = false;
  int taxa = 0;
  double lnLClock = 0;    // with the clock
  double lnLNoClock = 0;  // without it

  bool testGamma = false;
  double lnLGamma = 0;    // with gamma and/or invariable sites
  double lnLNoGamma = 0;  // without them
  // The gamma test's two models, when they are known (read from files): with, then without.
  std::optional<std::pair<ClassicModel, ClassicModel>> gammaModels;

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
