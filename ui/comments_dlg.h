#pragma once

#include <string>

#include "platform/dialog.h"

namespace quillet {

// The comments dialog (template 130): one multi-line edit whose text heads the report.
class CCommentsDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 130;
  static constexpr int kIdComments = 1070;
  static constexpr int kIdOkButton = 1072;

  std::string m_strComments;

  int TemplateId() const override { return kTemplateId; }
  bool DoDataExchange(Window& window, bool fromWindow) override;
  void OnInitDialog(Window& window) override;
  std::optional<int> OnCommand(Window& window, int controlId) override;
};

}  // namespace quillet
