#include "ui/help_file.h"

#include <filesystem>
#include <system_error>

namespace quillet {

std::string FindHelpFile(const std::string& fileName, std::span<const std::string> folders) {
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::filesystem::path candidate = std::filesystem::path(folder) / fileName;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      std::filesystem::path full = std::filesystem::absolute(candidate, error);
      return error ? candidate.string() : full.string();
    }
  }
  return {};
}

}  // namespace quillet
