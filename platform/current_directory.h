#pragma once

#include <string>

namespace quillet {

// The process's current working directory, or an empty text when it cannot be read.
std::string CurrentDirectory();

}  // namespace quillet
