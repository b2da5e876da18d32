#pragma once

#include <string>
#include <string_view>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"

namespace quillet {

// The header line of the tab-separated output of the tests.
std::string TsvHeader();

// One line per test that ran: the clock test, the gamma test, then each model compared with
// the reference, in the order the report lists them. Log-likelihoods, statistics and critical
// values are the shortest decimals that read back to the values the tests used; the p-value is
// the distribution's, to six significant digits, however small. A test whose more complex
// model fits worse says so in its note.
std::string TsvRows(const AnalysisInput& input, const AnalysisResult& result);

// The line of a run whose tests could not run (`reason` in the note, every other field empty),
// so that a table over many runs has a line for each.
std::string TsvReasonRow(std::string_view reason);

// Text as one TSV field that R's read.delim and Python's csv read back as one field of one
// record: a tab, line feed or carriage return becomes \t, \n or \r, and a field holding a
// double quote is quoted, its quotes doubled.
std::string TsvField(std::string_view text);

// Every line of `rows` with `field` and a tab before it.
std::string WithFirstField(const std::string& field, const std::string& rows);

}  // namespace quillet
