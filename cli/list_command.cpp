#include "cli/list_command.h"

#include "report/tsv.h"
#include "import/import_table.h"
#include "import/likelihood_import.h"

namespace quillet::cli {

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
  const ImportTable table = CombineImports(files);
  env.out << ListHeader() << ListRows(table.values);
  env.out.flush();
  for (const std::string& message : table.messages) Tell(env.err, message);
  if (status == kExitOk && !table.conflicts.empty()) status = kExitNotAllRan;
  return status;
}

}  // namespace quillet::cli
