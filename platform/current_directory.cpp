#include "platform/current_directory.h"

#include <filesystem>
#include <system_error>

namespace quillet {

std::string CurrentDirectory() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::current_path(error);
  if (error) return {};
  return path.string();
}

}  // namespace quillet
