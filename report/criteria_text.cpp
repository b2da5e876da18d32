#include "report/criteria_text.h"

#include <utility>

#include "platform/format.h"

namespace quillet {

namespace {

constexpr char kCriteriaTitle[] = "*** Model selection ***";

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string LnLText(const CriteriaRow& row) {
  return row.lnLText.empty() ? FormatRoundTrip(row.lnL) : row.lnLText;
}

std::string Fixed4(const std::optional<double>& value) {
  return value ? FormatFixed(*value, 4) : std::string();
}

std::string Weight(const std::optional<double>& value) {
  return value ? FormatGeneral(*value, 6, 2) : std::string();
}

std::string ModelName(const CriteriaTable& table, Criterion c) {
  const std::optional<std::size_t> best = table.Best(c);
  return best ? CanonicalName(table.rows[*best].model) : std::string();
}

}  // namespace

std::string FormatCriteriaTable(const CriteriaTable& table) {
  // Model, ln L, k, then score, difference and weight for each criterion; a mark follows the
  // score of the selected model and the weight of a model in the confidence set.
  std::string out = PadRight("Model", 10) + PadLeft("ln L", 14) + PadLeft("k", 5);
  for (Criterion c : kCriteria) {
    const std::string name = CriterionName(c);
    // The titles stand over the numbers, the marks to their right.
    out += PadLeft(name, 12) + ' ' + PadLeft("d" + name, 11) + PadLeft("w", 7) + ' ';
  }
  while (out.back() == ' ') out.pop_back();
  out += '\n';
  for (const CriteriaRow& row : table.rows) {
    std::string line = PadRight(CanonicalName(row.model), 10) + PadLeft(LnLText(row), 14) +
                       PadLeft(FormatInt(row.k), 5);
    for (Criterion c : kCriteria) {
      const CriterionStanding& s = row[c];
      if (!s.score) {
        line += PadLeft("-", 12) + ' ' + PadLeft("-", 11) + PadLeft("-", 8);
        continue;
      }
      line += PadLeft(FormatFixed(*s.score, 4), 12) + (s.best ? '*' : ' ');
      line += PadLeft(FormatFixed(*s.delta, 4), 11);
      line += PadLeft(FormatFixed(*s.weight, 4), 7) + (s.inConfidenceSet ? '+' : ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + '\n';
  }
  return out;
}

std::string FormatCriteriaSummary(const CriteriaTable& table) {
  const int branches = 2 * table.taxa - 3;
  std::string out = "n = " + (table.sites ? FormatInt(*table.sites) + " sites" : "not known") +
                    ", T = " + FormatInt(table.taxa) + " taxa; k = the model's own parameters + " +
                    FormatInt(branches) + " branch lengths.\n";
  const std::size_t models = table.rows.size();
  out += "Weights over the " + FormatInt(static_cast<int>(models)) + " model" +
         (models == 1 ? "" : "s") + " ranked here";
  const int aicc = table.Ranked(Criterion::kAicc);
  if (table.sites && static_cast<std::size_t>(aicc) < models) {
    out += " (AICc: the " + FormatInt(aicc) + " with n - k - 1 above 0)";
  }
  out += ".\n";
  if (!table.sites) out += "AICc and BIC need the number of sites.\n";
  out += "* selected, + in the 95% confidence set.\n";
  out += "Selected by";
  for (Criterion c : kCriteria) {
    const std::string name = ModelName(table, c);
    out += std::string(c == Criterion::kAic ? " " : ", ") + CriterionName(c) + ": " +
           (name.empty() ? "-" : name);
  }
  return out + "\n";
}

ReportItem ModelSelectionItem(const CriteriaTable& table, int number) {
  const std::string body = std::string("---------------\n\n") + kCriteriaTitle + "\n\n" +
                           FormatCriteriaTable(table) + "\n" + FormatCriteriaSummary(table);
  // Like an analysis, it ends where its last line ends, without a line feed.
  std::string trimmed = body.substr(0, body.size() - 1);
  return {[trimmed = std::move(trimmed), number](bool first) {
    return first ? "\n\nAnalysis number " + FormatInt(number) + " \n" + trimmed
                 : "\n\n\nAnalysis number " + FormatInt(number) + "\n" + trimmed;
  }};
}

std::string CriteriaTsvHeader() {
  return "model\tlnL\tk\tAIC\tdAIC\twAIC\tAICc\tdAICc\twAICc\tBIC\tdBIC\twBIC\n";
}

std::string CriteriaTsvRows(const CriteriaTable& table) {
  // Appended piece by piece: over many loci this is most of a ranking's time.
  std::string out;
  out.reserve(table.rows.size() * 160);
  for (const CriteriaRow& row : table.rows) {
    out += CanonicalName(row.model);
    out += '\t';
    out += LnLText(row);
    out += '\t';
    out += FormatInt(row.k);
    for (Criterion c : kCriteria) {
      const CriterionStanding& s = row[c];
      out += '\t';
      out += Fixed4(s.score);
      out += '\t';
      out += Fixed4(s.delta);
      out += '\t';
      out += Weight(s.weight);
    }
    out += '\n';
  }
  return out;
}

std::string BestTsvHeader() {
  return "sites\ttaxa\tAIC_model\twAIC\tAICc_model\twAICc\tBIC_model\twBIC\n";
}

std::string BestTsvRow(const CriteriaTable& table) {
  std::string out =
      (table.sites ? FormatInt(*table.sites) : std::string()) + '\t' + FormatInt(table.taxa);
  for (Criterion c : kCriteria) {
    const std::optional<std::size_t> best = table.Best(c);
    out += '\t' + ModelName(table, c) + '\t' +
           (best ? Weight(table.rows[*best][c].weight) : std::string());
  }
  return out + '\n';
}

}  // namespace quillet
