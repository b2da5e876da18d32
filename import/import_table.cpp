#include "import/import_table.h"

#include "import/import_builder.h"

namespace quillet {

ImportTable CombineImports(const std::vector<FileImport>& files) {
  ImportTable table;
  // Every value of every file, those a file already disagrees with itself on included: values
  // that disagree stay in disagreement whatever a third value is, so such a model is never
  // filled.
  std::vector<ImportedValue> all;
  for (const FileImport& file : files) {
    if (file.refusal) {
      table.messages.push_back(*file.refusal);
      continue;
    }
    for (const std::string& note : file.notes) table.messages.push_back(file.source + ": " + note);
    all.insert(all.end(), file.values.begin(), file.values.end());
    for (const ValueConflict& conflict : file.conflicts) {
      all.insert(all.end(), conflict.values.begin(), conflict.values.end());
    }
    if (file.taxa) table.taxaReadings.push_back({file.source, *file.taxa});
  }
  MergeValues(all, table.values, table.conflicts);
  for (const ValueConflict& conflict : table.conflicts) {
    // A conflict within one file was told in that file's notes.
    bool severalFiles = false;
    for (const ImportedValue& v : conflict.values) {
      severalFiles = severalFiles || v.source != conflict.values.front().source;
    }
    if (severalFiles) {
      table.messages.push_back("different values for " + DescribeConflict(conflict) +
                               "; that model is left unfilled");
    }
  }

  bool agree = !table.taxaReadings.empty();
  for (const TaxaReading& r : table.taxaReadings) {
    agree = agree && r.taxa == table.taxaReadings.front().taxa;
  }
  if (agree) {
    table.taxa = table.taxaReadings.front().taxa;
  } else if (!table.taxaReadings.empty()) {
    std::string text = "the files state different numbers of taxa:";
    for (std::size_t i = 0; i < table.taxaReadings.size(); ++i) {
      text += (i == 0 ? " " : ", ") + std::to_string(table.taxaReadings[i].taxa) + " (" +
              table.taxaReadings[i].source + ")";
    }
    table.messages.push_back(text + "; none is taken");
  }
  return table;
}

const ImportedValue* FindValue(const ImportTable& table, const ClassicModel& model) {
  return FindValue(table.values, model);
}

}  // namespace quillet
