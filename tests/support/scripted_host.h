#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/modal_host.h"
#include "support/fake_window.h"

namespace quillet::testing {

// A modal host whose user is a script. Each DoModal takes the next step from `dialogSteps`:
// the dialog is initialised on a fresh FakeWindow, the step plays the user (types into the
// window, presses buttons through Press) and returns the end code. Each RunSaveAs takes the
// next answer from `saveAsAnswers` (nothing = Cancel). Running out of script fails the test
// and cancels.
class ScriptedHost : public ModalHost {
 public:
  using Step = std::function<int(Dialog& dialog, FakeWindow& window)>;

  int DoModal(Dialog& dialog) override;
  std::optional<std::string> RunSaveAs(const SaveAsSettings& settings,
                                       const std::string& lastPath) override;

  // Presses a control in a running dialog until one press ends it; returns the end code,
  // or nothing when the dialog stays open.
  static std::optional<int> Press(Dialog& dialog, FakeWindow& window, int controlId);

  std::deque<Step> dialogSteps;
  std::deque<std::optional<std::string>> saveAsAnswers;

  // What was asked of the host, in order: "dialog:<template id>", "saveas:<last path>".
  std::vector<std::string> events;
  std::vector<SaveAsSettings> saveAsSettingsSeen;
};

// Common steps.
ScriptedHost::Step PressOk(int okId = kIdOk);
ScriptedHost::Step Cancel();
ScriptedHost::Step TypeAndPress(int editId, std::string text, int buttonId);

}  // namespace quillet::testing
