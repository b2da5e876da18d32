#include "cli/locus_names.h"

#include <filesystem>
#include <map>

#include "platform/utf8_path.h"

namespace quillet::cli {

namespace {

std::string LocusName(const std::string& path) {
  const std::filesystem::path file = PathFromUtf8(path);
  const std::string stem = Utf8FromPath(file.stem());
  return stem.empty() ? Utf8FromPath(file.filename()) : stem;
}

}  // namespace

void NameLoci(std::vector<LocusFile>& files) {
  for (LocusFile& file : files) file.locus = LocusName(file.path);
  // A path taken as a name can meet another file's name ("a.b" and "x/a.b.iqtree"), so until
  // no name is shared; the paths themselves all differ, so this ends.
  for (bool shared = true; shared;) {
    std::map<std::string, int> uses;
    for (const LocusFile& file : files) ++uses[file.locus];
    shared = false;
    for (LocusFile& file : files) {
      if (uses[file.locus] > 1 && file.locus != file.path) {
        file.locus = file.path;
        shared = true;
      }
    }
  }
}

}  // namespace quillet::cli
