#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_input.h"

namespace quillet::cli {

// What one run of quillet-lrt is asked to do.
struct LrtRequest {
  AnalysisInput input;
  bool tsv = false;                   // one line per test instead of the report's text
  std::optional<std::string> report;  // report file to add the analysis to
  std::string comment;                // heads a new header block in the report
};

// The outcome of reading the command line: a request, or the text to print and the exit status
// (help and version go to stdout with status 0, mistakes to stderr with status 2).
struct ParsedCommandLine {
  std::optional<LrtRequest> request;
  std::string output;
  std::string error;
  int exitStatus = 0;
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotAllRan = 1;  // a test asked for could not run, or no report
inline constexpr int kExitUsage = 2;      // the command line or a value was refused

}  // namespace quillet::cli
