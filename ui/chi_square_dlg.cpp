#include "ui/chi_square_dlg.h"

#include <limits>

#include "platform/data_exchange.h"
#include "platform/float_round.h"
#include "stats/chi_square.h"

namespace quillet {

bool CChiSquareDlg::DoDataExchange(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  return dx.Float(kIdChiSquare, m_fChiSquare) && dx.Int(kIdDf, m_nDf) &&
         dx.Float(kIdPValue, m_fPValue);
}

std::optional<int> CChiSquareDlg::OnCommand(Window& window, int controlId) {
  switch (controlId) {
    case kIdCalcChiSquare:
      OnCalcChiSquare(window);
      return std::nullopt;
    case kIdCalcPValue:
      OnCalcPValue(window);
      return std::nullopt;
    default:
      return Dialog::OnCommand(window, controlId);
  }
}

// Both commands read their operands as the edits show them. A field that does not parse, or
// an operand for which the distribution has no meaning, stops the command with the cursor in
// that field: nothing is computed and nothing the user typed is overwritten.
void CChiSquareDlg::OnCalcChiSquare(Window& window) {
  if (!DoDataExchange(window, true)) return;
  if (!CheckDf(window)) return;
  if (!(m_fPValue > 0.0f && m_fPValue <= 1.0f)) {
    ShowFieldProblem(window, kIdPValue, kCalculatorPValueRangeText);
    return;
  }
  m_fChiSquare = ChiSquareCritical(m_fPValue, m_nDf);
  DoDataExchange(window, false);
}

void CChiSquareDlg::OnCalcPValue(Window& window) {
  if (!DoDataExchange(window, true)) return;
  if (!CheckDf(window)) return;
  // An infinity (a typed value beyond the float range) is no chi-square value either.
  if (!(m_fChiSquare >= 0.0f && m_fChiSquare <= std::numeric_limits<float>::max())) {
    ShowFieldProblem(window, kIdChiSquare, kCalculatorChiSquareRangeText);
    return;
  }
  m_fPValue = RoundToFloat(ChiSquarePValue(m_fChiSquare, m_nDf));
  DoDataExchange(window, false);
}

bool CChiSquareDlg::CheckDf(Window& window) {
  if (m_nDf >= 1) return true;
  ShowFieldProblem(window, kIdDf, kCalculatorDfRangeText);
  return false;
}

}  // namespace quillet
