#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/criteria.h"
#include "cli/lrt_environment.h"
#include "cli/lrt_request.h"
#include "import/file_import.h"

namespace quillet::cli {

// --criteria without --each: ranks every classic model that the files (read as one data set)
// and --model give, --model winning for a model both give, and prints the fixed-width table
// (or, with --tsv, the TSV); with --report adds the ranking to the report. The number of taxa
// and of sites come from --taxa and --sites, else from the files. Returns 0, 1 when the report
// could not be written, 2 when the ranking cannot be made (no number of taxa, a value without
// meaning), 3 when a file was refused or the files are not one data set.
int RunCriteriaCommand(const LrtRequest& request, LrtEnvironment& env);

// One data set's ranking, or why it cannot be made, with what the user should know: no number
// of sites (AICc and BIC left out), nested pairs fitted worse. `oneFile`: the data set is one
// file, and the notes say "the file" rather than "the files".
struct DataSetRanking {
  std::optional<CriteriaTable> table;
  std::vector<std::string> notes;
};
DataSetRanking RankDataSet(const std::vector<FittedModel>& models, std::optional<int> taxa,
                           std::optional<int> sites, bool oneFile);

// One data set's ranking as --each makes it for a locus: the TSV rows (or with --best the one
// line), and the notes for the summary; nothing in `rows` when it cannot be made.
struct LocusRanking {
  std::string rows;
  std::vector<std::string> notes;
  bool incomplete = false;  // no ranking, or no AICc and BIC for want of the number of sites
};
LocusRanking RankLocus(const FileImport& file, bool best);

}  // namespace quillet::cli
