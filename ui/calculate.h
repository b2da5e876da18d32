#pragma once

#include "analysis/analysis_result.h"
#include "analysis/notices.h"
#include "platform/window.h"
#include "ui/analysis_form.h"
#include "ui/command_context.h"
#include "ui/report_session.h"

namespace quillet {

// The Calculate command: reads the window, runs the ticked analyses (clock test, gamma test,
// test of models), writes the report, and shows every result at once. Problems are told only
// by message boxes.
void OnCalculate(AnalysisForm& form, ReportSession& report, CommandContext& ctx);

// The control of the field a refusal names: the page shows its message there too.
int ControlOf(const Refusal& refusal);

// Empties the fifteen model result texts and copies the whole form to the window.
void ClearModelResults(AnalysisForm& form, Window& window);

}  // namespace quillet
