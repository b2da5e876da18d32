#include "import/paml_baseml.h"

#include <optional>
#include <vector>

#include "analysis/model.h"
#include "import/import_builder.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

std::optional<Model> BasemlModel(std::string_view name) {
  if (name == "JC69") return Model::JC;
  if (name == "K80") return Model::K2P;
  if (name == "F81") return Model::F81;
  if (name == "HKY85") return Model::HKY85;
  if (name == "TN93") return Model::TrN;
  if (name == "REV" || name == "GTR") return Model::GTR;
  return std::nullopt;
}

// "4.9j" from "(in paml version 4.9j, February 2020)" or "3.14" from "(in paml 3.14, January
// 2004)".
std::string PamlVersion(std::string_view inside) {
  for (std::string_view word : Words(inside)) {
    if (!word.empty() && word.front() >= '0' && word.front() <= '9') {
      if (word.back() == ',') word.remove_suffix(1);
      return std::string(word.substr(0, 20));
    }
  }
  return {};
}

}  // namespace

bool LooksLikePamlOutput(std::string_view firstLine) {
  const std::string_view line = Trim(firstLine);
  return line.starts_with("BASEML") || line.starts_with("CODONML") || line.starts_with("AAML");
}

FileImport ReadPamlOutput(std::string_view text, const std::string& source) {
  ImportBuilder builder(source, "PAML baseml output");
  LineReader lines(text);
  std::string_view first;
  while (lines.Next(first) && Trim(first).empty()) {
  }
  first = Trim(first);
  if (first.starts_with("CODONML")) {
    return builder.Refuse("codeml output for codon data; Quillet compares nucleotide models");
  }
  if (first.starts_with("AAML")) {
    return builder.Refuse("codeml output for protein data; Quillet compares nucleotide models");
  }
  std::string_view after = first.substr(6);
  const std::size_t open = after.find('(');
  const std::size_t close = after.find(')');
  if (open != std::string_view::npos && close != std::string_view::npos && open < close &&
      Trim(after.substr(0, open)).empty()) {
    const std::string version = PamlVersion(after.substr(open + 1, close - open - 1));
    if (!version.empty()) builder.SetFormat("PAML " + version + " baseml output");
    after = after.substr(close + 1);
  }
  const std::vector<std::string_view> words = Words(after);
  if (words.size() < 2) return builder.Refuse("the first line names no model");
  const std::string_view modelName = words[1];
  const std::string_view options =
      after.substr(static_cast<std::size_t>(modelName.data() - after.data()) + modelName.size());
  if (options.find("genes") != std::string_view::npos) {
    return builder.Refuse(
        "several genes (partitions); Quillet compares models fitted to one "
        "alignment as a whole");
  }

  int dataSets = 0;
  int lnLLines = 0;
  int ntime = -1;
  int np = -1;
  std::string_view lnL;
  bool nonHomogeneous = false;
  std::string_view line;
  while (lines.Next(line)) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.starts_with("Data set")) {
      ++dataSets;
    } else if (trimmed.starts_with("ns =")) {
      const int taxa = CountAfter(trimmed, "ns =");
      if (taxa > 0) builder.SetTaxa(taxa);
    } else if (trimmed.starts_with("lnL(ntime:")) {
      ++lnLLines;
      if (lnLLines == 1) {
        ntime = CountAfter(trimmed, "ntime:");
        np = CountAfter(trimmed, "np:");
        const std::size_t end = trimmed.find("):");
        if (end != std::string_view::npos) {
          const std::vector<std::string_view> values = Words(trimmed.substr(end + 2));
          if (!values.empty()) lnL = values[0];
        }
      }
    } else if (trimmed.starts_with("Nonhomo:") || trimmed.starts_with("nparK:")) {
      nonHomogeneous = true;
    }
  }
  if (dataSets > 1) {
    return builder.Refuse("results for several data sets; Quillet reads one fit per model");
  }
  if (lnLLines > 1) {
    return builder.Refuse("log-likelihoods of " + std::to_string(lnLLines) +
                          " trees; Quillet reads one fit per model");
  }
  if (lnL.empty()) return builder.Refuse("no \"lnL(ntime: ... np: ...)\" line");

  const std::optional<Model> base = BasemlModel(modelName);
  if (!base) {
    builder.LeaveOut(modelName, LeftOutReason::kOtherModel);
    return builder.Finish();
  }
  if (ContainsIgnoringCase(options, "clock")) {
    builder.Note("the model was fitted under a molecular clock, so it is not the classic " +
                 std::string(modelName) + " fit");
    builder.LeaveOut(modelName, LeftOutReason::kOtherPart);
    return builder.Finish();
  }
  if (options.find("Auto-") != std::string_view::npos || nonHomogeneous) {
    builder.LeaveOut(modelName, LeftOutReason::kOtherPart);
    return builder.Finish();
  }
  const bool gamma = options.find("dGamma") != std::string_view::npos;
  const int own = FreeParameterCount(*base, gamma ? 1 : 0, 0);
  const int frequencies = *base == Model::JC || *base == Model::K2P ? 0 : 3;
  const int extra = np - ntime;
  if (ntime < 0 || np < 0 || (extra != own && extra != own - frequencies)) {
    builder.Note("np - ntime is " + std::to_string(extra) + " where " + std::string(modelName) +
                 (gamma ? "+G" : "") + " estimates " + std::to_string(own) +
                 ": a parameter was fixed, so the fit is not the classic model");
    builder.LeaveOut(modelName, LeftOutReason::kFixedParameter);
    return builder.Finish();
  }
  builder.AddValue(ClassicModel{*base, false, gamma}, lnL, false);
  return builder.Finish();
}

}  // namespace quillet
