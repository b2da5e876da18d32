#pragma once

#include <array>
#include <string>

#include "platform/window.h"

namespace quillet {

// Everything the main window shows and edits. Flags are ints where exactly 1 means set; lnL
// values and p-values are single precision, as the user typed them rounded to float. The
// report's bookkeeping and the secondary dialogs belong to the main window, not to the form.
struct AnalysisForm {
  int m_bGammaValid = 1;  // the last gamma test had all its values
  int m_bClockValid = 1;  // the last clock test had all its values

  int m_bTestClock = 0;
  int m_bTestModels = 0;
  float m_fPValue = 0.05f;

  // Model block, each group in the declared order F81, GTR, HKY85, JC, K2P, TrN.
  int m_bF81 = 0, m_bGTR = 0, m_bHKY85 = 0, m_bJC = 0, m_bK2P = 0, m_bTrN = 0;
  float m_fLnLF81 = 0, m_fLnLGTR = 0, m_fLnLHKY85 = 0, m_fLnLJC = 0, m_fLnLK2P = 0, m_fLnLTrN = 0;
  int m_bGammaF81 = 0, m_bGammaGTR = 0, m_bGammaHKY85 = 0, m_bGammaJC = 0, m_bGammaK2P = 0,
      m_bGammaTrN = 0;
  int m_bInvarF81 = 0, m_bInvarGTR = 0, m_bInvarHKY85 = 0, m_bInvarJC = 0, m_bInvarK2P = 0,
      m_bInvarTrN = 0;

  // Model results, each group in the order F81, HKY85, JC, K2P, TrN. GTR has none.
  std::string m_strLrtF81, m_strLrtHKY85, m_strLrtJC, m_strLrtK2P, m_strLrtTrN;
  std::string m_strCritF81, m_strCritHKY85, m_strCritJC, m_strCritK2P, m_strCritTrN;
  std::string m_strResultF81, m_strResultHKY85, m_strResultJC, m_strResultK2P, m_strResultTrN;

  int m_nTaxa = 0;
  float m_fLnLClock = 0;
  float m_fLnLNoClock = 0;
  std::string m_strClockResult;
  std::string m_strClockLrt;
  std::string m_strClockCrit;
  int m_bTestGamma = 0;
  std::string m_strGammaCrit;
  std::string m_strGammaLrt;
  std::string m_strGammaResult;
  float m_fLnLGamma = 0;
  float m_fLnLNoGamma = 0;
  int m_bSaveWork = 0;

  // Copies the form to the window's controls (fromWindow false; never fails) or the
  // controls into the form (true), in the binding order. Reading stops at the first field
  // that does not parse, after its message, and returns false: earlier fields hold their new
  // values, that field and later ones keep their old ones.
  bool UpdateData(Window& window, bool fromWindow);

  // The fifteen texts the model comparison writes (LRT, critical value and verdict of F81,
  // HKY85, JC, K2P and TrN).
  std::array<std::string*, 15> ModelResultTexts();
  // Those and the clock and gamma texts: every text that only the program writes.
  std::array<std::string*, 21> ResultTexts();
};

}  // namespace quillet
