#pragma once

#include <string>

#include "import/file_import.h"
#include "import/import_table.h"

namespace quillet::testing {

// The values as one line, "JC -9533.4938; GTR+I+G -8024.1555", so that a whole reading
// compares at once and a failure shows all of it.
inline std::string ValueList(const std::vector<ImportedValue>& values) {
  std::string text;
  for (const ImportedValue& v : values) {
    if (!text.empty()) text += "; ";
    text += CanonicalName(v.model) + " " + v.lnL;
  }
  return text;
}

inline std::string ValueList(const FileImport& file) { return ValueList(file.values); }

}  // namespace quillet::testing
