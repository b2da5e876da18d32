#include "ui/dialog_templates.h"
#include "ui/import_dlg.h"

namespace quillet {
namespace {

using K = ControlKind;
using D = CImportDlg;

constexpr std::uint32_t kList = style::kTabStop;
constexpr std::uint32_t kCell = style::kCenter | style::kNoPrefix;

// Grid rows, GTR at the top as in the main window. A list is two units taller than a text, so
// it starts one unit higher and the row's texts stand on its centre line.
constexpr int kRow0 = 21, kRowStep = 16;
constexpr int Row(int r) { return kRow0 + r * kRowStep; }
constexpr int kCellX = 40, kCellStep = 74, kCellWidth = 72;
constexpr int Col(int c) { return kCellX + c * kCellStep; }
constexpr int kListX = 338, kListWidth = 75;

// Below the grid, one line each: the data set, the taxa box, the gamma pair; then the messages
// and the buttons.
constexpr int kDataSetY = 119, kTaxaY = 137, kGammaY = 153, kMessagesY = 182;

// Creation order is tab order: the six lists from GTR down, the data set with its button, the
// taxa box, the gamma pair, the messages, then the buttons; the grid's texts and the labels
// follow.
constexpr ControlTemplate kControls[] = {
    {D::kIdFirstRowChoice + 0, K::kComboBox, "", kListX, Row(0) - 1, kListWidth, 12, kList},
    {D::kIdFirstRowChoice + 1, K::kComboBox, "", kListX, Row(1) - 1, kListWidth, 12, kList},
    {D::kIdFirstRowChoice + 2, K::kComboBox, "", kListX, Row(2) - 1, kListWidth, 12, kList},
    {D::kIdFirstRowChoice + 3, K::kComboBox, "", kListX, Row(3) - 1, kListWidth, 12, kList},
    {D::kIdFirstRowChoice + 4, K::kComboBox, "", kListX, Row(4) - 1, kListWidth, 12, kList},
    {D::kIdFirstRowChoice + 5, K::kComboBox, "", kListX, Row(5) - 1, kListWidth, 12, kList},
    {D::kIdDataSet, K::kComboBox, "", 76, kDataSetY, 280, 12, kList},
    {D::kIdShowDataSet, K::kPushButton, "Show", 363, kDataSetY - 1, 50, 14, style::kTabStop},
    {D::kIdTaxa, K::kCheckBox, "", 7, kTaxaY, 330, 10, style::kTabStop | style::kNoPrefix},
    {D::kIdGammaPair, K::kComboBox, "", 76, kGammaY, 170, 12, kList},
    {D::kIdMessages, K::kEdit, "", 7, kMessagesY, 406, 60,
     style::kTabStop | style::kBorder | style::kMultiLine | style::kAutoVScroll | style::kReadOnly},
    {kIdOk, K::kPushButton, "Apply", 306, 251, 50, 14, style::kTabStop | style::kDefault},
    {kIdCancel, K::kPushButton, "Cancel", 363, 251, 50, 14, style::kTabStop},

    {kNoId, K::kStatic, "plain", Col(0), 7, kCellWidth, 10, style::kCenter},
    {kNoId, K::kStatic, "+I", Col(1), 7, kCellWidth, 10, style::kCenter},
    {kNoId, K::kStatic, "+G", Col(2), 7, kCellWidth, 10, style::kCenter},
    {kNoId, K::kStatic, "+I+G", Col(3), 7, kCellWidth, 10, style::kCenter | style::kNoPrefix},
    {kNoId, K::kStatic, "Fill the row with", kListX, 7, kListWidth, 10, 0},
    // the grid: a model's name, then its four cells
    {kNoId, K::kStatic, "GTR", 7, Row(0), 30, 10, 0},
    {D::CellId(0, 0), K::kStatic, "", Col(0), Row(0), kCellWidth, 10, kCell},
    {D::CellId(0, 1), K::kStatic, "", Col(1), Row(0), kCellWidth, 10, kCell},
    {D::CellId(0, 2), K::kStatic, "", Col(2), Row(0), kCellWidth, 10, kCell},
    {D::CellId(0, 3), K::kStatic, "", Col(3), Row(0), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "TrN", 7, Row(1), 30, 10, 0},
    {D::CellId(1, 0), K::kStatic, "", Col(0), Row(1), kCellWidth, 10, kCell},
    {D::CellId(1, 1), K::kStatic, "", Col(1), Row(1), kCellWidth, 10, kCell},
    {D::CellId(1, 2), K::kStatic, "", Col(2), Row(1), kCellWidth, 10, kCell},
    {D::CellId(1, 3), K::kStatic, "", Col(3), Row(1), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "HKY85", 7, Row(2), 30, 10, 0},
    {D::CellId(2, 0), K::kStatic, "", Col(0), Row(2), kCellWidth, 10, kCell},
    {D::CellId(2, 1), K::kStatic, "", Col(1), Row(2), kCellWidth, 10, kCell},
    {D::CellId(2, 2), K::kStatic, "", Col(2), Row(2), kCellWidth, 10, kCell},
    {D::CellId(2, 3), K::kStatic, "", Col(3), Row(2), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "F81", 7, Row(3), 30, 10, 0},
    {D::CellId(3, 0), K::kStatic, "", Col(0), Row(3), kCellWidth, 10, kCell},
    {D::CellId(3, 1), K::kStatic, "", Col(1), Row(3), kCellWidth, 10, kCell},
    {D::CellId(3, 2), K::kStatic, "", Col(2), Row(3), kCellWidth, 10, kCell},
    {D::CellId(3, 3), K::kStatic, "", Col(3), Row(3), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "K2P", 7, Row(4), 30, 10, 0},
    {D::CellId(4, 0), K::kStatic, "", Col(0), Row(4), kCellWidth, 10, kCell},
    {D::CellId(4, 1), K::kStatic, "", Col(1), Row(4), kCellWidth, 10, kCell},
    {D::CellId(4, 2), K::kStatic, "", Col(2), Row(4), kCellWidth, 10, kCell},
    {D::CellId(4, 3), K::kStatic, "", Col(3), Row(4), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "JC", 7, Row(5), 30, 10, 0},
    {D::CellId(5, 0), K::kStatic, "", Col(0), Row(5), kCellWidth, 10, kCell},
    {D::CellId(5, 1), K::kStatic, "", Col(1), Row(5), kCellWidth, 10, kCell},
    {D::CellId(5, 2), K::kStatic, "", Col(2), Row(5), kCellWidth, 10, kCell},
    {D::CellId(5, 3), K::kStatic, "", Col(3), Row(5), kCellWidth, 10, kCell},
    {kNoId, K::kStatic, "Data set:", 7, kDataSetY + 1, 66, 10, 0},
    {kNoId, K::kStatic, "Gamma/ Invar test:", 7, kGammaY + 1, 66, 10, 0},
    {kNoId, K::kStatic, "Files and messages:", 7, kMessagesY - 10, 100, 8, 0},
    {kNoId, K::kStatic,
     "Apply ticks the rows it fills and Test of models, or Test of gamma for a pair. The main "
     "window keeps six significant digits of each ln L, as it does of typed ones.",
     7, 246, 290, 24, 0},
};

constexpr DialogTemplate kTemplate = {
    CImportDlg::kTemplateId,
    kImportCaption,
    420,
    271,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kCentered,
    kControls,
};

}  // namespace

const DialogTemplate& ImportTemplate() { return kTemplate; }

}  // namespace quillet
