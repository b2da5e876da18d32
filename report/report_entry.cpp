#include "report/report_entry.h"

#include "report/report_writer.h"

namespace quillet {

ReportItem AnalysisItem(const ReportAnalysis& analysis) {
  return {[&analysis](bool first) { return FormatAnalysis(analysis, first); }};
}

std::optional<std::string> AddItemToReport(const std::string& path, const ReportItem& item,
                                           const ReportPlacement& placement, std::string* written) {
  auto block = [&] { return FormatReportHeader(placement.header) + item.text(true); };
  ReportWrite how;
  how.replace = placement.replace;
  how.headerBlock = placement.first;
  if (placement.first) return WriteReport(path, block(), how, written);
  how.continues = placement.after;
  how.otherwise = block;
  return WriteReport(path, item.text(false), how, written);
}

std::optional<std::string> AddToReport(const std::string& path, const AnalysisInput& input,
                                       const AnalysisResult& result,
                                       const ReportPlacement& placement, std::string* written) {
  const ReportAnalysis analysis = ReportAnalysisOf(input, result, placement.number);
  return AddItemToReport(path, AnalysisItem(analysis), placement, written);
}

}  // namespace quillet
