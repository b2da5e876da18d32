#include "ui/dialog_templates.h"
#include "ui/model_selection_dlg.h"

namespace quillet {
namespace {

using K = ControlKind;
using D = CModelSelectionDlg;
namespace s = style;

constexpr std::uint32_t kField = s::kTabStop | s::kBorder | s::kAutoHScroll;
constexpr std::uint32_t kButton = s::kTabStop;

// The numbers on the first line; the notes, the summary and the table below, across the whole
// width. The table takes whatever the window is made larger by; the buttons stay at the bottom,
// Close at the bottom right.
constexpr int kWidth = 540, kHeight = 300;
constexpr int kInnerWidth = kWidth - 14;
constexpr int kNotesY = 25, kSummaryY = 58, kTableY = 102;
constexpr int kButtonsY = kHeight - 21;

// Creation order is tab order: the two numbers and Rank, the notes, the table, then the buttons.
constexpr ControlTemplate kControls[] = {
    {kNoId, K::kStatic, "Number of sites:", 7, 9, 60, 8, 0},
    {D::kIdSites, K::kEdit, "", 68, 7, 44, 12, kField},
    {kNoId, K::kStatic, "Number of taxa:", 122, 9, 58, 8, 0},
    {D::kIdTaxa, K::kEdit, "", 181, 7, 32, 12, kField},
    {D::kIdRank, K::kPushButton, "&Rank", 223, 6, 50, 14, kButton | s::kDefault},
    {D::kIdSource, K::kStatic, "", 283, 9, kWidth - 290, 8, s::kNoPrefix | s::kGrowWidth},
    {D::kIdNotes, K::kEdit, "", 7, kNotesY, kInnerWidth, 28,
     s::kTabStop | s::kBorder | s::kMultiLine | s::kAutoVScroll | s::kReadOnly | s::kGrowWidth},
    {D::kIdSummary, K::kStatic, "", 7, kSummaryY, kInnerWidth, 41, s::kNoPrefix | s::kGrowWidth},
    {D::kIdTable, K::kTable, "", 7, kTableY, kInnerWidth, kButtonsY - 5 - kTableY,
     s::kTabStop | s::kBorder | s::kGrowWidth | s::kGrowHeight},
    {D::kIdCopy, K::kPushButton, "&Copy", 7, kButtonsY, 50, 14, kButton | s::kFollowBottom},
    {D::kIdAddToReport, K::kPushButton, "&Add to report", 64, kButtonsY, 70, 14,
     kButton | s::kFollowBottom},
    {kIdCancel, K::kPushButton, "Close", kWidth - 57, kButtonsY, 50, 14,
     kButton | s::kFollowBottom | s::kFollowRight},
};

constexpr DialogTemplate kTemplate = {
    CModelSelectionDlg::kTemplateId,
    kModelSelectionCaption,
    kWidth,
    kHeight,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kMaximizeBox | window_style::kCentered |
        window_style::kResizable,
    kControls,
};

}  // namespace

const DialogTemplate& ModelSelectionTemplate() { return kTemplate; }

}  // namespace quillet
