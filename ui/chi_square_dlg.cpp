#include "ui/chi_square_dlg.h"

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

// Both commands read their operands as the edits show them, even when one of them does not
// parse: the fields before it hold their new values, it and the later ones their old ones.
void CChiSquareDlg::OnCalcChiSquare(Window& window) {
  DoDataExchange(window, true);
  m_fChiSquare = ChiSquareCritical(m_fPValue, m_nDf);
  DoDataExchange(window, false);
}

void CChiSquareDlg::OnCalcPValue(Window& window) {
  DoDataExchange(window, true);
  m_fPValue = RoundToFloat(ChiSquarePValue(m_fChiSquare, m_nDf));
  DoDataExchange(window, false);
}

}  // namespace quillet
