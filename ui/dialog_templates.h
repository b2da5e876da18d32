#pragma once

#include "platform/dialog_template.h"

namespace quillet {

// The program's windows as template tables.
const DialogTemplate& MainWindowTemplate();      // 102, CQuilletDlg
const DialogTemplate& ChiSquareTemplate();       // 129, CChiSquareDlg
const DialogTemplate& CommentsTemplate();        // 130, CCommentsDlg
const DialogTemplate& AboutTemplate();           // 100, CAboutDlg
const DialogTemplate& ImportTemplate();          // 132, CImportDlg
const DialogTemplate& ModelSelectionTemplate();  // 133, CModelSelectionDlg

// The template with the given id, or nullptr.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace quillet
