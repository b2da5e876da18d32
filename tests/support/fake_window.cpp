#include "support/fake_window.h"

namespace quillet::testing {

std::string FakeWindow::GetControlText(int id) const {
  auto it = texts.find(id);
  return it == texts.end() ? std::string() : it->second;
}

void FakeWindow::SetControlText(int id, const std::string& text) { texts[id] = text; }

int FakeWindow::GetCheck(int id) const {
  auto it = checks.find(id);
  return it == checks.end() ? 0 : it->second;
}

void FakeWindow::SetCheck(int id, int state) { checks[id] = state; }

void FakeWindow::EnableControl(int id, bool enable) { enabled[id] = enable; }

void FakeWindow::SetComboItems(int id, const std::vector<std::string>& items) {
  comboItems[id] = items;
  comboSelections[id] = -1;
}

int FakeWindow::GetComboSelection(int id) const {
  auto it = comboSelections.find(id);
  return it == comboSelections.end() ? -1 : it->second;
}

// A list takes only the index of one of its items; anything else selects nothing, as a real
// list does.
void FakeWindow::SetComboSelection(int id, int index) {
  auto items = comboItems.find(id);
  const int count = items == comboItems.end() ? 0 : static_cast<int>(items->second.size());
  comboSelections[id] = index >= 0 && index < count ? index : -1;
}

void FakeWindow::SetTable(int id, const TableContent& content) { tables[id] = content; }

void FakeWindow::SetClipboardText(const std::string& text) {
  clipboard = text;
  events.push_back("clipboard");
}

std::string FakeWindow::ComboText(int id) const {
  const int index = GetComboSelection(id);
  if (index < 0) return {};
  return comboItems.at(id)[static_cast<std::size_t>(index)];
}

bool FakeWindow::IsEnabled(int id) const {
  auto it = enabled.find(id);
  return it == enabled.end() || it->second;
}

void FakeWindow::FocusAndSelect(int id) {
  focus = id;
  selected = id;
  events.push_back("focus:" + std::to_string(id));
}

void FakeWindow::FocusAtEnd(int id) {
  focus = id;
  if (selected == id) selected = 0;
  events.push_back("caret:" + std::to_string(id));
}

void FakeWindow::MessageBox(const std::string& text, const std::string& caption) {
  messages.push_back({text, caption});
  events.push_back("message:" + text);
  if (onMessageBox) onMessageBox(messages.back());
}

}  // namespace quillet::testing
