#include "support/scripted_host.h"

#include <gtest/gtest.h>

namespace quillet::testing {

int ScriptedHost::DoModal(Dialog& dialog) {
  events.push_back("dialog:" + std::to_string(dialog.TemplateId()));
  if (dialogSteps.empty()) {
    ADD_FAILURE() << "unexpected dialog " << dialog.TemplateId();
    return kIdCancel;
  }
  Step step = std::move(dialogSteps.front());
  dialogSteps.pop_front();
  FakeWindow window;
  dialog.OnInitDialog(window);
  return step(dialog, window);
}

std::optional<std::string> ScriptedHost::RunSaveAs(const SaveAsSettings& settings,
                                                   const std::string& lastPath) {
  events.push_back("saveas:" + lastPath);
  saveAsSettingsSeen.push_back(settings);
  if (saveAsAnswers.empty()) {
    ADD_FAILURE() << "unexpected Save As dialog";
    return std::nullopt;
  }
  std::optional<std::string> answer = std::move(saveAsAnswers.front());
  saveAsAnswers.pop_front();
  return answer;
}

std::optional<int> ScriptedHost::Press(Dialog& dialog, FakeWindow& window, int controlId) {
  if (controlId == kIdCancel) return dialog.OnCancel(window);
  return dialog.OnCommand(window, controlId);
}

ScriptedHost::Step PressOk(int okId) {
  return [okId](Dialog& dialog, FakeWindow& window) {
    std::optional<int> end = ScriptedHost::Press(dialog, window, okId);
    EXPECT_TRUE(end.has_value()) << "OK did not close the dialog";
    return end.value_or(kIdCancel);
  };
}

ScriptedHost::Step Cancel() {
  return [](Dialog& dialog, FakeWindow& window) {
    return dialog.OnCancel(window).value_or(kIdCancel);
  };
}

ScriptedHost::Step TypeAndPress(int editId, std::string text, int buttonId) {
  return [editId, text = std::move(text), buttonId](Dialog& dialog, FakeWindow& window) {
    window.SetControlText(editId, text);
    std::optional<int> end = ScriptedHost::Press(dialog, window, buttonId);
    EXPECT_TRUE(end.has_value()) << "button " << buttonId << " did not close the dialog";
    return end.value_or(kIdCancel);
  };
}

}  // namespace quillet::testing
