#pragma once

#include <span>
#include <vector>

#include "analysis/criteria.h"
#include "import/file_import.h"

namespace quillet {

// The values read, as models to rank: each with its ln L as the file wrote it.
std::vector<FittedModel> FittedModelsOf(std::span<const ImportedValue> values);

}  // namespace quillet
