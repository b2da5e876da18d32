#include "platform/current_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/utf8_path.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

// The start folder goes into every report header as the program found it, in UTF-8, whatever
// its name and the system's code page.
TEST(CurrentDirectoryTest, IsTheWorkingFolderInUtf8) {
  const fs::path before = fs::current_path();
  testing::TempDir dir;
  for (const char* name :
       {"plain", "Jos\xC3\xA9 r\xC3\xA9sum\xC3\xA9", "\xE6\x97\xA5\xE6\x9C\xAC"}) {
    SCOPED_TRACE(name);
    const fs::path folder = dir.path() / PathFromUtf8(name);
    fs::create_directory(folder);
    fs::current_path(folder);
    EXPECT_EQ(PathFromUtf8(CurrentDirectory()), fs::current_path());
    EXPECT_EQ(fs::canonical(PathFromUtf8(CurrentDirectory())), fs::canonical(folder));
  }
  fs::current_path(before);
}

}  // namespace
}  // namespace quillet
