#include "import/file_import.h"

#include <algorithm>

namespace quillet {

int ClassicIndex(const ClassicModel& model) {
  const auto all = AllClassicModels();
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i] == model) return static_cast<int>(i);
  }
  return 0;
}

std::string DescribeConflict(const ValueConflict& conflict) {
  std::string text = CanonicalName(conflict.model) + ":";
  for (std::size_t i = 0; i < conflict.values.size(); ++i) {
    text += i == 0 ? " " : ", ";
    text += conflict.values[i].lnL + " (" + conflict.values[i].source + ")";
  }
  return text;
}

const ImportedValue* FindValue(std::span<const ImportedValue> values, const ClassicModel& model) {
  for (const ImportedValue& v : values) {
    if (v.model == model) return &v;
  }
  return nullptr;
}

std::vector<ImportedValue> AllValues(const FileImport& file) {
  std::vector<ImportedValue> all = file.values;
  for (const ValueConflict& conflict : file.conflicts) {
    all.insert(all.end(), conflict.values.begin(), conflict.values.end());
  }
  std::stable_sort(all.begin(), all.end(), [](const ImportedValue& a, const ImportedValue& b) {
    return ClassicIndex(a.model) < ClassicIndex(b.model);
  });
  return all;
}

bool InConflict(std::span<const ValueConflict> conflicts, const ClassicModel& model) {
  for (const ValueConflict& c : conflicts) {
    if (c.model == model) return true;
  }
  return false;
}

}  // namespace quillet
