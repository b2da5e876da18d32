#pragma once

#include <array>
#include <string>

#include "analysis/model.h"
#include "platform/window.h"
#include "platform/written_number.h"

namespace quillet {

// One model's row of the main window: ticked for the test of models, its ln L, its gamma and
// invariants flags, and the three texts of its comparison with the reference.
struct ModelRowFields {
  int m_bSelected = 0;
  WrittenNumber m_fLnL;
  int m_bGamma = 0;
  int m_bInvar = 0;
  std::string m_strLrt;
  std::string m_strCrit;
  std::string m_strResult;
};

// Everything the main window shows and edits. Flags are ints where exactly 1 means set; lnL
// values are double precision with the decimals they were typed or imported with, so a field
// shows and reads back exactly what was given; the significance level is kept as typed too,
// and the tests use it rounded to single precision. The report's bookkeeping and the
// secondary dialogs belong to the main window, not to the form.
struct AnalysisForm {
  int m_bGammaValid = 1;  // the last gamma test had all its values
  int m_bClockValid = 1;  // the last clock test had all its values

  int m_bTestClock = 0;
  int m_bTestModels = 0;
  double m_fPValue = 0.05;

  // The model block, row by row as a calculation's input has them (indexed by Model).
  std::array<ModelRowFields, 6> m_models{};

  int m_nTaxa = 0;
  WrittenNumber m_fLnLClock;
  WrittenNumber m_fLnLNoClock;
  std::string m_strClockResult;
  std::string m_strClockLrt;
  std::string m_strClockCrit;
  int m_bTestGamma = 0;
  std::string m_strGammaCrit;
  std::string m_strGammaLrt;
  std::string m_strGammaResult;
  WrittenNumber m_fLnLGamma;
  WrittenNumber m_fLnLNoGamma;
  int m_bSaveWork = 0;

  ModelRowFields& operator[](Model model) { return m_models[static_cast<std::size_t>(model)]; }
  const ModelRowFields& operator[](Model model) const {
    return m_models[static_cast<std::size_t>(model)];
  }

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
