#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_input.h"
#include "analysis/analysis_result.h"
#include "analysis/model.h"
#include "analysis/result_texts.h"
#include "stats/lrt.h"

namespace quillet {

struct ReportClockSection {
  int taxa = 0;
  double lnLNoClock = 0;
  double lnLClock = 0;
  LrtTexts texts;
};

struct ReportGammaSection {
  double lnLGamma = 0;
  double lnLNoGamma = 0;
  LrtTexts texts;
};

// One row of the model section: the reference has no texts.
struct ReportModelRow {
  Model model = Model::JC;
  double lnL = 0;
  bool gamma = false;
  bool invariants = false;
  std::optional<LrtTexts> texts;
};

// One analysis as the report records it.
struct ReportAnalysis {
  int number = 1;
  float pValue = 0.05f;  // as the tests used it
  std::optional<ReportClockSection> clock;
  std::optional<ReportGammaSection> gamma;
  // The section is written when the test of models was asked for; its rows are the reference
  // and the models compared with it, in the order GTR, TrN, HKY85, F81, K2P, JC.
  std::optional<std::vector<ReportModelRow>> models;
};

// What heads a report: the banner, the time stamp (which brings its own line feed), the user's
// comment and the start-up folder, each written as it stands.
struct ReportHeader {
  std::string timeStamp;
  std::string comment;
  std::string startDir;
};

std::string FormatReportHeader(const ReportHeader& header);

// An analysis as it follows the header (first: begins "\n\nAnalysis number 1 \n") or the
// analysis before it (later: begins "\n\n\nAnalysis number 2\n"). It ends where its last item
// ends, usually within a line.
std::string FormatAnalysis(const ReportAnalysis& analysis, bool first);

// The analysis record of a calculation: the one way from a calculation to its report text, for
// every front end.
ReportAnalysis ReportAnalysisOf(const AnalysisInput& input, const AnalysisResult& result,
                                int number);
// The same with the tests' texts already made (TextsOf the result).
ReportAnalysis ReportAnalysisOf(const AnalysisInput& input, const AnalysisResult& result,
                                const ResultTexts& texts, int number);

}  // namespace quillet
