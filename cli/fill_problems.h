#pragma once

#include <array>
#include <string>
#include <vector>

#include "import/import_choice.h"

namespace quillet::cli {

// What filling an analysis from the files found short, in the command line's words.
struct FillProblems {
  // A model named one by one (--use, --gamma-pair) that the files do not hold, worded for
  // "<where>: <problem>".
  std::vector<std::string> problems;
  // Something chosen was not filled: such a model, or a chosen model the files disagree on.
  bool incomplete = false;
};

// The problems of a fill. A row left out for lack of the variant chosen for all rows
// (--variant) is what that choice means; one --use named (`named`, indexed by Model) is told,
// and so is a model of the gamma pair. `where` names the files ("the files", "the file").
FillProblems DescribeFill(const ImportFill& fill, const std::array<bool, 6>& named,
                          const std::string& where);

}  // namespace quillet::cli
