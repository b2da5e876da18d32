#include "support/scripted_steps.h"

#include <gtest/gtest.h>

namespace quillet::testing {

void ReportUnexpected(const std::string& what) { ADD_FAILURE() << what; }

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
