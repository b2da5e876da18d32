#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "import/file_import.h"
#include "import/model_names.h"

namespace quillet {

// Collects what a reader finds in one file and turns it into a FileImport: checks each
// value, merges a model given twice at different precisions, turns different values for one
// model into a conflict, and sums up what was left out.
class ImportBuilder {
 public:
  ImportBuilder(std::string source, std::string format);

  void SetFormat(std::string format) { format_ = std::move(format); }

  // A value for one of the 24 as the file writes it. `negate` for -ln L columns. A value that
  // is not a decimal, or one without meaning as the log-likelihood of sequence data (above
  // zero, or not finite however it is written: 1e400, -Inf), is not taken; a note names the
  // model. A file whose values are all of that kind is refused when it is finished.
  void AddValue(const ClassicModel& model, std::string_view text, bool negate);

  // A model the file holds that is not among the 24; `name` as the file writes it.
  void LeaveOut(std::string_view name, LeftOutReason reason);

  void SetTaxa(int taxa);
  // The number of sites (alignment columns) the file states; like the taxa, a file that states
  // two numbers gives none.
  void SetSites(int sites);
  void Note(std::string note);

  bool HasValues() const { return !values_.empty(); }

  // The file as read; refused when every value for one of the 24 was without meaning.
  FileImport Finish();
  FileImport Refuse(std::string_view reason);

 private:
  std::string source_;
  std::string format_;
  std::vector<ImportedValue> values_;
  std::vector<std::string> notes_;
  std::optional<int> taxa_;
  bool taxaDisagree_ = false;
  std::optional<int> sites_;
  bool sitesDisagree_ = false;
  std::vector<std::string> meaningless_;  // "GTR+G 3040.10", values refused for their meaning
  std::array<int, kLeftOutReasonCount> leftOut_{};
  std::array<std::string, kLeftOutReasonCount> leftOutExample_;
};

// Merges values for the same model: equal ones, or one value printed at two precisions, become
// the most precise of them; different ones become a conflict. Values come out in the order of
// the 24; conflicts likewise.
void MergeValues(const std::vector<ImportedValue>& in, std::vector<ImportedValue>& values,
                 std::vector<ValueConflict>& conflicts);

}  // namespace quillet
