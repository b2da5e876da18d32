#pragma once

#include "analysis/analysis_form.h"
#include "platform/window.h"

namespace quillet {

inline constexpr char kF81K2PWarning[] =
    "Please note that K2P is not a special case of F81, so LRT may not be adequate in this "
    "case.\nValues are being calculated anyway. Use them at your own risk.";

// The test of models: picks the most complex ticked model as the reference and tests every
// simpler ticked model against it, one likelihood ratio test each, writing only the compared
// models' result texts. With F81 as the reference and K2P ticked, the user is warned once,
// before that comparison.
void CompareModels(AnalysisForm& form, Window& window);

}  // namespace quillet
