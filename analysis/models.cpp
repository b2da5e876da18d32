#include "analysis/models.h"

namespace quillet {

ModelFields FieldsOf(AnalysisForm& f, Model model) {
  switch (model) {
    case Model::JC:
      return {f.m_bJC,       f.m_fLnLJC,     f.m_bGammaJC,    f.m_bInvarJC,
              &f.m_strLrtJC, &f.m_strCritJC, &f.m_strResultJC};
    case Model::K2P:
      return {f.m_bK2P,       f.m_fLnLK2P,     f.m_bGammaK2P,    f.m_bInvarK2P,
              &f.m_strLrtK2P, &f.m_strCritK2P, &f.m_strResultK2P};
    case Model::F81:
      return {f.m_bF81,       f.m_fLnLF81,     f.m_bGammaF81,    f.m_bInvarF81,
              &f.m_strLrtF81, &f.m_strCritF81, &f.m_strResultF81};
    case Model::HKY85:
      return {f.m_bHKY85,       f.m_fLnLHKY85,     f.m_bGammaHKY85,    f.m_bInvarHKY85,
              &f.m_strLrtHKY85, &f.m_strCritHKY85, &f.m_strResultHKY85};
    case Model::TrN:
      return {f.m_bTrN,       f.m_fLnLTrN,     f.m_bGammaTrN,    f.m_bInvarTrN,
              &f.m_strLrtTrN, &f.m_strCritTrN, &f.m_strResultTrN};
    case Model::GTR:
      break;
  }
  return {f.m_bGTR, f.m_fLnLGTR, f.m_bGammaGTR, f.m_bInvarGTR, nullptr, nullptr, nullptr};
}

}  // namespace quillet
