#include "cli/tsv.h"

#include <charconv>

#include "analysis/classic_model.h"
#include "platform/float_chars.h"

namespace quillet::cli {

namespace {

std::string Shortest(float value) {
  char buffer[64];
  const auto [end, ec] = ShortestToChars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

std::string Row(const std::string& test, const std::string& model, float lnL1, float lnL2,
                const LrtOutcome& o) {
  return test + '\t' + model + '\t' + Shortest(lnL1) + '\t' + Shortest(lnL2) + '\t' +
         std::to_string(o.df) + '\t' + Shortest(o.statistic) + '\t' + Shortest(o.critical) + '\t' +
         (o.rejected ? "Rejected" : "NOT rejected") + '\t' + Shortest(o.pValue) + '\n';
}

}  // namespace

std::string TsvHeader() {
  return "test\tmodel\tlnL1\tlnL2\tdf\tstatistic\tcritical_value\tverdict\tp_value\n";
}

std::string TsvRows(const AnalysisInput& in, const AnalysisResult& result) {
  std::string out;
  if (result.clock) out += Row("clock", "", in.lnLNoClock, in.lnLClock, *result.clock);
  if (result.gamma) out += Row("gamma", "", in.lnLNoGamma, in.lnLGamma, *result.gamma);
  for (const ModelComparison& c : result.models.compared) {
    const ModelEntry& entry = in[c.model];
    const ClassicModel model{c.model, entry.invariants, entry.gamma};
    out += Row("models", CanonicalName(model), c.lnL, result.models.referenceLnL, c.outcome);
  }
  return out;
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
      default:
        field += c;
    }
  }
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

}  // namespace quillet::cli
