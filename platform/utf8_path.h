#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillet {

// A path from its UTF-8 text, the form every path takes inside the program. (A plain string
// would be read in the system's code page on Windows.)
inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// The path as UTF-8 text.
inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace quillet
