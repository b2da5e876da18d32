#include "platform/dialog.h"

namespace quillet {

bool Dialog::DoDataExchange(Window&, bool) { return true; }

void Dialog::OnInitDialog(Window& window) { DoDataExchange(window, false); }

std::optional<int> Dialog::OnCommand(Window& window, int controlId) {
  if (controlId == kIdOk) return OnOK(window);
  if (controlId == kIdCancel) return OnCancel(window);
  return std::nullopt;
}

std::optional<int> Dialog::OnOK(Window& window) {
  if (!DoDataExchange(window, true)) return std::nullopt;
  return kIdOk;
}

std::optional<int> Dialog::OnCancel(Window&) { return kIdCancel; }

std::optional<int> Dialog::OnEscapeKey(Window& window) { return OnCancel(window); }

bool Dialog::OnHelpKey(Window&, int) { return false; }

std::span<const MenuEntry> Dialog::MenuEntries() const { return {}; }

bool Dialog::OnSysCommand(Window&, int) { return false; }

bool Dialog::TakesDroppedFiles() const { return false; }

void Dialog::OnDropFiles(Window&, const std::vector<std::string>&) {}

}  // namespace quillet
