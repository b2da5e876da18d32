#pragma once

#include "analysis/analysis_form.h"
#include "analysis/notices.h"
#include "platform/window.h"

namespace quillet {

// The test of models on the form: picks the most complex ticked model as the reference and
// tests every simpler ticked model against it, one likelihood ratio test each, writing only the
// compared models' result texts. With F81 as the reference and K2P ticked, the user is warned
// once, before that comparison.
void CompareModels(AnalysisForm& form, Window& window);

// The clock test when ticked: with taxa, lnL with and without the clock all non-zero, one test
// with taxa - 2 degrees of freedom; otherwise a message and the clock results marked invalid.
void RunClockTest(AnalysisForm& form, Window& window);

// The gamma/invariants test when ticked: one test with 1 degree of freedom, or a message when
// a value is missing.
void RunGammaTest(AnalysisForm& form, Window& window);

}  // namespace quillet
