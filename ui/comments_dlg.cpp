#include "ui/comments_dlg.h"

#include "platform/data_exchange.h"

namespace quillet {

bool CCommentsDlg::DoDataExchange(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  return dx.Text(kIdComments, m_strComments);
}

// The dialog opens for typing: in the text box, after the comment accepted last, so that a
// first key press neither presses Cancel (the first tab stop) nor replaces the old text.
void CCommentsDlg::OnInitDialog(Window& window) {
  Dialog::OnInitDialog(window);
  window.FocusAtEnd(kIdComments);
}

// The OK button carries its own id, 1072, not the standard OK id.
std::optional<int> CCommentsDlg::OnCommand(Window& window, int controlId) {
  if (controlId == kIdOkButton) return OnOK(window);
  return Dialog::OnCommand(window, controlId);
}

}  // namespace quillet
