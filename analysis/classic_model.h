#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/model.h"

namespace quillet {

// One of the 24 classic models: a base model, plain or with a proportion of invariable sites
// (+I), a gamma rate distribution (+G), or both (+I+G).
struct ClassicModel {
  Model base = Model::JC;
  bool invariants = false;
  bool gamma = false;
  bool operator==(const ClassicModel&) const = default;
};

// "HKY85+I+G", "TrN", "K2P+G": the base name, then "+I" and "+G" in that order.
std::string CanonicalName(const ClassicModel& model);

// The inverse of CanonicalName, exactly (case and order as written there); nothing for any
// other text.
std::optional<ClassicModel> ParseCanonicalName(std::string_view name);

// All 24, base by base in the order JC, K2P, F81, HKY85, TrN, GTR, each as plain, +I, +G, +I+G.
std::array<ClassicModel, 24> AllClassicModels();

}  // namespace quillet
