#pragma once

#include <string>

namespace quillet::testing {

// The text with the first `from` in it replaced by `to`: a file made slightly different.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

}  // namespace quillet::testing
