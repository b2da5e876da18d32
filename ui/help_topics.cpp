#include "ui/help_topics.h"

#include "ui/about_dlg.h"
#include "ui/quillet_dlg.h"

namespace quillet {

std::optional<int> F1HelpTopic(int templateId) {
  if (templateId == CQuilletDlg::kTemplateId || templateId == CAboutDlg::kTemplateId) {
    return kHelpTopicBase + templateId;
  }
  return std::nullopt;
}

}  // namespace quillet
