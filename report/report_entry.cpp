#include "report/report_entry.h"

#include "report/report_writer.h"

namespace quillet {

std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement, std::string* written) {
  const ReportAnalysis analysis = ReportAnalysisOf(input, result, placement.number);
  const std::string block = FormatReportHeader(placement.header) + FormatAnalysis(analysis, true);
  ReportWrite how;
  how.replace = placement.replace;
  how.headerBlock = placement.first;
  std::string text = block;
  if (!placement.first) {
    text = FormatAnalysis(analysis, false);
    how.continues = placement.after;
    how.otherwise = block;
  }
  return WriteReport(path, text, how, written);
}

}  // namespace quillet
