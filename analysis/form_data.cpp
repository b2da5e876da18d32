#include "analysis/form_data.h"

#include "analysis/models.h"

namespace quillet {

namespace {

void Put(const LrtOutcome& outcome, std::string& lrt, std::string& crit, std::string& result) {
  lrt = outcome.lrtText;
  crit = outcome.critText;
  result = outcome.resultText;
}

}  // namespace

AnalysisInput InputFromForm(const AnalysisForm& form) {
  // The model rows are reached through the same table the comparison and the report use.
  AnalysisForm& f = const_cast<AnalysisForm&>(form);
  AnalysisInput in;
  in.pValue = form.m_fPValue;
  in.testClock = form.m_bTestClock == 1;
  in.taxa = form.m_nTaxa;
  in.lnLClock = form.m_fLnLClock;
  in.lnLNoClock = form.m_fLnLNoClock;
  in.testGamma = form.m_bTestGamma == 1;
  in.lnLGamma = form.m_fLnLGamma;
  in.lnLNoGamma = form.m_fLnLNoGamma;
  in.testModels = form.m_bTestModels == 1;
  for (Model model : kReportOrder) {
    const ModelFields row = FieldsOf(f, model);
    in[model] = {row.selected == 1, row.lnL, row.gamma == 1, row.invar == 1};
  }
  in.nothingChosen = form.m_bTestClock == 0 && form.m_bTestModels == 0 && form.m_bTestGamma == 0;
  return in;
}

void ApplyResult(AnalysisForm& form, const AnalysisResult& result) {
  if (result.clock) {
    Put(*result.clock, form.m_strClockLrt, form.m_strClockCrit, form.m_strClockResult);
    form.m_bClockValid = 1;
  } else if (result.clockMissing) {
    form.m_bClockValid = 0;
  }
  if (result.gamma) {
    Put(*result.gamma, form.m_strGammaLrt, form.m_strGammaCrit, form.m_strGammaResult);
    form.m_bGammaValid = 1;
  } else if (result.gammaMissing) {
    form.m_bGammaValid = 0;
  }
  for (const ModelComparison& compared : result.models.compared) {
    const ModelFields row = FieldsOf(form, compared.model);
    if (row.lrt) Put(compared.outcome, *row.lrt, *row.crit, *row.result);
  }
}

void ShowNotices(Window& window, const std::vector<Notice>& notices) {
  for (const Notice& notice : notices) window.MessageBox(notice.text, notice.caption);
}

}  // namespace quillet
