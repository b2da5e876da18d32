#include "ui/help_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/utf8_path.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class HelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("quillet_help_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    for (const char* dir : {"cwd", "exe", "share"}) fs::create_directories(root / dir);
  }
  void TearDown() override { fs::remove_all(root); }

  void Put(const char* dir) { std::ofstream(root / dir / "Quillet.hlp") << "<html></html>"; }
  std::string Dir(const char* dir) const { return (root / dir).string(); }
  std::string Search() const {
    std::vector<std::string> folders = {Dir("cwd"), "", Dir("exe"), Dir("share")};
    return FindHelpFile("Quillet.hlp", folders);
  }

  fs::path root;
};

TEST_F(HelpFileTest, TheCurrentFolderComesFirst) {
  Put("cwd");
  Put("exe");
  Put("share");
  EXPECT_EQ(fs::path(Search()), root / "cwd" / "Quillet.hlp");
}

TEST_F(HelpFileTest, ThenBesideTheProgramThenTheInstalledFolder) {
  Put("share");
  EXPECT_EQ(fs::path(Search()), root / "share" / "Quillet.hlp");
  Put("exe");
  EXPECT_EQ(fs::path(Search()), root / "exe" / "Quillet.hlp");
}

TEST_F(HelpFileTest, NothingFoundGivesAnEmptyPath) { EXPECT_EQ(Search(), ""); }

TEST_F(HelpFileTest, AFolderWithTheHelpFilesNameIsNotTheHelpFile) {
  fs::create_directories(root / "cwd" / "Quillet.hlp");
  Put("share");
  EXPECT_EQ(fs::path(Search()), root / "share" / "Quillet.hlp");
}

// Folders are named in UTF-8, as the program names every path, whatever the system's code page.
TEST_F(HelpFileTest, FoldersWithAnyNameAreSearched) {
  for (const char* name :
       {"plain", "Jos\xC3\xA9 r\xC3\xA9sum\xC3\xA9", "\xE6\x97\xA5\xE6\x9C\xAC"}) {
    SCOPED_TRACE(name);
    const fs::path folder = root / PathFromUtf8(name);
    fs::create_directories(folder);
    std::ofstream(folder / "Quillet.hlp") << "<html></html>";
    const std::vector<std::string> folders = {Utf8FromPath(folder)};
    EXPECT_EQ(PathFromUtf8(FindHelpFile("Quillet.hlp", folders)), folder / "Quillet.hlp");
  }
}

}  // namespace
}  // namespace quillet
