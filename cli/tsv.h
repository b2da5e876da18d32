#pragma once

#include <string>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"

namespace quillet::cli {

// The header line of the tab-separated output.
std::string TsvHeader();

// One line per test that ran: the clock test, the gamma test, then each model compared with
// the reference. Numbers are the shortest decimals that read back to the same single-precision
// values, so a spreadsheet or R gets exactly what the tests used.
std::string TsvRows(const AnalysisInput& input, const AnalysisResult& result);

}  // namespace quillet::cli
