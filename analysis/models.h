#pragma once

#include <array>
#include <string>

#include "analysis/analysis_form.h"

namespace quillet {

// The six nucleotide substitution models, from the simplest to the most general.
enum class Model { JC, K2P, F81, HKY85, TrN, GTR };

// Free parameters of a model as the user set it up: its base count (JC 0, K2P 1, F81 3,
// HKY85 4, TrN 5, GTR 8), plus one for gamma and one for invariable sites, each counted only
// when its flag is exactly 1.
int FreeParameterCount(Model model, int gammaFlag, int invarFlag);

// Name as the report writes it ("HKY85").
const char* ModelName(Model model);

// One model's row of the form. GTR is only ever a reference, so its three text pointers are
// null.
struct ModelFields {
  int& selected;
  float& lnL;
  int& gamma;
  int& invar;
  std::string* lrt;
  std::string* crit;
  std::string* result;
};

ModelFields FieldsOf(AnalysisForm& form, Model model);

// The order in which the reference is chosen and in which the report lists the rows. JC
// comes last and is never a reference.
inline constexpr std::array<Model, 6> kReportOrder = {Model::GTR, Model::TrN, Model::HKY85,
                                                      Model::F81, Model::K2P, Model::JC};

// The first model in the order GTR, TrN, HKY85, F81, K2P whose selected flag is 1; false
// when there is none (only JC ticked, or nothing).
bool FindReference(AnalysisForm& form, Model& reference);

}  // namespace quillet
