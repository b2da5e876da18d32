#pragma once

#include <optional>
#include <string>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"
#include "report/report_text.h"

namespace quillet {

// Where one calculation goes in its report.
struct ReportPlacement {
  int number = 1;  // the analysis number
  // A first analysis brings the header block that heads it; a later one is appended to the
  // analyses before it.
  std::optional<ReportHeader> header;
  bool replace = false;  // empty the file first (a report file just chosen)
};

// The text AddToReport appends for a calculation: the analysis, after its header block when it
// is a first one.
std::string ReportEntryText(const AnalysisInput& input, const AnalysisResult& result,
                            const ReportPlacement& placement);

// Adds a calculation to the report at `path`, as every front end does: a header block (after
// three line feeds when the file already holds text, decided under the file's lock) or a
// later analysis. Returns the message for the user when the file could not be written.
std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement);

}  // namespace quillet
