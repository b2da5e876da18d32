#include "ui/save_report.h"

#include "analysis/wrapping_add.h"
#include "report/criteria_text.h"
#include "report/report_entry.h"
#include "report/time_stamp.h"
#include "ui/file_name.h"

namespace quillet {

bool WillWriteReport(const AnalysisForm& form, const ReportSession& report) {
  return form.m_bSaveWork == 1 && !report.m_dlgSave.GetPathName().empty();
}

void RestartReportNumbering(ReportSession& report) { report.m_nAnalysis = 1; }

void StartNewReportFile(ReportSession& report) {
  report.m_nAnalysis = 1;
  report.m_bNewReportFile = true;
}

namespace {

// Writes one item, numbered `report.m_nAnalysis`, to the chosen report file: opening a header
// block when it is the first of the numbering, else after this window's last text.
std::optional<std::string> WriteItem(const ReportItem& item, ReportSession& report,
                                     CommandContext& ctx) {
  report.m_strSavePath = report.m_dlgSave.GetPathName();
  ReportPlacement placement;
  placement.number = report.m_nAnalysis;
  placement.first = report.m_nAnalysis == 1;
  if (placement.first) {
    // Only the first analysis after a file was accepted in the Save As dialog empties it;
    // a restart of the numbering (Clear All) appends a new header block instead.
    placement.replace = report.m_bNewReportFile;
    report.m_strComments = report.m_dlgComments.m_strComments;
  } else {
    placement.after = report.m_strLastWritten;
  }
  placement.header = ReportHeader{FormatTimeStamp(ctx.clock.LocalNow()), report.m_strComments,
                                  report.m_szStartDir};
  std::string written;
  std::optional<std::string> problem =
      AddItemToReport(report.m_strSavePath, item, placement, &written);
  if (!problem) {
    // Until an analysis has reached the new file, the next one empties it again.
    report.m_bNewReportFile = false;
    report.m_strLastWritten = std::move(written);
  }
  return problem;
}

}  // namespace

std::optional<std::string> SaveReport(const AnalysisInput& input, const AnalysisResult& result,
                                      const ResultTexts& texts, AnalysisForm& form,
                                      ReportSession& report, CommandContext& ctx) {
  if (form.m_bSaveWork != 1) return std::nullopt;

  const std::string& chosen = report.m_dlgSave.GetPathName();
  if (chosen.empty()) {
    ctx.window.MessageBox(kNoFileNameText, kNoFileNameCaption);
    OnFileName(form, report, ctx);
    return std::nullopt;
  }
  const ReportAnalysis analysis = ReportAnalysisOf(input, result, texts, report.m_nAnalysis);
  return WriteItem(AnalysisItem(analysis), report, ctx);
}

std::optional<std::string> SaveModelSelection(const CriteriaTable& table, AnalysisForm& form,
                                              ReportSession& report, CommandContext& ctx) {
  if (report.m_dlgSave.GetPathName().empty()) {
    ctx.window.MessageBox(kNoFileNameText, kNoFileNameCaption);
    OnFileName(form, report, ctx);
    if (report.m_dlgSave.GetPathName().empty()) return kNothingAddedText;
  }
  std::optional<std::string> problem =
      WriteItem(ModelSelectionItem(table, report.m_nAnalysis), report, ctx);
  if (!problem) report.m_nAnalysis = WrappingAdd(report.m_nAnalysis, 1);
  return problem;
}

}  // namespace quillet
