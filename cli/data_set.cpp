#include "cli/data_set.h"

#include <algorithm>

#include "cli/lrt_request.h"
#include "import/likelihood_import.h"

namespace quillet::cli {

std::optional<ImportTable> ReadDataSet(const std::vector<std::string>& paths, LrtEnvironment& env,
                                       int& stop) {
  std::vector<FileImport> files;
  files.reserve(paths.size());
  for (const std::string& path : paths) files.push_back(ReadLikelihoodFile(path));
  ImportTable table = CombineImports(files);
  for (const std::string& message : table.messages) Tell(env.err, message);
  const bool refused = std::any_of(files.begin(), files.end(),
                                   [](const FileImport& file) { return file.refusal.has_value(); });
  if (refused) {
    Tell(env.err, "nothing calculated: a file given was not read");
    stop = kExitFileRefused;
    return std::nullopt;
  }
  if (!table.OneDataSet()) {
    // The messages above named the files with their numbers of taxa and sites.
    Tell(env.err,
         "nothing calculated: give the files of one data set, or read each file as a locus of "
         "its own with --each");
    stop = kExitFileRefused;
    return std::nullopt;
  }
  return table;
}

}  // namespace quillet::cli
