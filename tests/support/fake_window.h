#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window.h"

namespace quillet::testing {

// A window that keeps control states in maps and records every message box. Controls that
// were never set read as empty text and a clear check box.
class FakeWindow : public Window {
 public:
  struct Message {
    std::string text;
    std::string caption;
    bool operator==(const Message&) const = default;
  };

  std::string GetControlText(int id) const override;
  void SetControlText(int id, const std::string& text) override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override;
  void EnableControl(int id, bool enable) override;
  void SetComboItems(int id, const std::vector<std::string>& items) override;
  int GetComboSelection(int id) const override;
  void SetComboSelection(int id, int index) override;
  void SetTable(int id, const TableContent& content) override;
  void SetClipboardText(const std::string& text) override;
  void FocusAndSelect(int id) override;
  void FocusAtEnd(int id) override;
  void MessageBox(const std::string& text, const std::string& caption = {}) override;

  bool IsEnabled(int id) const;  // controls start enabled
  // The text of the selected item of a drop-down list; empty when none is selected.
  std::string ComboText(int id) const;

  std::map<int, std::string> texts;
  std::map<int, int> checks;
  std::map<int, bool> enabled;
  std::map<int, std::vector<std::string>> comboItems;
  std::map<int, int> comboSelections;  // -1 for none, as a list reports it
  std::map<int, TableContent> tables;
  std::string clipboard;
  int focus = 0;     // id of the control that last took the focus, 0 for none
  int selected = 0;  // id of the control whose text was last selected
  std::vector<Message> messages;
  // "message:<text>", "focus:<id>", "caret:<id>", "clipboard", in order
  std::vector<std::string> events;

  // Called while a message box is up (after it was recorded), so that a test can look at
  // what the window or the form holds at that moment.
  std::function<void(const Message&)> onMessageBox;
};

}  // namespace quillet::testing
