#include "ui/model_selection_report.h"

#include "ui/command_context.h"
#include "ui/save_report.h"

namespace quillet {

namespace {

// One window's controls with another window's messages and clipboard.
class ControlsOfMessagesOf : public Window {
 public:
  ControlsOfMessagesOf(Window& controls, Window& messages)
      : controls_(controls), messages_(messages) {}

  std::string GetControlText(int id) const override { return controls_.GetControlText(id); }
  void SetControlText(int id, const std::string& text) override {
    controls_.SetControlText(id, text);
  }
  int GetCheck(int id) const override { return controls_.GetCheck(id); }
  void SetCheck(int id, int state) override { controls_.SetCheck(id, state); }
  void EnableControl(int id, bool enable) override { controls_.EnableControl(id, enable); }
  void SetComboItems(int id, const std::vector<std::string>& items) override {
    controls_.SetComboItems(id, items);
  }
  int GetComboSelection(int id) const override { return controls_.GetComboSelection(id); }
  void SetComboSelection(int id, int index) override { controls_.SetComboSelection(id, index); }
  void SetTable(int id, const TableContent& content) override { controls_.SetTable(id, content); }
  void SetClipboardText(const std::string& text) override { messages_.SetClipboardText(text); }
  void FocusAndSelect(int id) override { controls_.FocusAndSelect(id); }
  void FocusAtEnd(int id) override { controls_.FocusAtEnd(id); }
  void MessageBox(const std::string& text, const std::string& caption = {}) override {
    messages_.MessageBox(text, caption);
  }

 private:
  Window& controls_;
  Window& messages_;
};

}  // namespace

std::optional<std::string> AddModelSelectionToReport(const CriteriaTable& table, Window& mainWindow,
                                                     Window& front, AnalysisForm& form,
                                                     ReportSession& report, ModalHost& host,
                                                     const Clock& clock) {
  ControlsOfMessagesOf window(mainWindow, front);
  CommandContext ctx{window, host, clock};
  return SaveModelSelection(table, form, report, ctx);
}

}  // namespace quillet
