#include "ui/save_report.h"

#include "analysis/analyze.h"
#include "analysis/form_data.h"
#include "analysis/models.h"
#include "report/report_text.h"
#include "report/report_writer.h"
#include "report/time_stamp.h"
#include "ui/file_name.h"

namespace quillet {

namespace {

ReportTexts TextsOf(const std::string& lrt, const std::string& crit, const std::string& result) {
  return {lrt, crit, result};
}

// The analysis as the form holds it after a calculation: a clock or gamma section when that
// test was ticked and had its values, the model section when the test of models was ticked,
// with the reference and the models taking part after it.
ReportAnalysis ReportAnalysisOfForm(AnalysisForm& f, int number) {
  ReportAnalysis a;
  a.number = number;
  a.pValue = f.m_fPValue;
  if (f.m_bTestClock == 1 && f.m_bClockValid == 1) {
    a.clock = ReportClockSection{f.m_nTaxa, f.m_fLnLNoClock, f.m_fLnLClock,
                                 TextsOf(f.m_strClockLrt, f.m_strClockCrit, f.m_strClockResult)};
  }
  if (f.m_bTestGamma == 1 && f.m_bGammaValid == 1) {
    a.gamma = ReportGammaSection{f.m_fLnLGamma, f.m_fLnLNoGamma,
                                 TextsOf(f.m_strGammaLrt, f.m_strGammaCrit, f.m_strGammaResult)};
  }
  if (f.m_bTestModels == 1) {
    std::vector<ReportModelRow>& rows = a.models.emplace();
    const AnalysisInput input = InputFromForm(f);
    const std::optional<Model> reference = ChooseReference(input);
    bool afterReference = false;
    for (Model model : kReportOrder) {
      const ModelFields row = FieldsOf(f, model);
      if (model == reference) {
        rows.push_back({model, row.lnL, row.gamma == 1, row.invar == 1, std::nullopt});
        afterReference = true;
      } else if (afterReference && TakesPart(input, model)) {
        rows.push_back({model, row.lnL, row.gamma == 1, row.invar == 1,
                        TextsOf(*row.lrt, *row.crit, *row.result)});
      }
    }
  }
  return a;
}

}  // namespace

bool WillWriteReport(const AnalysisForm& form, const ReportSession& report) {
  return form.m_bSaveWork == 1 && !report.m_dlgSave.GetPathName().empty();
}

void RestartReportNumbering(ReportSession& report) { report.m_nAnalysis = 1; }

void StartNewReportFile(ReportSession& report) {
  report.m_nAnalysis = 1;
  report.m_bNewReportFile = true;
}

std::optional<std::string> SaveReport(AnalysisForm& form, ReportSession& report,
                                      CommandContext& ctx) {
  if (form.m_bSaveWork != 1) return std::nullopt;

  const std::string& chosen = report.m_dlgSave.GetPathName();
  if (chosen.empty()) {
    ctx.window.MessageBox(kNoFileNameText, kNoFileNameCaption);
    OnFileName(form, report, ctx);
    return std::nullopt;
  }
  report.m_strSavePath = chosen;
  const bool first = report.m_nAnalysis == 1;

  std::string text;
  ReportWrite how;
  if (first) {
    // Only the first analysis after a file was accepted in the Save As dialog empties it;
    // a restart of the numbering (Clear All) appends a new header block instead.
    how.replace = report.m_bNewReportFile;
    how.headerBlock = true;
    report.m_strComments = report.m_dlgComments.m_strComments;
    text = FormatReportHeader(
        {FormatTimeStamp(ctx.clock.LocalNow()), report.m_strComments, report.m_szStartDir});
  }
  text += FormatAnalysis(ReportAnalysisOfForm(form, report.m_nAnalysis), first);
  std::optional<std::string> problem = WriteReport(report.m_strSavePath, text, how);
  // Until an analysis has reached the new file, the next one empties it again.
  if (!problem) report.m_bNewReportFile = false;
  return problem;
}

}  // namespace quillet
