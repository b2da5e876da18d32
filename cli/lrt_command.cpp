#include "cli/lrt_command.h"

#include <algorithm>
#include <optional>

#include "analysis/analyze.h"
#include "cli/criteria_command.h"
#include "cli/data_set.h"
#include "cli/each_command.h"
#include "cli/fill_problems.h"
#include "cli/list_command.h"
#include "import/import_choice.h"
#include "import/import_table.h"
#include "import/likelihood_import.h"
#include "report/report_entry.h"
#include "report/report_text.h"
#include "report/time_stamp.h"
#include "report/tsv.h"

namespace quillet::cli {

namespace {

// Reads the files as one data set and fills `in` from them, telling their messages. Returns
// the exit status when the run stops here (a file refused, files that are not one data set, no
// number of taxa for the clock test); raises `status` when something chosen could not be
// filled.
std::optional<int> FillFromFiles(const LrtRequest& request, AnalysisInput& in, LrtEnvironment& env,
                                 int& status) {
  int stop = kExitOk;
  const std::optional<ImportTable> read = ReadDataSet(request.files, env, stop);
  if (!read) return stop;
  const ImportTable& table = *read;
  const ImportFill fill = FillInput(request.choice, table, in);
  if (request.choice.taxa && !fill.taxa) {
    // Files of one data set that state the number of taxa agree on it.
    Tell(env.err, "--clock needs --taxa N: the files do not state the number of taxa");
    return kExitUsage;
  }
  const FillProblems problems = DescribeFill(fill, request.named, "the files");
  for (const std::string& problem : problems.problems) Tell(env.err, problem);
  if (problems.incomplete) status = std::max(status, kExitNotAllRan);
  const auto ticked = std::count_if(in.models.begin(), in.models.end(),
                                    [](const ModelEntry& row) { return row.ticked; });
  const bool rowsChosen =
      std::any_of(request.choice.rows.begin(), request.choice.rows.end(),
                  [](const std::optional<ClassicModel>& row) { return row.has_value(); });
  if (rowsChosen && ticked < 2) {
    const std::string held = VariantsHeld(table.values);
    if (!held.empty()) {
      Tell(env.err, "the files hold " + held + "; choose with --variant or --use");
    }
  }
  return std::nullopt;
}

// A refusal in the words of the command line: a log-likelihood by the option that gave it.
std::string RefusalText(const Refusal& refusal) {
  switch (refusal.field) {
    case InputField::kLnLClock:
      return "--clock (WITH): " + refusal.reason;
    case InputField::kLnLNoClock:
      return "--clock (WITHOUT): " + refusal.reason;
    case InputField::kLnLGamma:
      return "--gamma (WITH): " + refusal.reason;
    case InputField::kLnLNoGamma:
      return "--gamma (WITHOUT): " + refusal.reason;
    case InputField::kModelLnL:
      return "--model " + std::string(refusal.model ? ModelName(*refusal.model) : "") + ": " +
             refusal.reason;
    case InputField::kPValue:
    case InputField::kTaxa:
      break;
  }
  return refusal.message;
}

}  // namespace

int RunLrtCommand(const LrtRequest& request, LrtEnvironment& env) {
  AnalysisInput in = request.input;
  int status = kExitOk;
  if (!request.files.empty()) {
    if (const std::optional<int> stop = FillFromFiles(request, in, env, status)) return *stop;
  }
  const AnalysisResult result = Analyze(in);
  if (result.refusal) {
    Tell(env.err, RefusalText(*result.refusal));
    return kExitUsage;
  }
  for (const Notice& notice : result.notices) Tell(env.err, notice.text);

  if (request.tsv) {
    env.out << TsvHeader() << TsvRows(in, result);
  } else if (result.AnyTestRan()) {
    // The analysis exactly as a report's first analysis after its header; on the terminal it
    // goes without the two line feeds that set it off from the header, and ends its last line.
    env.out << FormatAnalysis(ReportAnalysisOf(in, result, 1), true).substr(2) << '\n';
  }
  env.out.flush();

  if (!EveryTestRan(in, result)) status = std::max(status, kExitNotAllRan);
  if (request.report && result.AnyTestRan()) {
    // Every run opens a header block of its own.
    ReportPlacement placement;
    placement.header = ReportHeader{FormatTimeStamp(env.clock.LocalNow()), request.comment,
                                    env.currentDirectory ? env.currentDirectory() : std::string()};
    if (std::optional<std::string> problem = AddToReport(*request.report, in, result, placement)) {
      Tell(env.err, *problem);
      status = std::max(status, kExitNotAllRan);
    }
  }
  return status;
}

int LrtMain(const std::vector<std::string>& args, LrtEnvironment& env) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  env.out << parsed.output;
  if (!parsed.error.empty()) Tell(env.err, parsed.error);
  if (!parsed.request) return parsed.exitStatus;
  switch (parsed.request->mode) {
    case LrtMode::kList:
      return RunListCommand(*parsed.request, env);
    case LrtMode::kEach:
      return RunEachCommand(*parsed.request, env);
    case LrtMode::kCriteria:
      return RunCriteriaCommand(*parsed.request, env);
    case LrtMode::kCalculate:
      break;
  }
  return RunLrtCommand(*parsed.request, env);
}

}  // namespace quillet::cli
