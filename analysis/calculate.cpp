#include "analysis/calculate.h"

#include <optional>
#include <string>

#include "analysis/compare_models.h"
#include "analysis/wrapping_add.h"
#include "report/save_report.h"
#include "stats/lrt.h"

namespace quillet {

namespace {

// A float input counts as missing when it is zero; a value that is not a number compares
// unequal to everything and counts as missing as well.
bool IsMissing(float value) { return !(value < 0.0f || value > 0.0f); }

}  // namespace

void ClearModelResults(AnalysisForm& f, Window& window) {
  for (std::string* text : f.ModelResultTexts()) text->clear();
  f.UpdateData(window, false);
}

void RunClockTest(AnalysisForm& f, Window& window) {
  if (f.m_bTestClock != 1) return;
  if (IsMissing(f.m_fLnLClock) || IsMissing(f.m_fLnLNoClock) || f.m_nTaxa == 0) {
    window.MessageBox(kClockMissingText, kSomethingIsZeroCaption);
    f.m_bClockValid = 0;
    return;
  }
  EvaluateLrt(f.m_fLnLNoClock, f.m_fLnLClock, f.m_strClockLrt, f.m_strClockCrit, f.m_strClockResult,
              WrappingAdd(f.m_nTaxa, -2), f.m_fPValue);
  f.m_bClockValid = 1;
}

void RunGammaTest(AnalysisForm& f, Window& window) {
  if (f.m_bTestGamma != 1) return;
  if (IsMissing(f.m_fLnLGamma) || IsMissing(f.m_fLnLNoGamma)) {
    window.MessageBox(kGammaMissingText, kSomethingIsZeroCaption);
    f.m_bGammaValid = 0;
    return;
  }
  EvaluateLrt(f.m_fLnLNoGamma, f.m_fLnLGamma, f.m_strGammaLrt, f.m_strGammaCrit, f.m_strGammaResult,
              1, f.m_fPValue);
  f.m_bGammaValid = 1;
}

void OnCalculate(AnalysisForm& form, CommandContext& ctx) {
  Window& window = ctx.window;

  // A field that does not parse has shown its message; the command goes on with what the
  // exchange left, and the next step shows those values back in the window.
  form.UpdateData(window, true);
  ClearModelResults(form, window);

  if (form.m_bTestClock == 0 && form.m_bTestModels == 0 && form.m_bTestGamma == 0) {
    window.MessageBox(kNothingChosenText);
  }
  RunClockTest(form, window);
  RunGammaTest(form, window);
  if (form.m_bTestModels == 1) CompareModels(form, window);

  // Decided before the writer runs: a file chosen by the save setup it may open is not
  // written to this time, and its numbering starts at 1.
  const bool written = WillWriteReport(form);
  std::optional<std::string> reportProblem = SaveReport(form, ctx);
  if (written) form.m_nAnalysis = WrappingAdd(form.m_nAnalysis, 1);

  form.UpdateData(window, false);

  // A report that could not be written is told only after the results are on screen.
  if (reportProblem) window.MessageBox(*reportProblem, kReportNotWrittenCaption);
}

}  // namespace quillet
