#pragma once

#include <cstddef>
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

// The number of sites one file states.
struct SitesReading {
  std::string source;
  int sites = 0;
};

// Files that can be the fits of one alignment: every two of them that both state the number of
// taxa state the same, and likewise the number of sites. A file that states neither agrees with
// any.
struct DataSet {
  std::vector<std::size_t> files;  // positions among the files combined, in their order
  std::optional<int> taxa;         // as the files of the set state them
  std::optional<int> sites;
};

// Several files' values combined into one table of the 24 models (eight PhyML runs make one
// table). A model with different values, within a file or across files, is not filled: it is
// listed in `conflicts` instead.
struct ImportTable {
  std::vector<ImportedValue> values;      // at most one per model, in the order of the 24
  std::vector<ValueConflict> conflicts;   // models left unfilled
  std::optional<int> taxa;                // set when the files are one data set and state it
  std::optional<int> sites;               // likewise
  std::vector<TaxaReading> taxaReadings;  // every file that states it, in the order given
  std::vector<SitesReading> sitesReadings;
  // The groups of the files read that agree on the data, each as large as it can be, in the
  // order of their first files. One (none when no file was read) when the files are one data
  // set; several when some files state other numbers of taxa or sites than others, and then a
  // file that states neither is in each.
  std::vector<DataSet> dataSets;
  // What the user should read, in the order of the files: refusals, each file's notes
  // ("file: note"), then the conflicts, or the numbers of taxa and sites when the files are not
  // one data set.
  std::vector<std::string> messages;

  // Whether the values can be taken together. When not, nothing is filled from the table
  // (FillInput) until a data set is chosen (CombineImports of its files).
  bool OneDataSet() const { return dataSets.size() <= 1; }
};

// One value per model from all files that were read. Refused files add only their refusal.
// Equal values, or one value printed at two precisions (an IQ-TREE report and its log), count
// as one, and the most precise text is kept with its file.
ImportTable CombineImports(const std::vector<FileImport>& files);

// The files of a data set (DataSet::files) and the refused ones, which add their refusals: what
// CombineImports takes to make that data set's table.
std::vector<FileImport> FilesOf(const std::vector<FileImport>& files, const DataSet& set);

// "the files are not one data set: 20 taxa in a.txt, b.txt; 27 taxa and 3925 sites in c.log",
// every file that states a number named once, files that state the same together.
std::string DescribeDisagreement(const std::vector<FileImport>& files);

// "20 taxa and 3925 sites", "20 taxa", "3925 sites", or "" when neither is known.
std::string DescribeCounts(const std::optional<int>& taxa, const std::optional<int>& sites);

// The value of a model, or null.
const ImportedValue* FindValue(const ImportTable& table, const ClassicModel& model);

}  // namespace quillet
