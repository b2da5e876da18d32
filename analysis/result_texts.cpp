#include "analysis/result_texts.h"

namespace quillet {

ResultTexts TextsOf(const AnalysisResult& result) {
  ResultTexts texts;
  if (result.clock) texts.clock = TextsOf(*result.clock);
  if (result.gamma) texts.gamma = TextsOf(*result.gamma);
  texts.compared.reserve(result.models.compared.size());
  for (const ModelComparison& compared : result.models.compared) {
    texts.compared.push_back(TextsOf(compared.outcome));
  }
  return texts;
}

}  // namespace quillet
