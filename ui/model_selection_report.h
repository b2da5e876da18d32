#pragma once

#include <optional>
#include <string>

#include "analysis/criteria.h"
#include "platform/clock.h"
#include "platform/modal_host.h"
#include "platform/window.h"
#include "ui/analysis_form.h"
#include "ui/report_session.h"

namespace quillet {

// Add to report of the model selection window, which runs over the main window: the save setup
// that may run first (no report file chosen yet) reads and writes the main window's form, so it
// works with `mainWindow`'s controls, while its messages belong to `front`, the window the user
// pressed the button in. Returns the message for the user when nothing was written.
std::optional<std::string> AddModelSelectionToReport(const CriteriaTable& table, Window& mainWindow,
                                                     Window& front, AnalysisForm& form,
                                                     ReportSession& report, ModalHost& host,
                                                     const Clock& clock);

}  // namespace quillet
