#include "cli/import_choice.h"

namespace quillet::cli {

FillOutcome FillFromValues(const ImportChoice& choice, const GivenValues& given,
                           std::span<const ImportedValue> values,
                           std::span<const ValueConflict> conflicts, const std::string& where,
                           AnalysisInput& input) {
  FillOutcome outcome;
  // Why a model is not there, for the models named one by one.
  auto absent = [&](const ClassicModel& model) {
    return InConflict(conflicts, model) ? " has different values in " + where
                                        : " is not in " + where;
  };
  if (choice.fillModels) {
    for (std::size_t base = 0; base < choice.rows.size(); ++base) {
      if (given.models[base]) continue;
      const ClassicModel& model = choice.rows[base];
      const ImportedValue* value = FindValue(values, model);
      ModelEntry& row = input.models[base];
      if (value) {
        row = {true, LnLAsFloat(*value), model.gamma, model.invariants};
        continue;
      }
      row = {};
      // A row left out for lack of the variant the user chose for all rows is what that choice
      // means; one left out because the files disagree on its value is not.
      if (InConflict(conflicts, model)) outcome.incomplete = true;
      if (choice.named[base]) {
        outcome.problems.push_back(CanonicalName(model) + " (--use)" + absent(model) + "; the " +
                                   ModelName(model.base) + " row is left out");
        outcome.incomplete = true;
      }
    }
  }
  if (choice.gammaWith && choice.gammaWithout && !given.gamma) {
    input.testGamma = true;
    auto take = [&](const ClassicModel& model, float& lnL) {
      const ImportedValue* value = FindValue(values, model);
      lnL = value ? LnLAsFloat(*value) : 0.0f;
      if (value) return;
      outcome.problems.push_back(CanonicalName(model) + " (--gamma-pair)" + absent(model) +
                                 "; the gamma test cannot run");
      outcome.incomplete = true;
    };
    take(*choice.gammaWith, input.lnLGamma);
    take(*choice.gammaWithout, input.lnLNoGamma);
  }
  return outcome;
}

std::string VariantName(const ClassicModel& model) {
  if (model.invariants && model.gamma) return "+I+G";
  if (model.invariants) return "+I";
  if (model.gamma) return "+G";
  return "plain";
}

std::string VariantsHeld(std::span<const ImportedValue> values) {
  // Variants in the order plain, +I, +G, +I+G.
  std::array<int, 4> count{};
  for (const ImportedValue& v : values) {
    ++count[(v.model.invariants ? 1 : 0) + (v.model.gamma ? 2 : 0)];
  }
  std::string text;
  bool enough = false;
  for (int variant : {3, 2, 1, 0}) {
    if (count[variant] == 0) continue;
    enough = enough || count[variant] >= 2;
    const ClassicModel model{Model::JC, (variant & 1) != 0, (variant & 2) != 0};
    text += (text.empty() ? "" : ", ") + VariantName(model) + " for " +
            std::to_string(count[variant]) + (count[variant] == 1 ? " model" : " models");
  }
  return enough ? text : std::string();
}

}  // namespace quillet::cli
