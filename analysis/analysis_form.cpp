#include "analysis/analysis_form.h"

#include <algorithm>

#include "analysis/control_ids.h"
#include "platform/data_exchange.h"

namespace quillet {

bool AnalysisForm::UpdateData(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  using namespace ids;
  return dx.Check(kTestClock, m_bTestClock) && dx.Check(kTestModels, m_bTestModels) &&
         dx.Float(kPValue, m_fPValue) &&
         // selected flags
         dx.Check(kF81, m_bF81) && dx.Check(kGTR, m_bGTR) && dx.Check(kHKY85, m_bHKY85) &&
         dx.Check(kJC, m_bJC) && dx.Check(kK2P, m_bK2P) && dx.Check(kTrN, m_bTrN) &&
         // lnL values
         dx.Float(kLnLF81, m_fLnLF81) && dx.Float(kLnLGTR, m_fLnLGTR) &&
         dx.Float(kLnLHKY85, m_fLnLHKY85) && dx.Float(kLnLJC, m_fLnLJC) &&
         dx.Float(kLnLK2P, m_fLnLK2P) && dx.Float(kLnLTrN, m_fLnLTrN) &&
         // gamma flags
         dx.Check(kGammaF81, m_bGammaF81) && dx.Check(kGammaGTR, m_bGammaGTR) &&
         dx.Check(kGammaHKY85, m_bGammaHKY85) && dx.Check(kGammaJC, m_bGammaJC) &&
         dx.Check(kGammaK2P, m_bGammaK2P) && dx.Check(kGammaTrN, m_bGammaTrN) &&
         // invariants flags
         dx.Check(kInvarF81, m_bInvarF81) && dx.Check(kInvarGTR, m_bInvarGTR) &&
         dx.Check(kInvarHKY85, m_bInvarHKY85) && dx.Check(kInvarJC, m_bInvarJC) &&
         dx.Check(kInvarK2P, m_bInvarK2P) && dx.Check(kInvarTrN, m_bInvarTrN) &&
         // LRT texts
         dx.Text(kLrtF81, m_strLrtF81) && dx.Text(kLrtHKY85, m_strLrtHKY85) &&
         dx.Text(kLrtJC, m_strLrtJC) && dx.Text(kLrtK2P, m_strLrtK2P) &&
         dx.Text(kLrtTrN, m_strLrtTrN) &&
         // critical value texts
         dx.Text(kCritF81, m_strCritF81) && dx.Text(kCritHKY85, m_strCritHKY85) &&
         dx.Text(kCritJC, m_strCritJC) && dx.Text(kCritK2P, m_strCritK2P) &&
         dx.Text(kCritTrN, m_strCritTrN) &&
         // result texts
         dx.Text(kResultF81, m_strResultF81) && dx.Text(kResultHKY85, m_strResultHKY85) &&
         dx.Text(kResultJC, m_strResultJC) && dx.Text(kResultK2P, m_strResultK2P) &&
         dx.Text(kResultTrN, m_strResultTrN) &&
         // clock test, gamma test, saving
         dx.Int(kTaxa, m_nTaxa) && dx.Float(kLnLClock, m_fLnLClock) &&
         dx.Float(kLnLNoClock, m_fLnLNoClock) && dx.Text(kClockResult, m_strClockResult) &&
         dx.Text(kClockLrt, m_strClockLrt) && dx.Text(kClockCrit, m_strClockCrit) &&
         dx.Check(kTestGamma, m_bTestGamma) && dx.Text(kGammaCrit, m_strGammaCrit) &&
         dx.Text(kGammaLrt, m_strGammaLrt) && dx.Text(kGammaResult, m_strGammaResult) &&
         dx.Float(kLnLGamma, m_fLnLGamma) && dx.Float(kLnLNoGamma, m_fLnLNoGamma) &&
         dx.Check(kSaveWork, m_bSaveWork);
}

std::array<std::string*, 15> AnalysisForm::ModelResultTexts() {
  return {&m_strLrtF81,    &m_strLrtHKY85,    &m_strLrtJC,    &m_strLrtK2P,    &m_strLrtTrN,
          &m_strCritF81,   &m_strCritHKY85,   &m_strCritJC,   &m_strCritK2P,   &m_strCritTrN,
          &m_strResultF81, &m_strResultHKY85, &m_strResultJC, &m_strResultK2P, &m_strResultTrN};
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
