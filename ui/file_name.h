#pragma once

#include "ui/analysis_form.h"
#include "ui/command_context.h"
#include "ui/report_session.h"

namespace quillet {

// The save setup, run by the File Name button and by the report writer when saving is on but
// no file has been chosen: the Save As dialog, then the comments dialog. Accepting a file
// restarts the numbering, so the next written analysis empties it and starts with the header.
void OnFileName(AnalysisForm& form, ReportSession& report, CommandContext& ctx);

}  // namespace quillet
