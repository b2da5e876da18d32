#pragma once

#include <string>
#include <string_view>

#include "import/file_import.h"

namespace quillet {

// Whether the first line is the header of a table Quillet reads: cells separated by tabs,
// commas, semicolons or blanks, one of them naming the model column (Model, model, Models,
// Model name) and one the log-likelihood (lnL, LogL, logLik, log-likelihood, ...; with a
// leading minus, -lnL, the column holds -ln L).
bool LooksLikePlainTable(std::string_view firstLine);

// Reads such a table: spreadsheet and R exports (quoted cells, R's row names) included. A
// table whose names carry frequency parts the way IQ-TREE writes them (HKY+F) is read with
// IQ-TREE's meaning of a name without one; otherwise "HKY" is HKY85. A table not separated by
// commas whose log-likelihoods all write a decimal comma ("GTR+G;-3040,10", a spreadsheet's
// export where the comma is the decimal mark) is read with the commas as decimal points. Taxa
// and sites are not read from tables.
FileImport ReadPlainTable(std::string_view text, const std::string& source);

}  // namespace quillet
