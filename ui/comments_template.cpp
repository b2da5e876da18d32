#include "ui/comments_dlg.h"
#include "ui/dialog_templates.h"

namespace quillet {
namespace {

using K = ControlKind;

// The multi-line edit does not take Enter, so Enter presses the default button, OK.
constexpr ControlTemplate kControls[] = {
    {kIdCancel, K::kPushButton, "Cancel", 152, 107, 50, 14, style::kTabStop},
    {kNoId, K::kStatic,
     "The text you type below will appear in the saved file.\n\nSuggestions: name and/or "
     "location of alignment file used,\nprogram used to generate lnL data, other observations, "
     "\nwhatever you want:",
     7, 1, 193, 44, 0},
    {CCommentsDlg::kIdComments, K::kEdit, "", 7, 46, 195, 55,
     style::kTabStop | style::kBorder | style::kMultiLine | style::kAutoVScroll},
    {CCommentsDlg::kIdOkButton, K::kPushButton, "OK", 95, 107, 49, 13,
     style::kTabStop | style::kDefault},
};

constexpr DialogTemplate kTemplate = {
    CCommentsDlg::kTemplateId,
    "Comments",
    207,
    126,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kCentered,
    kControls,
};

}  // namespace

const DialogTemplate& CommentsTemplate() { return kTemplate; }

}  // namespace quillet
