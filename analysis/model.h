#pragma once

#include <array>

namespace quillet {

// The six nucleotide substitution models, from the simplest to the most general.
enum class Model { JC, K2P, F81, HKY85, TrN, GTR };

// Free parameters of a model as the user set it up: its base count (JC 0, K2P 1, F81 3,
// HKY85 4, TrN 5, GTR 8), plus one for gamma and one for invariable sites, each counted only
// when its flag is exactly 1.
int FreeParameterCount(Model model, int gammaFlag, int invarFlag);

// Name as the report writes it ("HKY85").
const char* ModelName(Model model);

// The order in which the reference is chosen and in which the report lists the rows. JC
// comes last and is never a reference.
inline constexpr std::array<Model, 6> kReportOrder = {Model::GTR, Model::TrN, Model::HKY85,
                                                      Model::F81, Model::K2P, Model::JC};

}  // namespace quillet
