#include "ui/calculate.h"

#include <optional>
#include <string>

#include "analysis/analyze.h"
#include "analysis/form_data.h"
#include "analysis/wrapping_add.h"
#include "ui/save_report.h"

namespace quillet {

void ClearModelResults(AnalysisForm& f, Window& window) {
  for (std::string* text : f.ModelResultTexts()) text->clear();
  f.UpdateData(window, false);
}

void OnCalculate(AnalysisForm& form, ReportSession& report, CommandContext& ctx) {
  Window& window = ctx.window;

  // A field that does not parse has shown its message; the command goes on with what the
  // exchange left, and the next step shows those values back in the window.
  form.UpdateData(window, true);
  ClearModelResults(form, window);

  const AnalysisResult result = Analyze(InputFromForm(form));
  ShowNotices(window, result.notices);
  ApplyResult(form, result);

  // Decided before the writer runs: a file chosen by the save setup it may open is not
  // written to this time, and its numbering starts at 1.
  const bool written = WillWriteReport(form, report);
  std::optional<std::string> reportProblem = SaveReport(form, report, ctx);
  if (written) report.m_nAnalysis = WrappingAdd(report.m_nAnalysis, 1);

  form.UpdateData(window, false);

  // A report that could not be written is told only after the results are on screen.
  if (reportProblem) window.MessageBox(*reportProblem, kReportNotWrittenCaption);
}

}  // namespace quillet
