#include "report/report_entry.h"

#include "report/report_writer.h"

namespace quillet {

std::optional<std::string> AddItemToReport(const std::string& path, const ReportItem& item,
                                           const ReportPlacement& placement, std::string* written) {
  const std::string block = FormatReportHeader(placement.header) + item.first;
  ReportWrite how;
  how.replace = placement.replace;
  how.headerBlock = placement.first;
  if (placement.first) return WriteReport(path, block, how, written);
  how.continues = placement.after;
  how.otherwise = block;
  return WriteReport(path, item.later, how, written);
}

std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement, std::string* written) {
  const ReportAnalysis analysis = ReportAnalysisOf(input, result, placement.number);
  return AddItemToReport(path, {FormatAnalysis(analysis, true), FormatAnalysis(analysis, false)},
                         placement, written);
}

}  // namespace quillet
