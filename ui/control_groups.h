#pragma once

#include <array>

#include "ui/control_ids.h"

namespace quillet {

// The controls each analysis box enables and disables: everything of its group that shows or
// takes a value, with the column headings and labels. Frames, the analysis boxes themselves,
// the p-value field and the buttons are never touched.
inline constexpr std::array<int, 45> kModelGroup = {
    ids::kJC,         ids::kK2P,          ids::kF81,
    ids::kHKY85,      ids::kTrN,          ids::kGTR,
    ids::kLnLJC,      ids::kLnLK2P,       ids::kLnLF81,
    ids::kLnLHKY85,   ids::kLnLTrN,       ids::kLnLGTR,
    ids::kGammaJC,    ids::kGammaK2P,     ids::kGammaF81,
    ids::kGammaHKY85, ids::kGammaTrN,     ids::kGammaGTR,
    ids::kInvarJC,    ids::kInvarK2P,     ids::kInvarF81,
    ids::kInvarHKY85, ids::kInvarTrN,     ids::kInvarGTR,
    ids::kResultTrN,  ids::kResultHKY85,  ids::kResultF81,
    ids::kResultK2P,  ids::kResultJC,     ids::kLrtJC,
    ids::kLrtK2P,     ids::kLrtF81,       ids::kLrtHKY85,
    ids::kLrtTrN,     ids::kCritJC,       ids::kCritK2P,
    ids::kCritF81,    ids::kCritHKY85,    ids::kCritTrN,
    ids::kHeadingLnL, ids::kHeadingGamma, ids::kHeadingInvar,
    ids::kHeadingLrt, ids::kHeadingCrit,  ids::kHeadingResult,
};

inline constexpr std::array<int, 13> kClockGroup = {
    ids::kLnLClock,         ids::kLnLNoClock,    ids::kTaxa,         ids::kClockResult,
    ids::kTaxaLabel,        ids::kClockLabel,    ids::kNoClockLabel, ids::kClockHeading,
    ids::kClockResultLabel, ids::kClockLrtLabel, ids::kClockLrt,     ids::kClockCritLabel,
    ids::kClockCrit,
};

inline constexpr std::array<int, 11> kGammaGroup = {
    ids::kGammaLabel,   ids::kNoGammaLabel,     ids::kLnLGamma,    ids::kLnLNoGamma,
    ids::kGammaHeading, ids::kGammaResultLabel, ids::kGammaResult, ids::kGammaLrtLabel,
    ids::kGammaLrt,     ids::kGammaCritLabel,   ids::kGammaCrit,
};

}  // namespace quillet
