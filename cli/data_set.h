#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/lrt_environment.h"
#include "import/import_table.h"

namespace quillet::cli {

// Reads the files given together as the fits of one data set and tells their messages. Nothing,
// with the exit status in `stop`, when the run stops here: a file was refused (a calculation
// from some of the files would look like one from all of them), or the files are not one data
// set (they state different numbers of taxa or sites).
std::optional<ImportTable> ReadDataSet(const std::vector<std::string>& paths, LrtEnvironment& env,
                                       int& stop);

}  // namespace quillet::cli
