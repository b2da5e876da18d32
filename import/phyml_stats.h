#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is a PhyML statistics file (_phyml_stats.txt): the PhyML banner near the
// top and a ". Log-likelihood:" line.
bool LooksLikePhymlStats(std::string_view text);

// Reads the one fit a PhyML statistics file holds: the model from "Model of nucleotides
// substitution", +G when "Discrete gamma model" has more than one class (or category), +I when
// "Proportion of invariant" is above zero, the value from "Log-likelihood", the taxa from
// "Number of taxa". F81, HKY85, TN93 and GTR whose four base frequencies are all 0.25 were run
// with frequencies fixed equal and are left out. Amino-acid models and files of several data
// sets are refused.
FileImport ReadPhymlStats(std::string_view text, const std::string& source);

}  // namespace quillet
