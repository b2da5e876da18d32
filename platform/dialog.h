#pragma once

#include <optional>

#include "platform/window.h"

namespace quillet {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

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
};

}  // namespace quillet
