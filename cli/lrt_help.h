#pragma once

#include <string>

namespace quillet::cli {

// The text above the options in quillet-lrt --help: what it calculates and what it reads.
std::string LrtDescription();

// The text below them: how files are read, --each, the exit statuses.
std::string LrtFooter();

}  // namespace quillet::cli
