#pragma once

#include <array>

#include "analysis/model.h"
#include "platform/dialog_template.h"
#include "ui/control_ids.h"

namespace quillet {

// The controls of one model's row of the main window: its box, its ln L field, its gamma and
// invar boxes and its three result texts (kNoId for GTR, which is only ever the reference).
struct ModelRowControls {
  Model model;
  int selected, lnL, gamma, invar;
  int lrt, crit, result;
};

// The model rows in the order the form declares them, which is the order each group of their
// fields is exchanged with the window. Adding a model is adding its row here and to the window
// template.
inline constexpr std::array<ModelRowControls, 6> kModelRows = {{
    {Model::F81, ids::kF81, ids::kLnLF81, ids::kGammaF81, ids::kInvarF81, ids::kLrtF81,
     ids::kCritF81, ids::kResultF81},
    {Model::GTR, ids::kGTR, ids::kLnLGTR, ids::kGammaGTR, ids::kInvarGTR, kNoId, kNoId, kNoId},
    {Model::HKY85, ids::kHKY85, ids::kLnLHKY85, ids::kGammaHKY85, ids::kInvarHKY85, ids::kLrtHKY85,
     ids::kCritHKY85, ids::kResultHKY85},
    {Model::JC, ids::kJC, ids::kLnLJC, ids::kGammaJC, ids::kInvarJC, ids::kLrtJC, ids::kCritJC,
     ids::kResultJC},
    {Model::K2P, ids::kK2P, ids::kLnLK2P, ids::kGammaK2P, ids::kInvarK2P, ids::kLrtK2P,
     ids::kCritK2P, ids::kResultK2P},
    {Model::TrN, ids::kTrN, ids::kLnLTrN, ids::kGammaTrN, ids::kInvarTrN, ids::kLrtTrN,
     ids::kCritTrN, ids::kResultTrN},
}};

}  // namespace quillet
