#include "cli/lrt_command.h"

#include "analysis/analyze.h"
#include "cli/tsv.h"
#include "report/report_text.h"
#include "report/report_writer.h"
#include "report/time_stamp.h"

namespace quillet::cli {

namespace {

void Tell(std::ostream& err, const std::string& message) {
  err << "quillet-lrt: " << message << '\n';
}

// Every test asked for ran: a clock or gamma test had its values, and the test of models had
// every model given with its ln L and something to compare.
bool AllAskedForRan(const AnalysisInput& in, const AnalysisResult& result) {
  if (in.testClock && !result.clock) return false;
  if (in.testGamma && !result.gamma) return false;
  if (in.testModels) {
    if (result.models.compared.empty()) return false;
    for (const ModelEntry& model : in.models) {
      if (model.ticked && IsMissing(model.lnL)) return false;
    }
  }
  return true;
}

}  // namespace

int RunLrtCommand(const LrtRequest& request, LrtEnvironment& env) {
  const AnalysisInput& in = request.input;
  const AnalysisResult result = Analyze(in);
  if (result.refusal) {
    Tell(env.err, result.refusal->message);
    return kExitUsage;
  }
  for (const Notice& notice : result.notices) Tell(env.err, notice.text);

  // The analysis exactly as a report's first analysis after its header; on the terminal it goes
  // without the two line feeds that set it off from the header, and ends its last line.
  const std::string text = FormatAnalysis(ReportAnalysisOf(in, result, 1), true);
  if (request.tsv) {
    env.out << TsvHeader() << TsvRows(in, result);
  } else if (result.AnyTestRan()) {
    env.out << text.substr(2) << '\n';
  }
  env.out.flush();

  int status = AllAskedForRan(in, result) ? kExitOk : kExitNotAllRan;
  if (request.report && result.AnyTestRan()) {
    const ReportHeader header{FormatTimeStamp(env.clock.LocalNow()), request.comment,
                              env.currentDirectory ? env.currentDirectory() : std::string()};
    ReportWrite how;
    how.headerBlock = true;
    if (std::optional<std::string> problem =
            WriteReport(*request.report, FormatReportHeader(header) + text, how)) {
      Tell(env.err, *problem);
      status = kExitNotAllRan;
    }
  }
  return status;
}

int LrtMain(const std::vector<std::string>& args, LrtEnvironment& env) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  env.out << parsed.output;
  if (!parsed.error.empty()) Tell(env.err, parsed.error);
  if (!parsed.request) return parsed.exitStatus;
  return RunLrtCommand(*parsed.request, env);
}

}  // namespace quillet::cli
