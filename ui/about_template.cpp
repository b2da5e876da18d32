#include "ui/about_dlg.h"
#include "ui/dialog_templates.h"

namespace quillet {
namespace {

using K = ControlKind;

constexpr ControlTemplate kControls[] = {
    // An icon control takes the icon's own size.
    {kNoId, K::kIcon, "", 10, 26, 0, 0, 0},
    {kNoId, K::kStatic, kAboutVersionText, 40, 16, 119, 8, style::kNoPrefix},
    {kNoId, K::kStatic, kAboutCreditText, 40, 32, 105, 25, 0},
    {kIdOk, K::kPushButton, "OK", 172, 28, 50, 17, style::kTabStop | style::kDefault},
};

constexpr DialogTemplate kTemplate = {
    CAboutDlg::kTemplateId,
    "About Quillet",
    232,
    71,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kCentered,
    kControls,
};

}  // namespace

const DialogTemplate& AboutTemplate() { return kTemplate; }

}  // namespace quillet
