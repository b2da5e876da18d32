#include "cli/list_command.h"

#include <algorithm>

#include "import/import_table.h"
#include "import/likelihood_import.h"
#include "report/tsv.h"

namespace quillet::cli {

namespace {

// Every value of every file read, by model and then in the order of the files.
std::vector<ImportedValue> EveryValue(const std::vector<FileImport>& files) {
  std::vector<ImportedValue> all;
  for (const FileImport& file : files) {
    const std::vector<ImportedValue> values = AllValues(file);
    all.insert(all.end(), values.begin(), values.end());
  }
  std::stable_sort(all.begin(), all.end(), [](const ImportedValue& a, const ImportedValue& b) {
    return ClassicIndex(a.model) < ClassicIndex(b.model);
  });
  return all;
}

}  // namespace

std::string ListHeader() { return "model\tlnL\tsource\n"; }

std::string ListRows(const std::vector<ImportedValue>& values) {
  std::string rows;
  for (const ImportedValue& v : values) {
    rows += CanonicalName(v.model) + '\t' + v.lnL + '\t' + TsvField(v.source) + '\n';
  }
  return rows;
}

int RunListCommand(const LrtRequest& request, LrtEnvironment& env) {
  std::vector<FileImport> files;
  files.reserve(request.files.size());
  int status = kExitOk;
  for (const std::string& path : request.files) {
    files.push_back(ReadLikelihoodFile(path));
    if (files.back().refusal) status = kExitFileRefused;
  }
  // Listed as the files hold them: what the files give, not what a calculation would take.
  env.out << ListHeader() << ListRows(EveryValue(files));
  env.out.flush();
  const ImportTable table = CombineImports(files);
  for (const std::string& message : table.messages) Tell(env.err, message);
  if (status == kExitOk && (!table.conflicts.empty() || !table.OneDataSet())) {
    status = kExitNotAllRan;
  }
  return status;
}

}  // namespace quillet::cli
