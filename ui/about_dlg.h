#pragma once

#include "platform/dialog.h"

namespace quillet {

// The About box (template 100): the version, a credit line and the program icon. It has no
// data and no commands beyond OK and Cancel.
class CAboutDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 100;

  int TemplateId() const override { return kTemplateId; }
};

inline constexpr char kAboutVersionText[] = "Quillet v. 2.1  (11/2000)";
inline constexpr char kAboutCreditText[] =
    "Written by the Quillet developers for likelihood ratio tests of substitution models.";

}  // namespace quillet
