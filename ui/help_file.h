#pragma once

#include <span>
#include <string>

namespace quillet {

// The first of `folders` that holds a regular file named `fileName`, as a full path; empty
// when none does. Empty folder names are skipped.
std::string FindHelpFile(const std::string& fileName, std::span<const std::string> folders);

}  // namespace quillet
