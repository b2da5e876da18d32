#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace quillet {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// An entry a dialog adds to its window's system menu or, where the platform offers programs no
// system menu of their own, to a context menu of the window's background.
struct MenuEntry {
  int commandId;              // what OnSysCommand receives when the entry is chosen
  std::string_view text;      // UTF-8; "&" marks the mnemonic
  std::string_view shortcut;  // keys that choose it in the window too ("Ctrl+O"); empty for none
};

// A modal dialog in the framework's manner: an object with plain data members that exists
// without a window. While it runs, a host builds its window from the template TemplateId()
// and calls the handlers below with that window.
class Dialog {
 public:
  virtual ~Dialog() = default;

  virtual int TemplateId() const = 0;

  // Copies members to controls (fromWindow false) or controls to members (true). From the
  // window it stops at the first field that does not parse and returns false.
  virtual bool DoDataExchange(Window& window, bool fromWindow);

  // Runs once, after the window is built and before it is shown. A dialog that moves the
  // keyboard focus here keeps it there; otherwise it starts on the first tab stop.
  virtual void OnInitDialog(Window& window);

  // A command of a control (a button click, Enter on the default button). Returns the code
  // the dialog ends with when the command ends it.
  virtual std::optional<int> OnCommand(Window& window, int controlId);

  // OK copies the controls into the members and ends with kIdOk, but only if that copy
  // succeeded; Cancel (the close box, Alt+F4) ends with kIdCancel without reading anything.
  virtual std::optional<int> OnOK(Window& window);
  virtual std::optional<int> OnCancel(Window& window);

  // The Escape key. A small dialog treats it as Cancel; a window that holds much typed work
  // can refuse it, so that a stray key press loses nothing, and still close by its close box.
  virtual std::optional<int> OnEscapeKey(Window& window);

  // The hooks below do nothing unless a dialog asks for them.

  // F1 pressed in `window`, built from the template `templateId`: the dialog's own window or
  // one opened over it whose dialog left the key alone. Returns true when the dialog answered;
  // otherwise the dialog of the window below is asked in turn. `window` owns any message.
  virtual bool OnHelpKey(Window& window, int templateId);

  // The entries of the window's menu, in their order.
  virtual std::span<const MenuEntry> MenuEntries() const;
  // A command of the system menu or its stand-in: one of the entries above, or one of the
  // platform's own. Returns false when it is not one of the dialog's, so the platform handles it.
  virtual bool OnSysCommand(Window& window, int commandId);

  // Whether the window takes files dropped on it while no other window is open over it.
  virtual bool TakesDroppedFiles() const;
  // Files dropped on the window, as full paths in UTF-8.
  virtual void OnDropFiles(Window& window, const std::vector<std::string>& paths);
};

}  // namespace quillet
