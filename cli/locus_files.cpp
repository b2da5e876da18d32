#include "cli/locus_files.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/utf8_path.h"

namespace quillet::cli {

namespace {

namespace fs = std::filesystem;

// The regular files in a folder, by name; a problem when it cannot be listed.
std::vector<std::string> FolderFiles(const std::string& folder, std::string& problem) {
  std::vector<std::pair<std::string, std::string>> found;  // name, path
  std::error_code error;
  const fs::path root = PathFromUtf8(folder);
  fs::directory_iterator it(root, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = Utf8FromPath(it->path().filename());
    if (name.empty() || name.front() == '.') continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    found.emplace_back(name, Utf8FromPath(root / it->path().filename()));
  }
  if (error) {
    problem = folder + ": the folder cannot be listed (" + error.message() + ")";
    return {};
  }
  if (found.empty()) problem = folder + ": the folder holds no file to read";
  std::sort(found.begin(), found.end());
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (auto& [name, path] : found) paths.push_back(std::move(path));
  return paths;
}

}  // namespace

LocusFiles ExpandLocusFiles(const std::vector<std::string>& args) {
  LocusFiles result;
  std::set<std::string> seen;
  auto add = [&](std::string path) {
    if (seen.insert(path).second) result.files.push_back({std::move(path), {}});
  };
  for (const std::string& arg : args) {
    std::error_code error;
    if (fs::is_directory(PathFromUtf8(arg), error)) {
      std::string problem;
      for (std::string& path : FolderFiles(arg, problem)) add(std::move(path));
      if (!problem.empty()) result.problems.push_back(problem);
    } else {
      add(arg);
    }
  }

  NameLoci(result.files);
  return result;
}

}  // namespace quillet::cli
