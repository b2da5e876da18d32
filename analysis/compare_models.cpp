#include "analysis/compare_models.h"

#include "analysis/analyze.h"
#include "analysis/form_data.h"

namespace quillet {

namespace {

// Runs one step of the calculation on the form's values and shows its notices before its
// results reach the form.
void RunStep(AnalysisForm& form, Window& window, const AnalysisInput& input,
             void (*step)(const AnalysisInput&, AnalysisResult&)) {
  AnalysisResult result;
  step(input, result);
  ShowNotices(window, result.notices);
  ApplyResult(form, result);
}

}  // namespace

// Its caller has already looked at the "Test of models" box.
void CompareModels(AnalysisForm& form, Window& window) {
  AnalysisInput input = InputFromForm(form);
  input.testModels = true;
  RunStep(form, window, input, AnalyzeModels);
}

void RunClockTest(AnalysisForm& form, Window& window) {
  RunStep(form, window, InputFromForm(form), AnalyzeClock);
}

void RunGammaTest(AnalysisForm& form, Window& window) {
  RunStep(form, window, InputFromForm(form), AnalyzeGamma);
}

}  // namespace quillet
