#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is an IQ-TREE report (.iqtree): its first line is "IQ-TREE <version>
// built ...", without the word "version" that starts a log.
bool LooksLikeIqTreeReport(std::string_view firstLine);

// Reads an IQ-TREE report, 0.9 to 3.x. With a ModelFinder table ("List of models sorted by
// ... scores", LogL column) the table's values are read, since all of them were fitted on one
// tree; the final tree's log-likelihood is not mixed in. Without one, the run's model ("Model
// of substitution", "Model of rate heterogeneity", "State frequencies") with "Log-likelihood
// of the tree". Taxa and sites from "Input data: 32 sequences with 1506 nucleotide sites". A
// table that runs to the end of the text is read with a note that it ends early. Partitioned
// runs and data other than nucleotides are refused.
FileImport ReadIqTreeReport(std::string_view text, const std::string& source);

}  // namespace quillet
