#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/analysis_input.h"
#include "analysis/classic_model.h"
#include "import/file_import.h"
#include "import/gamma_pair.h"
#include "import/import_table.h"

namespace quillet {

// Which imported values go into an analysis. Files hold up to four variants of each base model
// (plain, +I, +G, +I+G) but a model row takes one, so a variant is chosen for each row; the
// gamma test takes a pair. Whatever is not chosen is left as it is.
struct ImportChoice {
  // The variant whose value fills each model row, indexed by Model (JC first, GTR last). A
  // variant of another base model than its row's fills nothing.
  std::array<std::optional<ClassicModel>, 6> rows;
  // The pair that fills the gamma test; one that is not a gamma pair (IsGammaPair) fills
  // nothing.
  std::optional<GammaPair> gamma;
  bool taxa = false;  // fill in the number of taxa the files agree on
};

// A value chosen that the import does not hold.
struct MissingValue {
  ClassicModel model;
  bool conflict = false;  // the files give it different values; otherwise they do not give it
  bool gamma = false;     // chosen for the gamma test; otherwise for the row of its base model
};

// What FillInput filled, and what it could not.
struct ImportFill {
  std::array<bool, 6> rows{};  // model rows filled, indexed by Model
  bool gamma = false;          // the gamma test
  bool taxa = false;           // the number of taxa
  // The values chosen that are not there: the rows' in the order of Model, then the gamma
  // test's (WITH before WITHOUT). The number of taxa chosen and not filled is not among them:
  // the files state none, or different ones.
  std::vector<MissingValue> missing;

  bool AnyRow() const;
};

// The one step from imported values to an analysis. Puts the chosen values into `input`: a
// filled row is ticked and takes the value rounded to float and its variant's gamma and
// invariants, and ticks the test of models; a gamma pair whose two values are both there fills
// the gamma test and ticks it; the number of taxa fills `taxa` (the clock test's other values
// are not the files'). Whatever has no value (a variant not found, a model the files disagree
// on, a pair missing a value, taxa not agreed) changes nothing and is told in the result. A
// table of files that are not one data set fills nothing at all.
ImportFill FillInput(const ImportChoice& choice, const ImportTable& table, AnalysisInput& input);
// The same from one file's values (a locus of its own).
ImportFill FillInput(const ImportChoice& choice, const FileImport& file, AnalysisInput& input);

// "plain", "+I", "+G" or "+I+G".
std::string VariantName(const ClassicModel& model);

// The four variants of a base model: plain, +I, +G, +I+G.
std::array<ClassicModel, 4> VariantsOf(Model base);

// For a test of models left with fewer than two rows: which variants the values hold for how
// many base models ("+I+G for 6 models, plain for 1"), or empty when no variant gives two.
std::string VariantsHeld(std::span<const ImportedValue> values);

}  // namespace quillet
