#include "platform/current_directory.h"

#include <filesystem>
#include <system_error>

#include "platform/utf8_path.h"

namespace quillet {

std::string CurrentDirectory() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::current_path(error);
  if (error) return {};
  return Utf8FromPath(path);
}

}  // namespace quillet
