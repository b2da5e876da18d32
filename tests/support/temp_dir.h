#pragma once

#include <filesystem>
#include <string>

#include "platform/utf8_path.h"

namespace quillet::testing {

// A fresh empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Full path of a file in the folder, as UTF-8 text, the form the program takes paths in.
  std::string File(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
  }

 private:
  std::filesystem::path path_;
};

// The whole content of a file read in binary mode; empty when it cannot be opened.
std::string ReadWholeFile(const std::string& path);

// The text of a file written in text mode, with its line ends as "\n": on Windows each line
// feed must stand after a carriage return, as text mode writes it, and the pair reads as "\n";
// a bare line feed there makes the result start with a note that says so, so that no
// comparison with the expected text can pass.
std::string ReadTextFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);

}  // namespace quillet::testing
