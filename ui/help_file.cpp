#include "ui/help_file.h"

#include <filesystem>
#include <system_error>

#include "platform/utf8_path.h"

namespace quillet {

std::string FindHelpFile(const std::string& fileName, std::span<const std::string> folders) {
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::filesystem::path candidate = PathFromUtf8(folder) / PathFromUtf8(fileName);
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      std::filesystem::path full = std::filesystem::absolute(candidate, error);
      return Utf8FromPath(error ? candidate : full);
    }
  }
  return {};
}

}  // namespace quillet
