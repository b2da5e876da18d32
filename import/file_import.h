#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/classic_model.h"

namespace quillet {

// One log-likelihood read from a file.
struct ImportedValue {
  ClassicModel model;
  std::string lnL;     // the decimal as the file writes it; values of a -ln L column get a minus
  double value = 0.0;  // lnL converted without the locale
  std::string source;  // the file as the caller named it
};

// Different values for one model, from one file or several. Such a model is left unfilled:
// which value is right is for the user to find out.
struct ValueConflict {
  ClassicModel model;
  std::vector<ImportedValue> values;
};

// What one file holds.
struct FileImport {
  std::string source;                    // the file as the caller named it
  std::string format;                    // "IQ-TREE 2.4.0 report"; empty when not recognised
  std::vector<ImportedValue> values;     // at most one per model, in the order of the 24
  std::vector<ValueConflict> conflicts;  // models the file gives different values for
  std::optional<int> taxa;               // the number of sequences, where the file states it
  std::optional<int> sites;              // the number of alignment columns, where it states it
  int leftOut = 0;                       // models in the file that are not among the 24
  std::vector<std::string> notes;        // what the user should know: what was left out, ...
  // Set when the file is not read: the file's name, a colon and the reason. Then values and
  // conflicts are empty.
  std::optional<std::string> refusal;
};

// The position of a model among the 24 (AllClassicModels), 0 to 23.
int ClassicIndex(const ClassicModel& model);

// "HKY85+G: -6172.58029 (a.txt), -6181.13414 (b.txt)".
std::string DescribeConflict(const ValueConflict& conflict);

// The value read for a model, or null.
const ImportedValue* FindValue(std::span<const ImportedValue> values, const ClassicModel& model);

// Every value the file holds, those it gives different values for included, in the order of
// the 24: what a listing of the file shows.
std::vector<ImportedValue> AllValues(const FileImport& file);

// Whether the files gave a model different values.
bool InConflict(std::span<const ValueConflict> conflicts, const ClassicModel& model);

}  // namespace quillet
