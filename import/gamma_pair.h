#pragma once

#include <string>
#include <vector>

#include "analysis/classic_model.h"
#include "import/import_table.h"

namespace quillet {

// The two models of the gamma test: one with gamma and/or invariable sites, one without.
struct GammaPair {
  ClassicModel with;
  ClassicModel without;
  bool operator==(const GammaPair&) const = default;
};

// Whether the gamma test can compare the pair: the gamma test has one degree of freedom, so
// WITH is WITHOUT with one parameter more (X+G against X, X+I against X, X+I+G against X+G,
// X+I+G against X+I). X+I+G against X adds two and is not such a pair.
bool IsGammaPair(const GammaPair& pair);

// Every gamma pair of one base model, in the order the window lists them: X+G against X, X+I
// against X, X+I+G against X+G, X+I+G against X+I.
std::vector<GammaPair> GammaPairsOf(Model base);

// The gamma pairs whose two values the table holds, in the main window's row order (GTR
// first).
std::vector<GammaPair> GammaPairs(const ImportTable& table);

// "GTR+G against GTR".
std::string DescribePair(const GammaPair& pair);

}  // namespace quillet
