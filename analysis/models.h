#pragma once

#include <array>
#include <string>

#include "analysis/analysis_form.h"
#include "analysis/model.h"

namespace quillet {

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

}  // namespace quillet
