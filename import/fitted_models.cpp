#include "import/fitted_models.h"

namespace quillet {

std::vector<FittedModel> FittedModelsOf(std::span<const ImportedValue> values) {
  std::vector<FittedModel> models;
  models.reserve(values.size());
  for (const ImportedValue& v : values) models.push_back({v.model, v.value, v.lnL});
  return models;
}

}  // namespace quillet
