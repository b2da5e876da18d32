#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/window.h"

namespace quillet::web {

// The window the page's values pass through on their way into the window's own classes (the
// form and its exchange, the import dialog): it holds what the page sent, records what the
// classes write and the messages they show, and remembers where they put the focus.
class PageWindow final : public Window {
 public:
  std::string GetControlText(int id) const override;
  void SetControlText(int id, const std::string& text) override { texts_[id] = text; }
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override { checks_[id] = state; }
  void EnableControl(int id, bool enable) override { enabled_[id] = enable; }
  void SetComboItems(int id, const std::vector<std::string>& items) override;
  int GetComboSelection(int id) const override;
  void SetComboSelection(int id, int index) override { selections_[id] = index; }
  void SetTable(int id, const TableContent& content) override { tables_[id] = content; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  void FocusAndSelect(int id) override { focus_ = id; }
  void FocusAtEnd(int id) override { focus_ = id; }
  void MessageBox(const std::string& text, const std::string& caption) override;

  bool IsEnabled(int id) const;
  const std::vector<std::string>& ComboItems(int id) const;

  struct Message {
    std::string text;
    std::string caption;
  };
  const std::vector<Message>& messages() const { return messages_; }
  int focus() const { return focus_; }  // 0 when nothing took it

 private:
  std::map<int, std::string> texts_;
  std::map<int, int> checks_;
  std::map<int, bool> enabled_;
  std::map<int, std::vector<std::string>> combos_;
  std::map<int, int> selections_;
  std::map<int, TableContent> tables_;
  std::string clipboard_;
  std::vector<Message> messages_;
  int focus_ = 0;
};

}  // namespace quillet::web
