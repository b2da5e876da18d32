#include "ui/calculate.h"

#include <optional>
#include <string>

#include "analysis/analyze.h"
#include "analysis/wrapping_add.h"
#include "platform/data_exchange.h"
#include "ui/control_ids.h"
#include "ui/form_data.h"
#include "ui/model_rows.h"
#include "ui/save_report.h"

namespace quillet {

int ControlOf(const Refusal& refusal) {
  switch (refusal.field) {
    case InputField::kPValue:
      return ids::kPValue;
    case InputField::kTaxa:
      return ids::kTaxa;
    case InputField::kLnLClock:
      return ids::kLnLClock;
    case InputField::kLnLNoClock:
      return ids::kLnLNoClock;
    case InputField::kLnLGamma:
      return ids::kLnLGamma;
    case InputField::kLnLNoGamma:
      return ids::kLnLNoGamma;
    case InputField::kModelLnL:
      break;
  }
  for (const ModelRowControls& row : kModelRows) {
    if (row.model == refusal.model) return row.lnL;
  }
  return ids::kPValue;
}

void ClearModelResults(AnalysisForm& f, Window& window) {
  for (std::string* text : f.ModelResultTexts()) text->clear();
  f.UpdateData(window, false);
}

// The form goes in once and the answer comes back once: everything shown and written after
// that is made from the calculation's input and result.
void OnCalculate(AnalysisForm& form, ReportSession& report, CommandContext& ctx) {
  Window& window = ctx.window;

  // A field that does not parse has shown its message and holds the cursor; the command stops
  // there, so nothing is computed from values the user did not type and nothing they typed is
  // overwritten.
  if (!form.UpdateData(window, true)) return;
  const AnalysisInput input = InputFromForm(form);
  const AnalysisResult result = Analyze(input);
  if (result.refusal) {
    ShowFieldProblem(window, ControlOf(*result.refusal), result.refusal->message);
    return;
  }
  ClearModelResults(form, window);
  ShowNotices(window, result.notices);
  const ResultTexts texts = TextsOf(result);  // for the fields and the report alike
  ApplyResult(form, result, texts);

  // A calculation that ran no test leaves the report alone. One that did is written when
  // saving is on and a file was chosen before the writer ran (a file chosen by the save setup
  // it may open is not written to this time, and its numbering starts at 1). The number rises
  // only when the analysis reached the file, so a file gets its header with the first analysis
  // actually written to it.
  std::optional<std::string> reportProblem;
  if (result.AnyTestRan()) {
    const bool writes = WillWriteReport(form, report);
    reportProblem = SaveReport(input, result, texts, form, report, ctx);
    if (writes && !reportProblem) report.m_nAnalysis = WrappingAdd(report.m_nAnalysis, 1);
  }

  form.UpdateData(window, false);

  // A report that could not be written is told only after the results are on screen.
  if (reportProblem) window.MessageBox(*reportProblem, kReportNotWrittenCaption);
}

}  // namespace quillet
