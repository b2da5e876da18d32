#include "web/page_window.h"

namespace quillet::web {

std::string PageWindow::GetControlText(int id) const {
  const auto it = texts_.find(id);
  return it == texts_.end() ? std::string() : it->second;
}

int PageWindow::GetCheck(int id) const {
  const auto it = checks_.find(id);
  return it == checks_.end() ? 0 : it->second;
}

void PageWindow::SetComboItems(int id, const std::vector<std::string>& items) {
  combos_[id] = items;
  selections_[id] = -1;
}

int PageWindow::GetComboSelection(int id) const {
  const auto it = selections_.find(id);
  return it == selections_.end() ? -1 : it->second;
}

void PageWindow::MessageBox(const std::string& text, const std::string& caption) {
  messages_.push_back({text, caption});
}

bool PageWindow::IsEnabled(int id) const {
  const auto it = enabled_.find(id);
  return it == enabled_.end() || it->second;
}

const std::vector<std::string>& PageWindow::ComboItems(int id) const {
  static const std::vector<std::string> kNone;
  const auto it = combos_.find(id);
  return it == combos_.end() ? kNone : it->second;
}

}  // namespace quillet::web
