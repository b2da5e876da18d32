#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the text is an IQ-TREE log (.log): its first line is "IQ-TREE [multicore] version
// <version> for <system> ...".
bool LooksLikeIqTreeLog(std::string_view firstLine);

// Reads the ModelFinder table of an IQ-TREE log ("No. Model -LnL df AIC AICc BIC"), whose
// -LnL column is positive and read with a minus sign. Taxa and sites from "Alignment has 32
// sequences with 1506 columns, ...".
// Refused: logs of runs that stopped with "ERROR:", partitioned runs, data other than
// nucleotides, and logs without a ModelFinder table (a fixed-model run is read from its
// .iqtree report).
FileImport ReadIqTreeLog(std::string_view text, const std::string& source);

}  // namespace quillet
