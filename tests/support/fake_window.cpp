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
