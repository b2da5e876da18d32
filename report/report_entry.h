#pragma once

#include <functional>
#include <optional>
#include <string>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"
#include "report/report_text.h"

namespace quillet {

// Where one calculation goes in its report.
struct ReportPlacement {
  int number = 1;        // the analysis number
  bool first = true;     // it opens a header block; a later one follows the analyses before it
  ReportHeader header;   // what heads the block: for a first analysis, or a later one that finds
                         // its block interrupted
  bool replace = false;  // empty the file first (a report file just chosen)
  // For a later analysis: the text this writer added last. When another program has added to
  // the file since, the analysis opens a header block of its own, its number going on.
  std::string after;
};

// One item of a report (an analysis, a model selection): its text as it opens a header block,
// after the header (`first`), or as it follows the items before it. Only the form written is
// made.
struct ReportItem {
  std::function<std::string(bool first)> text;
};

// An analysis as a report item. It refers to `analysis`, which must outlive it.
ReportItem AnalysisItem(const ReportAnalysis& analysis);

// Adds an item to the report at `path` as AddToReport adds a calculation.
std::optional<std::string> AddItemToReport(const std::string& path, const ReportItem& item,
                                           const ReportPlacement& placement,
                                           std::string* written = nullptr);

// Adds a calculation to the report at `path`, as every front end does: a header block (after
// three line feeds when the file already holds text, decided under the file's lock) or a
// later analysis. Returns the message for the user when the file could not be written; when it
// was written, `written` (if given) receives the text added.
std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement,
                                       std::string* written = nullptr);

}  // namespace quillet
