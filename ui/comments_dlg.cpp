#include "ui/comments_dlg.h"

#include "platform/data_exchange.h"

namespace quillet {

bool CCommentsDlg::DoDataExchange(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  return dx.Text(kIdComments, m_strComments);
}

// The OK button carries its own id, 1072, not the standard OK id.
std::optional<int> CCommentsDlg::OnCommand(Window& window, int controlId) {
  if (controlId == kIdOkButton) return OnOK(window);
  return Dialog::OnCommand(window, controlId);
}

}  // namespace quillet
