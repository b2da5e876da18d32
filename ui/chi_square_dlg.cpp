#include "ui/chi_square_dlg.h"

#include <limits>
#include <string>

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

namespace {

// The smallest p-value the field holds. Down to here a float keeps more than six significant
// digits (its spacing, 2^-149 below 2^-126, is 1.4e-7 of it); a value shown with six digits is
// at least "1e-038" and reads back to at least this.
constexpr float kSmallestP = 1e-38f;

// Whether the text of a field that parsed is a number above 0, however small: no minus sign
// and a digit other than 0 before any exponent. 1e-400, which no double holds, is one.
bool WrittenAboveZero(const std::string& text) {
  for (char c : text) {
    if (c == '-' || c == 'e' || c == 'E') return false;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

}  // namespace

// Both commands read their operands as the edits show them. A field that does not parse, or
// an operand for which the distribution has no meaning or that single precision cannot hold,
// stops the command with the cursor in that field: nothing is computed and nothing the user
// typed is overwritten.
void CChiSquareDlg::OnCalcChiSquare(Window& window) {
  if (!DoDataExchange(window, true)) return;
  if (!CheckDf(window)) return;
  if (m_fPValue < kSmallestP && WrittenAboveZero(window.GetControlText(kIdPValue))) {
    ShowFieldProblem(window, kIdPValue, kCalculatorPValueTooSmallText);
    return;
  }
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
  // A typed value beyond the float range is stored as an infinity.
  if (m_fChiSquare > std::numeric_limits<float>::max()) {
    ShowFieldProblem(window, kIdChiSquare, kCalculatorChiSquareTooLargeText);
    return;
  }
  if (!(m_fChiSquare >= 0.0f)) {
    ShowFieldProblem(window, kIdChiSquare, kCalculatorChiSquareRangeText);
    return;
  }
  m_fPValue = RoundToFloat(ChiSquarePValue(m_fChiSquare, m_nDf));
  // A smaller p-value would show as 0 or with digits single precision does not have: it is
  // shown as 0, and the user is told.
  const bool belowRange = m_fPValue < kSmallestP;
  if (belowRange) m_fPValue = 0.0f;
  DoDataExchange(window, false);
  if (belowRange) ShowFieldProblem(window, kIdPValue, kCalculatorPValueBelowRangeText);
}

bool CChiSquareDlg::CheckDf(Window& window) {
  if (m_nDf >= 1) return true;
  ShowFieldProblem(window, kIdDf, kCalculatorDfRangeText);
  return false;
}

}  // namespace quillet
