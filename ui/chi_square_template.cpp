#include "ui/chi_square_dlg.h"
#include "ui/dialog_templates.h"

namespace quillet {
namespace {

using K = ControlKind;
constexpr std::uint32_t kField = style::kTabStop | style::kBorder | style::kAutoHScroll;

constexpr ControlTemplate kControls[] = {
    {kIdOk, K::kPushButton, "OK", 129, 37, 50, 24, style::kTabStop | style::kDefault},
    {CChiSquareDlg::kIdChiSquare, K::kEdit, "", 5, 15, 60, 12, kField},
    {CChiSquareDlg::kIdDf, K::kEdit, "", 5, 45, 60, 12, kField},
    {CChiSquareDlg::kIdPValue, K::kEdit, "", 5, 74, 60, 12, kField},
    {kNoId, K::kStatic, "Chi Square", 6, 5, 36, 8, 0},
    {kNoId, K::kStatic, "degrees of freedom", 6, 34, 62, 8, 0},
    {kNoId, K::kStatic, "p-value", 6, 64, 24, 8, 0},
    {CChiSquareDlg::kIdCalcChiSquare, K::kPushButton, "Calculate Chi Square", 69, 14, 70, 15,
     style::kTabStop},
    {CChiSquareDlg::kIdCalcPValue, K::kPushButton, "Calculate p-value", 70, 72, 70, 15,
     style::kTabStop},
};

constexpr DialogTemplate kTemplate = {
    CChiSquareDlg::kTemplateId,
    "Chi Square Calculator",
    186,
    95,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kCentered,
    kControls,
};

}  // namespace

const DialogTemplate& ChiSquareTemplate() { return kTemplate; }

}  // namespace quillet
