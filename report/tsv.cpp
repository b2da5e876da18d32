#include "report/tsv.h"

#include <algorithm>
#include <charconv>

#include "analysis/analyze.h"
#include "analysis/classic_model.h"
#include "analysis/model.h"
#include "platform/float_chars.h"
#include "platform/format.h"

namespace quillet {

namespace {

constexpr int kColumns = 12;

template <typename Number>
std::string Shortest(Number value) {
  char buffer[64];
  const auto [end, ec] = ShortestToChars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

// One line: the test's fields, its numbers, and the three columns that follow them.
std::string Row(const std::string& test, const std::string& model, double lnL1, double lnL2,
                const LrtOutcome& o, const std::string& reference, const std::string& note) {
  return test + '\t' + TsvField(model) + '\t' + Shortest(lnL1) + '\t' + Shortest(lnL2) + '\t' +
         std::to_string(o.df) + '\t' + Shortest(o.statistic) + '\t' + Shortest(o.critical) + '\t' +
         (o.rejected ? "Rejected" : "NOT rejected") + '\t' + FormatGeneral(o.pValue, 6, 2) + '\t' +
         (o.pBoundary ? FormatGeneral(*o.pBoundary, 6, 2) : std::string()) + '\t' +
         TsvField(reference) + '\t' + TsvField(note) + '\n';
}

}  // namespace

std::string TsvHeader() {
  return "test\tmodel\tlnL1\tlnL2\tdf\tstatistic\tcritical_value\tverdict\tp_value\tp_boundary\t"
         "reference\tnote\n";
}

std::string TsvRows(const AnalysisInput& in, const AnalysisResult& result) {
  std::string out;
  if (result.clock) {
    out += Row("clock", "", in.lnLNoClock, in.lnLClock, *result.clock, "",
               WorseFitNote(*result.clock, ClockTestNames(), in.lnLClock, in.lnLNoClock));
  }
  if (result.gamma) {
    // The pair is named when it came from files, as --gamma-pair names it.
    const TestNames names = GammaTestNames(in);
    const std::string pair = in.gammaModels ? names.complex + "," + names.simpler : "";
    out += Row("gamma", pair, in.lnLNoGamma, in.lnLGamma, *result.gamma, "",
               WorseFitNote(*result.gamma, names, in.lnLNoGamma, in.lnLGamma));
  }
  const ModelTestResult& models = result.models;
  for (Model model : kReportOrder) {
    const auto c = std::find_if(models.compared.begin(), models.compared.end(),
                                [model](const ModelComparison& m) { return m.model == model; });
    if (c == models.compared.end() || !models.reference) continue;
    const TestNames names = ModelTestNames(in, model, *models.reference);
    out += Row("models", names.simpler, c->lnL, models.referenceLnL, c->outcome, names.complex,
               WorseFitNote(c->outcome, names, c->lnL, models.referenceLnL));
  }
  return out;
}

std::string TsvReasonRow(std::string_view reason) {
  return std::string(kColumns - 1, '\t') + TsvField(reason) + '\n';
}

std::string TsvField(std::string_view text) {
  std::string field;
  field.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t':
        field += "\\t";
        break;
      case '\n':
        field += "\\n";
        break;
      case '\r':
        field += "\\r";
        break;
      case '"':
        field += "\"\"";
        break;
      default:
        field += c;
    }
  }
  // A quote anywhere would start a quoted field in R and Python; quoted, the doubled quotes
  // read back as one.
  if (text.find('"') != std::string_view::npos) field = '"' + field + '"';
  return field;
}

std::string WithFirstField(const std::string& field, const std::string& rows) {
  std::string out;
  out.reserve(rows.size() + 8 * (field.size() + 1));
  std::size_t start = 0;
  while (start < rows.size()) {
    std::size_t end = rows.find('\n', start);
    end = end == std::string::npos ? rows.size() : end + 1;
    out.append(field).append(1, '\t').append(rows, start, end - start);
    start = end;
  }
  return out;
}

}  // namespace quillet
