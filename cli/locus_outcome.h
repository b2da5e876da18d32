#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analyze.h"
#include "cli/lrt_request.h"
#include "import/file_import.h"

namespace quillet::cli {

// What one locus of a run over many loci gave.
struct LocusOutcome {
  std::string rows;                    // its TSV lines, the locus first
  std::optional<std::string> refusal;  // the file was not read
  std::vector<std::string> notes;      // for the summary
  bool incomplete = false;             // a test chosen did not run, or not with every model
};

// --list --each: the values one locus's file holds, as `locus`'s lines of the listing.
LocusOutcome ListLocus(const std::string& locus, const FileImport& file);

// --each: the tests `request` chooses, run on one locus's file, as `locus`'s lines of the TSV,
// with the critical values from `critical`. A locus whose tests did not run keeps a line with
// the reason. What quillet-lrt does for each file, and the page for each file of a run over
// loci.
LocusOutcome TestLocus(const LrtRequest& request, const std::string& locus, const FileImport& file,
                       const CriticalValueSource& critical);

// --criteria --each: one locus's file ranked, as `locus`'s lines (or with --best its line).
LocusOutcome RankLocus(const LrtRequest& request, const std::string& locus, const FileImport& file);

// What a run over many loci does for each: list, test or rank.
enum class EachKind { kTests, kList, kCriteria };

// What a run over many loci tells at its end, gathered locus by locus in the order of the files:
// the files refused, the notes of each locus, and how many loci did not give all that was
// asked.
class EachSummary {
 public:
  explicit EachSummary(EachKind kind) : kind_(kind) {}

  // Takes what `locus` gave apart from its rows.
  void Add(const std::string& locus, LocusOutcome&& outcome);

  // The lines to tell, without the program's name, after a run over `files` files: "2 of 9
  // files refused:", then each refusal; "notes on 3 of 7 loci:", then each note; "not every
  // test chosen ran for 2 loci (see the notes above)". None when there is nothing to tell.
  std::vector<std::string> Lines(std::size_t files) const;

  bool AnyRefused() const { return !refusals_.empty(); }
  bool AnyIncomplete() const { return incomplete_ > 0; }

 private:
  EachKind kind_;
  std::vector<std::string> refusals_;
  std::vector<std::string> notes_;
  std::size_t lociWithNotes_ = 0;
  std::size_t incomplete_ = 0;
};

}  // namespace quillet::cli
