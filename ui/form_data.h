#pragma once

#include <vector>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"
#include "analysis/result_texts.h"
#include "platform/window.h"
#include "ui/analysis_form.h"

namespace quillet {

// The calculation the form asks for: each test whose box is exactly 1, with the form's values.
AnalysisInput InputFromForm(const AnalysisForm& form);

// Writes what a calculation gave into the form: the three texts of every test that ran and the
// clock and gamma validity flags (1 when the test ran, 0 when a value was missing, unchanged
// when it was not asked for). Texts of tests that did not run are left as they are. `texts`
// are TextsOf(result).
void ApplyResult(AnalysisForm& form, const AnalysisResult& result, const ResultTexts& texts);

// Shows the notices one box after the other, in their order.
void ShowNotices(Window& window, const std::vector<Notice>& notices);

}  // namespace quillet
