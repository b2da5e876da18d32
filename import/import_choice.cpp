#include "import/import_choice.h"

namespace quillet {

namespace {

// Values, the models they disagree on, and the number of taxa: what a table or one file holds.
ImportFill Fill(const ImportChoice& choice, std::span<const ImportedValue> values,
                std::span<const ValueConflict> conflicts, const std::optional<int>& taxa,
                AnalysisInput& input) {
  ImportFill fill;
  auto missing = [&](const ClassicModel& model, bool gamma) {
    fill.missing.push_back({model, InConflict(conflicts, model), gamma});
  };
  for (std::size_t row = 0; row < choice.rows.size(); ++row) {
    const std::optional<ClassicModel>& model = choice.rows[row];
    if (!model || model->base != static_cast<Model>(row)) continue;
    const ImportedValue* value = FindValue(values, *model);
    if (!value) {
      missing(*model, false);
      continue;
    }
    input.models[row] = {true, value->value, model->gamma, model->invariants};
    fill.rows[row] = true;
  }
  if (fill.AnyRow()) input.testModels = true;

  if (choice.gamma && IsGammaPair(*choice.gamma)) {
    const ImportedValue* with = FindValue(values, choice.gamma->with);
    const ImportedValue* without = FindValue(values, choice.gamma->without);
    if (with && without) {
      input.lnLGamma = with->value;
      input.lnLNoGamma = without->value;
      input.testGamma = true;
      input.gammaModels = std::pair{choice.gamma->with, choice.gamma->without};
      fill.gamma = true;
    }
    if (!with) missing(choice.gamma->with, true);
    if (!without) missing(choice.gamma->without, true);
  }

  if (choice.taxa && taxa) {
    input.taxa = *taxa;
    fill.taxa = true;
  }
  return fill;
}

}  // namespace

bool ImportFill::AnyRow() const {
  for (bool row : rows) {
    if (row) return true;
  }
  return false;
}

ImportFill FillInput(const ImportChoice& choice, const ImportTable& table, AnalysisInput& input) {
  // Values of different alignments would make a test without meaning.
  if (!table.OneDataSet()) return {};
  return Fill(choice, table.values, table.conflicts, table.taxa, input);
}

ImportFill FillInput(const ImportChoice& choice, const FileImport& file, AnalysisInput& input) {
  return Fill(choice, file.values, file.conflicts, file.taxa, input);
}

std::string VariantName(const ClassicModel& model) {
  if (model.invariants && model.gamma) return "+I+G";
  if (model.invariants) return "+I";
  if (model.gamma) return "+G";
  return "plain";
}

std::array<ClassicModel, 4> VariantsOf(Model base) {
  return {ClassicModel{base, false, false}, ClassicModel{base, true, false},
          ClassicModel{base, false, true}, ClassicModel{base, true, true}};
}

std::string VariantsHeld(std::span<const ImportedValue> values) {
  // Variants in the order plain, +I, +G, +I+G.
  std::array<int, 4> count{};
  for (const ImportedValue& v : values) {
    ++count[(v.model.invariants ? 1 : 0) + (v.model.gamma ? 2 : 0)];
  }
  const std::array<ClassicModel, 4> variants = VariantsOf(Model::JC);
  std::string text;
  bool enough = false;
  for (int variant : {3, 2, 1, 0}) {
    if (count[variant] == 0) continue;
    enough = enough || count[variant] >= 2;
    text += (text.empty() ? "" : ", ") + VariantName(variants[variant]) + " for " +
            std::to_string(count[variant]) + (count[variant] == 1 ? " model" : " models");
  }
  return enough ? text : std::string();
}

}  // namespace quillet
