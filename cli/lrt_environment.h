#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "platform/clock.h"

namespace quillet::cli {

// Where a run of quillet-lrt writes and what it takes from its surroundings, so that tests can
// fix the time and the folder.
struct LrtEnvironment {
  std::ostream& out;
  std::ostream& err;
  const Clock& clock;
  std::function<std::string()> currentDirectory;
  bool errIsTerminal = false;  // a progress bar on `err` is seen, not logged
  unsigned workers = 0;        // threads reading files for --each; 0: one per processor
};

// A message on stderr, with the program's name before it as command-line tools do.
inline void Tell(std::ostream& err, const std::string& message) {
  err << "quillet-lrt: " << message << '\n';
}

}  // namespace quillet::cli
