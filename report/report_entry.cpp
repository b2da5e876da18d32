#include "report/report_entry.h"

#include "report/report_writer.h"

namespace quillet {

std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement) {
  const bool first = placement.header.has_value();
  std::string text = first ? FormatReportHeader(*placement.header) : std::string();
  text += FormatAnalysis(ReportAnalysisOf(input, result, placement.number), first);
  ReportWrite how;
  how.replace = placement.replace;
  how.headerBlock = first;
  return WriteReport(path, text, how);
}

}  // namespace quillet
