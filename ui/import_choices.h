#pragma once

#include <array>

#include "analysis/classic_model.h"
#include "import/gamma_pair.h"
#include "import/import_choice.h"
#include "import/import_table.h"
#include "ui/analysis_form.h"

namespace quillet {

// What the user chose in the import dialog. Nothing chosen means "leave it as it is".
using ImportChoices = ImportChoice;

// The variant a row of the form stands for now, by its gamma and invar ticks.
ClassicModel RowVariant(AnalysisForm& form, Model model);

// The variant of each row, indexed by Model.
using RowVariants = std::array<ClassicModel, 6>;
RowVariants RowVariantsOf(AnalysisForm& form);

// The choices the dialog opens with: each row keeps the variant its ticks name when the files
// hold a value for it, and is left as it is otherwise; the gamma test is left as it is; the
// number of taxa is filled in when the files state one. Files that are not one data set offer
// nothing.
ImportChoices DefaultChoices(const ImportTable& table, AnalysisForm& form);
ImportChoices DefaultChoices(const ImportTable& table, const RowVariants& variants);

// Which tests Apply gave new values.
struct ImportEffect {
  bool models = false;
  bool gamma = false;
  bool taxa = false;
};

// Puts the chosen values into the form, as FillInput puts them into an analysis: a filled row
// is ticked, takes the value rounded to float and the gamma and invar ticks of its variant, and
// "Test of models" is ticked with it; a gamma pair fills the gamma test and ticks "Test of
// gamma"; the number of taxa fills its field. What FillInput does not fill stays exactly as the
// user left it. Results shown for a test whose values changed are emptied, since they no longer
// belong to them.
ImportEffect ApplyImport(const ImportTable& table, const ImportChoices& choices,
                         AnalysisForm& form);

}  // namespace quillet
