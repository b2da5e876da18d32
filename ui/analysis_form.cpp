#include "ui/analysis_form.h"

#include <algorithm>

#include "platform/data_exchange.h"
#include "ui/control_ids.h"
#include "ui/model_rows.h"

namespace quillet {

bool AnalysisForm::UpdateData(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  using namespace ids;
  // Each group of the model block goes row by row before the next group starts.
  auto everyRow = [this](auto exchange) {
    return std::all_of(kModelRows.begin(), kModelRows.end(),
                       [&](const ModelRowControls& c) { return exchange(c, (*this)[c.model]); });
  };
  // GTR has no result texts of its own.
  auto everyTextRow = [&](auto exchange) {
    return everyRow([&](const ModelRowControls& c, ModelRowFields& row) {
      return c.lrt == kNoId || exchange(c, row);
    });
  };
  return dx.Check(kTestClock, m_bTestClock) && dx.Check(kTestModels, m_bTestModels) &&
         dx.Float(kPValue, m_fPValue) &&
         everyRow([&](auto& c, auto& row) { return dx.Check(c.selected, row.m_bSelected); }) &&
         everyRow([&](auto& c, auto& row) { return dx.Number(c.lnL, row.m_fLnL); }) &&
         everyRow([&](auto& c, auto& row) { return dx.Check(c.gamma, row.m_bGamma); }) &&
         everyRow([&](auto& c, auto& row) { return dx.Check(c.invar, row.m_bInvar); }) &&
         everyTextRow([&](auto& c, auto& row) { return dx.Text(c.lrt, row.m_strLrt); }) &&
         everyTextRow([&](auto& c, auto& row) { return dx.Text(c.crit, row.m_strCrit); }) &&
         everyTextRow([&](auto& c, auto& row) { return dx.Text(c.result, row.m_strResult); }) &&
         // clock test, gamma test, saving
         dx.Int(kTaxa, m_nTaxa) && dx.Number(kLnLClock, m_fLnLClock) &&
         dx.Number(kLnLNoClock, m_fLnLNoClock) && dx.Text(kClockResult, m_strClockResult) &&
         dx.Text(kClockLrt, m_strClockLrt) && dx.Text(kClockCrit, m_strClockCrit) &&
         dx.Check(kTestGamma, m_bTestGamma) && dx.Text(kGammaCrit, m_strGammaCrit) &&
         dx.Text(kGammaLrt, m_strGammaLrt) && dx.Text(kGammaResult, m_strGammaResult) &&
         dx.Number(kLnLGamma, m_fLnLGamma) && dx.Number(kLnLNoGamma, m_fLnLNoGamma) &&
         dx.Check(kSaveWork, m_bSaveWork);
}

std::array<std::string*, 15> AnalysisForm::ModelResultTexts() {
  std::array<std::string*, 15> texts{};
  std::size_t i = 0;
  for (const ModelRowControls& c : kModelRows) {
    if (c.lrt == kNoId) continue;
    ModelRowFields& row = (*this)[c.model];
    texts[i++] = &row.m_strLrt;
    texts[i++] = &row.m_strCrit;
    texts[i++] = &row.m_strResult;
  }
  return texts;
}

std::array<std::string*, 21> AnalysisForm::ResultTexts() {
  const std::array<std::string*, 15> models = ModelResultTexts();
  std::array<std::string*, 21> all{};
  std::copy(models.begin(), models.end(), all.begin());
  const std::array<std::string*, 6> tests = {&m_strClockResult, &m_strClockLrt, &m_strClockCrit,
                                             &m_strGammaCrit,   &m_strGammaLrt, &m_strGammaResult};
  std::copy(tests.begin(), tests.end(), all.begin() + 15);
  return all;
}

}  // namespace quillet
