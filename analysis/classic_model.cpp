#include "analysis/classic_model.h"

namespace quillet {

namespace {

constexpr std::array<Model, 6> kBases = {Model::JC,    Model::K2P, Model::F81,
                                         Model::HKY85, Model::TrN, Model::GTR};

}  // namespace

std::string CanonicalName(const ClassicModel& model) {
  std::string name = ModelName(model.base);
  if (model.invariants) name += "+I";
  if (model.gamma) name += "+G";
  return name;
}

std::optional<ClassicModel> ParseCanonicalName(std::string_view name) {
  for (const ClassicModel& model : AllClassicModels()) {
    if (CanonicalName(model) == name) return model;
  }
  return std::nullopt;
}

std::array<ClassicModel, 24> AllClassicModels() {
  std::array<ClassicModel, 24> all{};
  std::size_t i = 0;
  for (Model base : kBases) {
    all[i++] = {base, false, false};
    all[i++] = {base, true, false};
    all[i++] = {base, false, true};
    all[i++] = {base, true, true};
  }
  return all;
}

}  // namespace quillet
