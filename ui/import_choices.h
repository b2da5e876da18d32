#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/classic_model.h"
#include "import/import_table.h"
#include "ui/analysis_form.h"

namespace quillet {

// A pair of values for the gamma test: a model and the same model with one parameter more.
struct GammaPair {
  ClassicModel with;
  ClassicModel without;
  bool operator==(const GammaPair&) const = default;
};

// "GTR+G against GTR".
std::string DescribePair(const GammaPair& pair);

// What the user chose in the import dialog. Nothing chosen means "leave it as it is".
struct ImportChoices {
  // The variant whose value fills each model's row, indexed by Model (JC first, GTR last).
  std::array<std::optional<ClassicModel>, 6> rows;
  std::optional<GammaPair> gamma;
  bool taxa = false;  // fill in the number of taxa the files agree on
};

// The variant a row of the form stands for now, by its gamma and invar ticks.
ClassicModel RowVariant(AnalysisForm& form, Model model);

// The gamma-test pairs whose two values the table holds, in the main window's row order
// (GTR first). Each adds one parameter (X+G to X, X+I to X, X+I+G to X+G, X+I+G to X+I),
// since the test has one degree of freedom.
std::vector<GammaPair> GammaPairs(const ImportTable& table);

// The choices the dialog opens with: each row keeps the variant its ticks name when the files
// hold a value for it, and is left as it is otherwise; the gamma test is left as it is; the
// number of taxa is filled in when the files state one.
ImportChoices DefaultChoices(const ImportTable& table, AnalysisForm& form);

// Which tests Apply gave new values.
struct ImportEffect {
  bool models = false;
  bool gamma = false;
  bool taxa = false;
};

// Puts the chosen values into the form. A filled row is ticked, takes the value rounded to
// float and the gamma and invar ticks of its variant; "Test of models" is ticked with it. A
// chosen gamma pair fills the gamma test and ticks "Test of gamma". A choice without a value
// in the table (a variant not found, a pair missing a value, taxa not agreed) changes nothing:
// the row or test stays exactly as the user left it. Results shown for a test whose values
// changed are emptied, since they no longer belong to them.
ImportEffect ApplyImport(const ImportTable& table, const ImportChoices& choices,
                         AnalysisForm& form);

}  // namespace quillet
