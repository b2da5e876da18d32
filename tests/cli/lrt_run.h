#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/lrt_command.h"
#include "support/fixed_clock.h"

namespace quillet::cli::testing {

// What one run of quillet-lrt gave.
struct LrtRun {
  int status;
  std::string out;
  std::string err;
};

// Runs the program in-process with the time and folder fixed.
inline LrtRun RunLrt(const std::vector<std::string>& args, unsigned workers = 0,
                     bool terminal = false) {
  std::ostringstream out, err;
  quillet::testing::FixedClock clock(quillet::testing::MakeTime(2000, 11, 14, 9, 5, 3, 2));
  LrtEnvironment env{out, err, clock, [] { return std::string("/d"); }, terminal, workers};
  const int status = LrtMain(args, env);
  return {status, out.str(), err.str()};
}

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The first `columns` fields of every line after the header, one line each, joined by
// blanks: "models HKY85+G -995.5 -985.75" says which test ran on which values.
inline std::string Columns(const std::string& tsv, int columns) {
  std::istringstream lines(tsv);
  std::string line, text;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string field, row;
    for (int i = 0; i < columns && std::getline(fields, field, '\t'); ++i) {
      row += (i == 0 ? "" : " ") + field;
    }
    text += (text.empty() ? "" : "; ") + row;
  }
  return text;
}

}  // namespace quillet::cli::testing
