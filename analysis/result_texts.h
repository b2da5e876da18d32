#pragma once

#include <optional>
#include <vector>

#include "analysis/analysis_result.h"
#include "stats/lrt.h"

namespace quillet {

// The printed texts of every test a calculation ran, made once for all that show them (the
// window's fields and its report).
struct ResultTexts {
  std::optional<LrtTexts> clock;
  std::optional<LrtTexts> gamma;
  std::vector<LrtTexts> compared;  // in the order of result.models.compared
};

ResultTexts TextsOf(const AnalysisResult& result);

}  // namespace quillet
