#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "cli/lrt_request.h"
#include "platform/clock.h"

namespace quillet::cli {

// Where a run of quillet-lrt writes and what it takes from its surroundings, so that tests can
// fix the time and the folder.
struct LrtEnvironment {
  std::ostream& out;
  std::ostream& err;
  const Clock& clock;
  std::function<std::string()> currentDirectory;
};

// Runs the calculation asked for: the results on `out` (the report's text of the analysis, or
// TSV), every message the window would show as a box on `err`, and the analysis added to the
// report file when one is given. Returns the exit status.
int RunLrtCommand(const LrtRequest& request, LrtEnvironment& env);

// The whole program: reads the arguments (without the program's name) and runs them.
int LrtMain(const std::vector<std::string>& args, LrtEnvironment& env);

}  // namespace quillet::cli
