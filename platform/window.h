#pragma once

#include <string>
#include <vector>

#include "platform/table_content.h"

namespace quillet {

// The few things the logic needs from a window: its controls by numeric id and modal
// message boxes owned by it. The Qt layer implements this over widgets; tests use a fake.
class Window {
 public:
  virtual ~Window() = default;

  // Whole text of an edit box or static text.
  virtual std::string GetControlText(int id) const = 0;
  virtual void SetControlText(int id, const std::string& text) = 0;

  // Check state of a check box: 0 clear, 1 ticked.
  virtual int GetCheck(int id) const = 0;
  virtual void SetCheck(int id, int state) = 0;

  virtual void EnableControl(int id, bool enable) = 0;

  // A drop-down list: its items replace any it had, and none is selected until one is set.
  virtual void SetComboItems(int id, const std::vector<std::string>& items) = 0;
  // The index of the selected item, -1 for none.
  virtual int GetComboSelection(int id) const = 0;
  virtual void SetComboSelection(int id, int index) = 0;

  // A read-only table: its columns and rows replace what it showed. The user may sort it by any
  // column (see SortedRows); a table that was sorted stays sorted by that column.
  virtual void SetTable(int id, const TableContent& content) = 0;

  // Puts text on the clipboard, for pasting into other programs.
  virtual void SetClipboardText(const std::string& text) = 0;

  // Moves the keyboard focus to a control and selects all of its text.
  virtual void FocusAndSelect(int id) = 0;

  // Moves the keyboard focus to a control with the caret after its last character and nothing
  // selected, so that typing adds to the text instead of replacing it.
  virtual void FocusAtEnd(int id) = 0;

  // Modal box with a single OK button and no icon; returns when the user dismissed it.
  // An empty caption shows the program's name, "Quillet".
  virtual void MessageBox(const std::string& text, const std::string& caption = {}) = 0;
};

}  // namespace quillet
