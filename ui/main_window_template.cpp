#include "ui/control_ids.h"
#include "ui/dialog_templates.h"

namespace quillet {
namespace {

using K = ControlKind;
using namespace ids;

constexpr std::uint32_t kButton = style::kTabStop;
constexpr std::uint32_t kDefButton = style::kTabStop | style::kDefault;
constexpr std::uint32_t kBox = style::kTabStop;
constexpr std::uint32_t kField = style::kTabStop | style::kBorder | style::kAutoHScroll;
constexpr std::uint32_t kLabel = 0;
constexpr std::uint32_t kGridText = style::kCenter;

// Model rows, top to bottom, at these y positions. Edits are two units taller than the check
// boxes and result texts, so they start one unit higher to share the row's centre line.
// Likewise every label shares the centre line of the field or result it names, so their texts
// stand on one baseline.
constexpr int kRowGTR = 140, kRowTrN = 156, kRowHKY85 = 172, kRowF81 = 187, kRowK2P = 202,
              kRowJC = 217;

// Creation order is tab order: the tab stops come first in the order users step through them;
// labels, result texts and frames follow.
constexpr ControlTemplate kControls[] = {
    // ln L column, GTR down to JC
    {kLnLGTR, K::kEdit, "", 59, kRowGTR - 1, 50, 12, kField},
    {kLnLTrN, K::kEdit, "", 59, kRowTrN - 1, 50, 12, kField},
    {kLnLHKY85, K::kEdit, "", 59, kRowHKY85 - 1, 50, 12, kField},
    {kLnLF81, K::kEdit, "", 59, kRowF81 - 1, 50, 12, kField},
    {kLnLK2P, K::kEdit, "", 59, kRowK2P - 1, 50, 12, kField},
    {kLnLJC, K::kEdit, "", 59, kRowJC - 1, 50, 12, kField},
    // gamma column
    {kGammaGTR, K::kCheckBox, "", 120, kRowGTR, 16, 10, kBox},
    {kGammaTrN, K::kCheckBox, "", 120, kRowTrN, 16, 10, kBox},
    {kGammaHKY85, K::kCheckBox, "", 120, kRowHKY85, 16, 10, kBox},
    {kGammaF81, K::kCheckBox, "", 120, kRowF81, 16, 10, kBox},
    {kGammaK2P, K::kCheckBox, "", 120, kRowK2P, 16, 10, kBox},
    {kGammaJC, K::kCheckBox, "", 120, kRowJC, 16, 10, kBox},
    // invar column
    {kInvarGTR, K::kCheckBox, "", 152, kRowGTR, 16, 10, kBox},
    {kInvarTrN, K::kCheckBox, "", 152, kRowTrN, 16, 10, kBox},
    {kInvarHKY85, K::kCheckBox, "", 152, kRowHKY85, 16, 10, kBox},
    {kInvarF81, K::kCheckBox, "", 152, kRowF81, 16, 10, kBox},
    {kInvarK2P, K::kCheckBox, "", 152, kRowK2P, 16, 10, kBox},
    {kInvarJC, K::kCheckBox, "", 152, kRowJC, 16, 10, kBox},
    // model column
    {kGTR, K::kCheckBox, "GTR", 15, kRowGTR, 39, 10, kBox},
    {kTrN, K::kCheckBox, "TrN", 15, kRowTrN, 39, 10, kBox},
    {kHKY85, K::kCheckBox, "HKY85", 15, kRowHKY85, 39, 10, kBox},
    {kF81, K::kCheckBox, "F81", 15, kRowF81, 39, 10, kBox},
    {kK2P, K::kCheckBox, "K2P", 15, kRowK2P, 39, 10, kBox},
    {kJC, K::kCheckBox, "JC", 15, kRowJC, 39, 10, kBox},
    // gamma and clock tests
    {kLnLGamma, K::kEdit, "", 224, 22, 50, 12, kField},
    {kLnLNoGamma, K::kEdit, "", 224, 45, 50, 12, kField},
    {kTaxa, K::kEdit, "", 149, 93, 33, 12, kField},
    {kLnLClock, K::kEdit, "", 223, 86, 50, 12, kField},
    {kLnLNoClock, K::kEdit, "", 223, 104, 50, 12, kField},
    // type of analysis, p value, buttons
    {kTestModels, K::kCheckBox, "Test of models", 12, 15, 63, 10, kBox},
    {kTestClock, K::kCheckBox, "Test of clock", 12, 31, 57, 10, kBox},
    {kTestGamma, K::kCheckBox, "Test of gamma", 12, 46, 63, 10, kBox},
    {kPValue, K::kEdit, "", 7, 85, 63, 12, kField},
    {kChiSquareCalc, K::kPushButton, "Chi Square Calc", 7, 100, 63, 14, kButton},
    {kCalculate, K::kPushButton, "&Calculate", 7, 236, 93, 14, kDefButton},
    {kClearAll, K::kPushButton, "Clear &All", 118, 236, 46, 14, kDefButton},
    {kHelp, K::kPushButton, "&Help", 312, 237, 46, 14, kDefButton},
    {kExit, K::kPushButton, "E&xit", 370, 237, 57, 14, kButton},
    {kSaveWork, K::kCheckBox, "Save work?", 185, 239, 54, 10, kBox},
    {kFileName, K::kPushButton, "&File Name", 240, 237, 46, 14, kDefButton},

    // frames
    {kNoId, K::kGroupBox, "Type of analysis", 7, 3, 75, 60, 0},
    {kNoId, K::kGroupBox, "Gamma/ Invar test", 130, 5, 297, 60, 0},
    {kNoId, K::kGroupBox, "Clock test", 91, 65, 336, 60, 0},
    {kNoId, K::kGroupBox, "Models", 7, 125, 420, 109, 0},
    {kNoId, K::kStatic, "Desired p value:", 7, 74, 52, 10, kLabel},

    // gamma/invariants test
    {kGammaHeading, K::kStatic, "ln L", 242, 13, 12, 8, kLabel},
    {kGammaLabel, K::kStatic, "with gamma/ invar:", 154, 23, 62, 10, kLabel},
    {kGammaLrtLabel, K::kStatic, "LRT:", 277, 24, 17, 10, kLabel},
    {kGammaLrt, K::kStatic, "", 295, 24, 40, 10, kLabel},
    {kGammaCritLabel, K::kStatic, "Crit. value:", 338, 24, 34, 10, kLabel},
    {kGammaCrit, K::kStatic, "", 374, 24, 49, 10, kLabel},
    {kNoGammaLabel, K::kStatic, "without gamma/ invar:", 143, 46, 73, 10, kLabel},
    {kGammaResultLabel, K::kStatic, "Result:", 277, 47, 23, 10, kLabel},
    {kGammaResult, K::kStatic, "", 304, 47, 115, 10, kLabel},

    // clock test
    {kClockHeading, K::kStatic, "ln L", 241, 75, 12, 8, kLabel},
    {kTaxaLabel, K::kStatic, "Number of taxa:", 95, 94, 51, 10, kLabel},
    {kClockLabel, K::kStatic, "with clock:", 186, 87, 35, 10, kLabel},
    {kClockResultLabel, K::kStatic, "Result:", 277, 88, 23, 10, kLabel},
    {kClockResult, K::kStatic, "", 301, 88, 120, 10, kLabel},
    {kNoClockLabel, K::kStatic, "without clock:", 176, 105, 45, 10, kLabel},
    {kClockLrtLabel, K::kStatic, "LRT:", 278, 107, 17, 10, kLabel},
    {kClockLrt, K::kStatic, "", 297, 107, 41, 10, kLabel},
    {kClockCritLabel, K::kStatic, "Crit. value:", 339, 107, 34, 10, kLabel},
    {kClockCrit, K::kStatic, "", 377, 107, 47, 10, kLabel},

    // model grid headings, on one line above the GTR row
    {kHeadingLnL, K::kStatic, "ln L", 79, 130, 12, 8, kLabel},
    {kHeadingGamma, K::kStatic, "gamma", 113, 130, 24, 8, kLabel},
    {kHeadingInvar, K::kStatic, "invar", 148, 130, 16, 8, kLabel},
    {kHeadingLrt, K::kStatic, "LRT", 192, 130, 15, 8, kLabel},
    {kHeadingCrit, K::kStatic, "crit. value", 231, 130, 35, 8, kLabel},
    {kHeadingResult, K::kStatic, "Result", 339, 130, 21, 8, kLabel},

    // model grid results; GTR is only ever the reference and has none. A critical value is at
    // most 524287.0000, and its column is wide enough for all of it.
    {kLrtTrN, K::kStatic, "", 178, kRowTrN, 43, 10, kGridText},
    {kCritTrN, K::kStatic, "", 224, kRowTrN, 49, 10, kGridText},
    {kResultTrN, K::kStatic, "", 276, kRowTrN, 143, 10, kGridText},
    {kLrtHKY85, K::kStatic, "", 178, kRowHKY85, 43, 10, kGridText},
    {kCritHKY85, K::kStatic, "", 224, kRowHKY85, 49, 10, kGridText},
    {kResultHKY85, K::kStatic, "", 276, kRowHKY85, 143, 10, kGridText},
    {kLrtF81, K::kStatic, "", 178, kRowF81, 43, 10, kGridText},
    {kCritF81, K::kStatic, "", 224, kRowF81, 49, 10, kGridText},
    {kResultF81, K::kStatic, "", 276, kRowF81, 143, 10, kGridText},
    {kLrtK2P, K::kStatic, "", 178, kRowK2P, 43, 10, kGridText},
    {kCritK2P, K::kStatic, "", 224, kRowK2P, 49, 10, kGridText},
    {kResultK2P, K::kStatic, "", 276, kRowK2P, 143, 10, kGridText},
    {kLrtJC, K::kStatic, "", 178, kRowJC, 43, 10, kGridText},
    {kCritJC, K::kStatic, "", 224, kRowJC, 49, 10, kGridText},
    {kResultJC, K::kStatic, "", 276, kRowJC, 143, 10, kGridText},
};

constexpr DialogTemplate kTemplate = {
    102,
    "Quillet",
    434,
    255,
    "MS Sans Serif",
    8,
    window_style::kSysMenu | window_style::kMinimizeBox | window_style::kMaximizeBox |
        window_style::kAppWindow | window_style::kCentered,
    kControls,
};

}  // namespace

const DialogTemplate& MainWindowTemplate() { return kTemplate; }

}  // namespace quillet
