#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis_input.h"
#include "analysis/classic_model.h"
#include "import/file_import.h"

namespace quillet::cli {

// Which of the values read from files a calculation takes. A file holds up to four variants of
// each base model (plain, +I, +G, +I+G) but a model row takes one, so the user picks: one
// variant for every row, and any row's own.
struct ImportChoice {
  std::array<ClassicModel, 6> rows{};  // the variant of each base model, indexed by Model
  std::array<bool, 6> named{};         // that variant was named one by one (--use)
  bool fillModels = false;             // the files fill the rows of the test of models
  // The two models of the gamma test, with and without gamma and/or invariable sites.
  std::optional<ClassicModel> gammaWith;
  std::optional<ClassicModel> gammaWithout;
};

// What the command line itself gives, which no value read from a file replaces.
struct GivenValues {
  std::array<bool, 6> models{};  // --model for that base model
  bool gamma = false;            // --gamma
};

// What filling a calculation from the files found short.
struct FillOutcome {
  // A model named one by one (--use, --gamma-pair) that the files do not hold, worded for
  // "<where>: <problem>".
  std::vector<std::string> problems;
  // Something chosen was not filled: such a model, or a chosen model the files disagree on.
  bool incomplete = false;
};

// Sets the model rows (when the choice fills them) and the gamma test's two log-likelihoods
// (when it names a pair) of `input` from the values read, leaving what the command line gave
// as it is. A row whose variant is not among the values stays unticked; a gamma model that is
// not there leaves its log-likelihood 0, which the calculation reports as missing. `where`
// names the files in problems ("the files", "the file").
FillOutcome FillFromValues(const ImportChoice& choice, const GivenValues& given,
                           std::span<const ImportedValue> values,
                           std::span<const ValueConflict> conflicts, const std::string& where,
                           AnalysisInput& input);

// For a test of models left with fewer than two rows: which variants the values hold for how
// many base models ("+I+G for 6 models, plain for 1"), or empty when no variant gives two.
std::string VariantsHeld(std::span<const ImportedValue> values);

// "plain", "+I", "+G" or "+I+G".
std::string VariantName(const ClassicModel& model);

}  // namespace quillet::cli
