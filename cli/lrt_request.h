#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_input.h"
#include "analysis/criteria.h"
#include "import/import_choice.h"

namespace quillet::cli {

// What a run does with the files named on the command line.
enum class LrtMode {
  kCalculate,  // one calculation; the files, if any, are read together as one data set
  kList,       // --list: print the values the files hold, calculate nothing
  kEach,       // --each: one calculation per file, each file a locus, one TSV
  kCriteria,   // --criteria: the models ranked by AIC, AICc and BIC
};

// What one run of quillet-lrt is asked to do.
struct LrtRequest {
  LrtMode mode = LrtMode::kCalculate;
  bool list = false;               // --list, alone or with --each
  AnalysisInput input;             // the values the options give and the tests asked for
  std::vector<std::string> files;  // as given; for --each folders too
  // Which values read from the files are taken. What the options give is not chosen, so no file
  // replaces it: the rows of --model, the gamma test of --gamma, the number of taxa of --taxa.
  ImportChoice choice;
  std::array<bool, 6> named{};        // the rows whose variant --use names, indexed by Model
  bool tsv = false;                   // one line per test instead of the report's text
  std::optional<std::string> report;  // report file to add the analysis to
  std::string comment;                // heads a new header block in the report

  // --criteria, alone or with --each: rank the models instead of testing them.
  bool criteria = false;
  bool best = false;                // --best: one line per locus, the model each criterion selects
  std::vector<FittedModel> models;  // --model, any number of classic models
  std::optional<int> sites;         // --sites, else what the files state
  std::optional<int> taxa;          // --taxa, else what the files state
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

// Exit statuses. When several apply, the highest.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNotAllRan = 1;    // a test asked for could not run, or no report
inline constexpr int kExitUsage = 2;        // the command line or a value was refused
inline constexpr int kExitFileRefused = 3;  // a file could not be read or is not a known format

}  // namespace quillet::cli
