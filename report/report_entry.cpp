#include "report/report_entry.h"

#include "report/report_writer.h"

namespace quillet {

std::string ReportEntryText(const AnalysisInput& input, const AnalysisResult& result,
                            const ReportPlacement& placement) {
  const bool first = placement.header.has_value();
  std::string text = first ? FormatReportHeader(*placement.header) : std::string();
  return text + FormatAnalysis(ReportAnalysisOf(input, result, placement.number), first);
}

std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement) {
  ReportWrite how;
  how.replace = placement.replace;
  how.headerBlock = placement.header.has_value();
  return WriteReport(path, ReportEntryText(input, result, placement), how);
}

}  // namespace quillet
