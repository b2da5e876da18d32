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
// next answer from `saveAsAnswers` (nothing = Cancel). Running out of script is reported
// through ReportUnexpected, and the dialog is cancelled.
class ScriptedHost : public ModalHost {
 public:
  using Step = std::function<int(Dialog& dialog, FakeWindow& window)>;

  int DoModal(Dialog& dialog) override;
  std::optional<std::string> RunSaveAs(const SaveAsSettings& settings,
                                       const std::string& lastPath) override;

  // Takes the next answer from `openFilesAnswers` (no paths = Cancel).
  std::vector<std::string> RunOpenFiles(const std::string& caption,
                                        const std::string& folder) override;

  // Takes the next answer from `askAnswers` (nothing = the box closed without an answer).
  std::optional<int> Ask(const std::string& text, const std::string& caption,
                         std::span<const std::string> buttons) override;

  // Presses a control in a running dialog until one press ends it; returns the end code,
  // or nothing when the dialog stays open.
  static std::optional<int> Press(Dialog& dialog, FakeWindow& window, int controlId);

  std::deque<Step> dialogSteps;
  std::deque<std::optional<std::string>> saveAsAnswers;
  std::deque<std::optional<int>> askAnswers;
  std::deque<std::vector<std::string>> openFilesAnswers;

  // What was asked of the host, in order: "dialog:<template id>", "saveas:<last path>",
  // "ask:<caption>", "open:<folder>".
  std::vector<std::string> events;
  std::vector<SaveAsSettings> saveAsSettingsSeen;
  std::vector<std::string> questionsSeen;
};

// Called when the program asks for a dialog the script did not foresee. Each program that
// links the doubles says what that means: the test suites fail the test, the fuzz targets stop.
void ReportUnexpected(const std::string& what);

}  // namespace quillet::testing
