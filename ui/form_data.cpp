#include "ui/form_data.h"

#include "stats/lrt.h"

namespace quillet {

namespace {

void Put(const LrtTexts& texts, std::string& lrt, std::string& crit, std::string& result) {
  lrt = texts.lrt;
  crit = texts.crit;
  result = texts.result;
}

}  // namespace

AnalysisInput InputFromForm(const AnalysisForm& form) {
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
  for (std::size_t i = 0; i < in.models.size(); ++i) {
    const ModelRowFields& row = form.m_models[i];
    in.models[i] = {row.m_bSelected == 1, row.m_fLnL, row.m_bGamma == 1, row.m_bInvar == 1};
  }
  in.nothingChosen = form.m_bTestClock == 0 && form.m_bTestModels == 0 && form.m_bTestGamma == 0;
  return in;
}

void ApplyResult(AnalysisForm& form, const AnalysisResult& result, const ResultTexts& texts) {
  if (result.clock) {
    Put(*texts.clock, form.m_strClockLrt, form.m_strClockCrit, form.m_strClockResult);
    form.m_bClockValid = 1;
  } else if (result.clockMissing) {
    form.m_bClockValid = 0;
  }
  if (result.gamma) {
    Put(*texts.gamma, form.m_strGammaLrt, form.m_strGammaCrit, form.m_strGammaResult);
    form.m_bGammaValid = 1;
  } else if (result.gammaMissing) {
    form.m_bGammaValid = 0;
  }
  // GTR is only ever the reference, never compared.
  for (std::size_t i = 0; i < result.models.compared.size(); ++i) {
    ModelRowFields& row = form[result.models.compared[i].model];
    Put(texts.compared[i], row.m_strLrt, row.m_strCrit, row.m_strResult);
  }
}

void ShowNotices(Window& window, const std::vector<Notice>& notices) {
  for (const Notice& notice : notices) window.MessageBox(notice.text, notice.caption);
}

}  // namespace quillet
