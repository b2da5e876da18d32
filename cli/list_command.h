#pragma once

#include <string>
#include <vector>

#include "cli/lrt_environment.h"
#include "cli/lrt_request.h"
#include "import/file_import.h"

namespace quillet::cli {

// --list: every value the files hold, one line each after the header line
// "model<TAB>lnL<TAB>source", in the order of the 24 models and, for one model, of the files:
// values the files disagree on, and values of files that are not one data set, included. The
// files' messages go to `err`. Returns 3 when a file was refused; 1 when the files cannot be
// read together as they are (they disagree on a value, or are not one data set); 0 otherwise.
int RunListCommand(const LrtRequest& request, LrtEnvironment& env);

// The lines of one table of values: canonical name, the decimal as the file writes it, and
// the file as given.
std::string ListRows(const std::vector<ImportedValue>& values);

// "model\tlnL\tsource\n".
std::string ListHeader();

}  // namespace quillet::cli
