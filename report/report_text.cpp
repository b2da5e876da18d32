#include "report/report_text.h"

#include <algorithm>

#include "platform/float_round.h"
#include "platform/format.h"

namespace quillet {

namespace {

// "%-8.2f" of a log-likelihood.
std::string LnL(double value) { return FormatFixedLeft(value, 2, 8); }

void AppendTexts(std::string& out, const LrtTexts& texts) {
  out += "  LRT = " + PadRight(texts.lrt, 8);
  out += "  crit. value = " + PadRight(texts.crit, 8);
  out += "  Result: " + texts.result;
}

void AppendModelRow(std::string& out, const ReportModelRow& row) {
  // Names padded to six characters before "lnL".
  out += "\n" + PadRight(ModelName(row.model), 6) + "lnL = " + LnL(row.lnL);
  if (row.texts) AppendTexts(out, *row.texts);
  if (row.gamma) out += "  with gamma     ";
  if (row.invariants) out += "  with invariants";
}

}  // namespace

std::string FormatReportHeader(const ReportHeader& header) {
  return "Quillet v. 2.0 (see help file for details)\n"
         "-------------------------------------------\n\n"
         "Analyses done: " +
         header.timeStamp + "\n\n" + header.comment + header.startDir;
}

std::string FormatAnalysis(const ReportAnalysis& a, bool first) {
  std::string out;
  // The first analysis's number line ends with a blank, a later one's does not.
  out += first ? "\n\nAnalysis number " + FormatInt(a.number) + " \n"
               : "\n\n\nAnalysis number " + FormatInt(a.number) + "\n";
  out += "---------------\n";
  out += "p-value used: " + FormatFixed(a.pValue, 6) + "\n";

  if (a.clock) {
    out += "\n\n*** Clock test results ***";
    out += "\n\nNumber of taxa: " + FormatInt(a.clock->taxa);
    out += "\nwithout clock: " + LnL(a.clock->lnLNoClock);
    out += "\nwith clock:    " + LnL(a.clock->lnLClock);
    AppendTexts(out, a.clock->texts);
  }

  if (a.gamma) {
    out += "\n\n*** Gamma test results ***";
    if (!first) out += "\n------------------";
    out += "\n\nwith gamma:    " + LnL(a.gamma->lnLGamma);
    out += "\nwithout gamma: " + LnL(a.gamma->lnLNoGamma);
    AppendTexts(out, a.gamma->texts);
  }

  if (a.models) {
    out += "\n\n*** Model test results ***";
    if (!first) out += "\n------------------\n";
    for (const ReportModelRow& row : *a.models) AppendModelRow(out, row);
  }
  return out;
}

ReportAnalysis ReportAnalysisOf(const AnalysisInput& input, const AnalysisResult& result,
                                int number) {
  return ReportAnalysisOf(input, result, TextsOf(result), number);
}

ReportAnalysis ReportAnalysisOf(const AnalysisInput& input, const AnalysisResult& result,
                                const ResultTexts& texts, int number) {
  ReportAnalysis a;
  a.number = number;
  a.pValue = RoundToFloat(input.pValue);
  if (result.clock) {
    a.clock = ReportClockSection{input.taxa, input.lnLNoClock, input.lnLClock, *texts.clock};
  }
  if (result.gamma) {
    a.gamma = ReportGammaSection{input.lnLGamma, input.lnLNoGamma, *texts.gamma};
  }
  if (input.testModels) {
    std::vector<ReportModelRow>& rows = a.models.emplace();
    const ModelTestResult& models = result.models;
    for (Model model : kReportOrder) {
      const ModelEntry& entry = input[model];
      if (model == models.reference) {
        rows.push_back({model, models.referenceLnL, entry.gamma, entry.invariants, std::nullopt});
        continue;
      }
      auto compared = std::find_if(models.compared.begin(), models.compared.end(),
                                   [model](const ModelComparison& c) { return c.model == model; });
      if (compared != models.compared.end()) {
        const LrtTexts& rowTexts =
            texts.compared[static_cast<std::size_t>(compared - models.compared.begin())];
        rows.push_back({model, compared->lnL, entry.gamma, entry.invariants, rowTexts});
      }
    }
  }
  return a;
}

}  // namespace quillet
