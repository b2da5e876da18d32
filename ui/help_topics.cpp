#include "ui/help_topics.h"

#include "ui/about_dlg.h"
#include "ui/chi_square_dlg.h"
#include "ui/comments_dlg.h"
#include "ui/import_dlg.h"
#include "ui/model_selection_dlg.h"
#include "ui/quillet_dlg.h"

namespace quillet {

std::optional<int> F1HelpTopic(int templateId) {
  for (int withTopic : {CQuilletDlg::kTemplateId, CAboutDlg::kTemplateId,
                        CChiSquareDlg::kTemplateId, CCommentsDlg::kTemplateId, kSaveAsHelpId,
                        CImportDlg::kTemplateId, CModelSelectionDlg::kTemplateId}) {
    if (templateId == withTopic) return kHelpTopicBase + templateId;
  }
  return std::nullopt;
}

}  // namespace quillet
