#include "support/scripted_host.h"

namespace quillet::testing {

int ScriptedHost::DoModal(Dialog& dialog) {
  events.push_back("dialog:" + std::to_string(dialog.TemplateId()));
  if (dialogSteps.empty()) {
    ReportUnexpected("unexpected dialog " + std::to_string(dialog.TemplateId()));
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
    ReportUnexpected("unexpected Save As dialog");
    return std::nullopt;
  }
  std::optional<std::string> answer = std::move(saveAsAnswers.front());
  saveAsAnswers.pop_front();
  return answer;
}

std::vector<std::string> ScriptedHost::RunOpenFiles(const std::string&, const std::string& folder) {
  events.push_back("open:" + folder);
  if (openFilesAnswers.empty()) {
    ReportUnexpected("unexpected Open dialog");
    return {};
  }
  std::vector<std::string> answer = std::move(openFilesAnswers.front());
  openFilesAnswers.pop_front();
  return answer;
}

std::optional<int> ScriptedHost::Ask(const std::string& text, const std::string& caption,
                                     std::span<const std::string>) {
  events.push_back("ask:" + caption);
  questionsSeen.push_back(text);
  if (askAnswers.empty()) {
    ReportUnexpected("unexpected question: " + text);
    return std::nullopt;
  }
  std::optional<int> answer = askAnswers.front();
  askAnswers.pop_front();
  return answer;
}

std::optional<int> ScriptedHost::Press(Dialog& dialog, FakeWindow& window, int controlId) {
  if (controlId == kIdCancel) return dialog.OnCancel(window);
  return dialog.OnCommand(window, controlId);
}

}  // namespace quillet::testing
