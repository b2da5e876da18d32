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
// with the critical values from `critical`. What quillet-lrt does for each file, and the page
// for each file of a run over loci.
LocusOutcome TestLocus(const LrtRequest& request, const std::string& locus, const FileImport& file,
                       const CriticalValueSource& critical);

// What a run over many loci tells at its end, gathered locus by locus in the order of the files:
// the files refused, the notes of each locus, and how many loci did not run every test chosen
// (or, listing, left values out).
class EachSummary {
 public:
  explicit EachSummary(bool listing) : listing_(listing) {}

  // Takes what `locus` gave apart from its rows.
  void Add(const std::string& locus, LocusOutcome&& outcome);

  // The lines to tell, without the program's name, after a run over `files` files: "2 of 9
  // files refused:", then each refusal; "notes on 3 of 7 loci:", then each note; "not every
  // test chosen ran for 2 loci (see the notes above)". None when there is nothing to tell.
  std::vector<std::string> Lines(std::size_t files) const;

  bool AnyRefused() const { return !refusals_.empty(); }
  bool AnyIncomplete() const { return incomplete_ > 0; }

 private:
  bool listing_;
  std::vector<std::string> refusals_;
  std::vector<std::string> notes_;
  std::size_t lociWithNotes_ = 0;
  std::size_t incomplete_ = 0;
};

}  // namespace quillet::cli
