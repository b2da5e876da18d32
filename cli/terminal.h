#pragma once

namespace quillet::cli {

// Whether standard error is a terminal (someone watching) rather than a file or a pipe.
bool StderrIsTerminal();

}  // namespace quillet::cli
