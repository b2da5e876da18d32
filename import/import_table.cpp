#include "import/import_table.h"

#include <algorithm>

#include "import/import_builder.h"

namespace quillet {

namespace {

bool Agree(const std::optional<int>& a, const std::optional<int>& b) {
  return !a || !b || *a == *b;
}

bool Fits(const DataSet& set, const FileImport& file) {
  return Agree(set.taxa, file.taxa) && Agree(set.sites, file.sites);
}

void Add(DataSet& set, std::size_t index, const FileImport& file) {
  set.files.insert(std::upper_bound(set.files.begin(), set.files.end(), index), index);
  if (!set.taxa) set.taxa = file.taxa;
  if (!set.sites) set.sites = file.sites;
}

// Each file joins every group it agrees with, or starts one; a file read before a group began
// joins it afterwards when it agrees. Agreeing with a group is agreeing with each file in it (a
// group's numbers are those its files state), so no group holds another, and every file that
// agrees with all of a group's files is in it.
std::vector<DataSet> GroupDataSets(const std::vector<FileImport>& files) {
  std::vector<DataSet> sets;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].refusal) continue;
    bool placed = false;
    for (DataSet& set : sets) {
      if (Fits(set, files[i])) {
        Add(set, i, files[i]);
        placed = true;
      }
    }
    if (!placed) Add(sets.emplace_back(), i, files[i]);
  }
  for (DataSet& set : sets) {
    const std::size_t first = set.files.front();
    for (std::size_t i = 0; i < first; ++i) {
      if (!files[i].refusal && Fits(set, files[i])) Add(set, i, files[i]);
    }
  }
  std::stable_sort(sets.begin(), sets.end(), [](const DataSet& a, const DataSet& b) {
    return a.files.front() < b.files.front();
  });
  return sets;
}

}  // namespace

ImportTable CombineImports(const std::vector<FileImport>& files) {
  ImportTable table;
  table.dataSets = GroupDataSets(files);
  const bool oneDataSet = table.OneDataSet();
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
    if (file.sites) table.sitesReadings.push_back({file.source, *file.sites});
  }
  MergeValues(all, table.values, table.conflicts);
  if (!oneDataSet) {
    // Values of different data sets differ as a matter of course; what to say is that the files
    // do not belong together.
    table.messages.push_back(DescribeDisagreement(files));
    return table;
  }
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
  if (!table.dataSets.empty()) {
    table.taxa = table.dataSets.front().taxa;
    table.sites = table.dataSets.front().sites;
  }
  return table;
}

std::vector<FileImport> FilesOf(const std::vector<FileImport>& files, const DataSet& set) {
  std::vector<FileImport> chosen;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].refusal || std::find(set.files.begin(), set.files.end(), i) != set.files.end()) {
      chosen.push_back(files[i]);
    }
  }
  return chosen;
}

std::string DescribeCounts(const std::optional<int>& taxa, const std::optional<int>& sites) {
  std::string text;
  if (taxa) text = std::to_string(*taxa) + (*taxa == 1 ? " taxon" : " taxa");
  if (taxa && sites) text += " and ";
  if (sites) text += std::to_string(*sites) + (*sites == 1 ? " site" : " sites");
  return text;
}

std::string DescribeDisagreement(const std::vector<FileImport>& files) {
  // The files that state numbers, those that state the same ones together.
  struct Reading {
    std::optional<int> taxa, sites;
    std::string sources;
  };
  std::vector<Reading> readings;
  for (const FileImport& file : files) {
    if (file.refusal || (!file.taxa && !file.sites)) continue;
    auto same = std::find_if(readings.begin(), readings.end(), [&](const Reading& r) {
      return r.taxa == file.taxa && r.sites == file.sites;
    });
    if (same == readings.end()) {
      readings.push_back({file.taxa, file.sites, file.source});
    } else {
      same->sources += ", " + file.source;
    }
  }
  std::string text = "the files are not one data set:";
  for (std::size_t i = 0; i < readings.size(); ++i) {
    text += (i == 0 ? " " : "; ") + DescribeCounts(readings[i].taxa, readings[i].sites) + " in " +
            readings[i].sources;
  }
  return text;
}

const ImportedValue* FindValue(const ImportTable& table, const ClassicModel& model) {
  return FindValue(table.values, model);
}

}  // namespace quillet
