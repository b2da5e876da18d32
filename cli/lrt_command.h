#pragma once

#include <string>
#include <vector>

#include "cli/lrt_environment.h"
#include "cli/lrt_request.h"

namespace quillet::cli {

// Runs the calculation asked for: the files, if any, read together as one data set and their
// messages on `err`; the results on `out` (the report's text of the analysis, or TSV); every
// message the window would show as a box on `err`; and the analysis added to the report file
// when one is given. Returns the exit status.
int RunLrtCommand(const LrtRequest& request, LrtEnvironment& env);

// The whole program: reads the arguments (without the program's name) and runs them.
int LrtMain(const std::vector<std::string>& args, LrtEnvironment& env);

}  // namespace quillet::cli
