#pragma once

#include <string>
#include <string_view>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"

namespace quillet::cli {

// The header line of the tab-separated output.
std::string TsvHeader();

// One line per test that ran: the clock test, the gamma test, then each model compared with
// the reference. Numbers are the shortest decimals that read back to the same single-precision
// values, so a spreadsheet or R gets exactly what the tests used.
std::string TsvRows(const AnalysisInput& input, const AnalysisResult& result);

// Text as one TSV field: a tab, line feed or carriage return (which a file name can hold)
// becomes \t, \n or \r, so that every row keeps its columns.
std::string TsvField(std::string_view text);

// Every line of `rows` with `field` and a tab before it.
std::string WithFirstField(const std::string& field, const std::string& rows);

}  // namespace quillet::cli
