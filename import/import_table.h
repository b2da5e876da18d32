#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/file_import.h"

namespace quillet {

// The number of taxa one file states.
struct TaxaReading {
  std::string source;
  int taxa = 0;
};

// Several files' values combined into one table of the 24 models (eight PhyML runs make one
// table). A model with different values, within a file or across files, is not filled: it is
// listed in `conflicts` instead.
struct ImportTable {
  std::vector<ImportedValue> values;      // at most one per model, in the order of the 24
  std::vector<ValueConflict> conflicts;   // models left unfilled
  std::optional<int> taxa;                // set when the files that state it agree
  std::vector<TaxaReading> taxaReadings;  // every file that states it, in the order given
  // What the user should read, in the order of the files: refusals, each file's notes
  // ("file: note"), then the conflicts and a disagreement about taxa.
  std::vector<std::string> messages;
};

// One value per model from all files that were read. Refused files add only their refusal.
// Equal values, or one value printed at two precisions (an IQ-TREE report and its log), count
// as one, and the most precise text is kept with its file.
ImportTable CombineImports(const std::vector<FileImport>& files);

// The value of a model, or null.
const ImportedValue* FindValue(const ImportTable& table, const ClassicModel& model);

}  // namespace quillet
