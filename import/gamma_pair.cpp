#include "import/gamma_pair.h"

#include <array>

namespace quillet {

namespace {

int Parameters(const ClassicModel& model) {
  return (model.invariants ? 1 : 0) + (model.gamma ? 1 : 0);
}

}  // namespace

bool IsGammaPair(const GammaPair& pair) {
  const ClassicModel& with = pair.with;
  const ClassicModel& without = pair.without;
  // WITH keeps everything WITHOUT has and adds exactly one of the two.
  return with.base == without.base && (with.gamma || !without.gamma) &&
         (with.invariants || !without.invariants) && Parameters(with) == Parameters(without) + 1;
}

std::vector<GammaPair> GammaPairsOf(Model base) {
  // By the number of parameters, +G before +I: the order the pairs are listed in.
  const std::array<ClassicModel, 4> variants = {
      ClassicModel{base, false, false}, ClassicModel{base, false, true},
      ClassicModel{base, true, false}, ClassicModel{base, true, true}};
  std::vector<GammaPair> pairs;
  for (const ClassicModel& with : variants) {
    for (const ClassicModel& without : variants) {
      if (IsGammaPair({with, without})) pairs.push_back({with, without});
    }
  }
  return pairs;
}

std::vector<GammaPair> GammaPairs(const ImportTable& table) {
  std::vector<GammaPair> pairs;
  for (Model base : kReportOrder) {
    for (const GammaPair& pair : GammaPairsOf(base)) {
      if (FindValue(table, pair.with) && FindValue(table, pair.without)) pairs.push_back(pair);
    }
  }
  return pairs;
}

std::string DescribePair(const GammaPair& pair) {
  return CanonicalName(pair.with) + " against " + CanonicalName(pair.without);
}

}  // namespace quillet
