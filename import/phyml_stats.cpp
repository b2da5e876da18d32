#include "import/phyml_stats.h"

#include <optional>
#include <vector>

#include "import/decimal_text.h"
#include "import/import_builder.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

// PhyML's names, as it prints them.
std::optional<Model> PhymlModel(std::string_view name) {
  if (name == "JC69") return Model::JC;
  if (name == "K80") return Model::K2P;
  if (name == "F81") return Model::F81;
  if (name == "HKY85") return Model::HKY85;
  if (name == "TN93") return Model::TrN;
  if (name == "GTR") return Model::GTR;
  return std::nullopt;
}

// "PhyML 3.3.20220408" in "---  PhyML 3.3.20220408  ---".
std::string BannerVersion(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i] == "PhyML" && words[i + 1] != "---")
      return std::string(words[i + 1].substr(0, 30));
  }
  return {};
}

}  // namespace

bool LooksLikePhymlStats(std::string_view text) {
  LineReader lines(text);
  std::string_view line;
  bool banner = false;
  while (lines.Next(line) && lines.LineNumber() <= 12) {
    if (line.find("PhyML") != std::string_view::npos) banner = true;
  }
  return banner && text.find(". Log-likelihood:") != std::string_view::npos;
}

FileImport ReadPhymlStats(std::string_view text, const std::string& source) {
  ImportBuilder builder(source, "PhyML statistics");
  LineReader lines(text);
  std::string_view line;
  std::string version;
  std::string_view model;
  std::string_view lnL;
  int lnLCount = 0;
  int dataSets = 0;
  int gammaClasses = 0;
  bool noGamma = false;
  bool freeRate = false;
  std::string_view invariant;
  std::vector<double> frequencies;

  while (lines.Next(line)) {
    std::string_view rest;
    if (version.empty() && line.find("PhyML") != std::string_view::npos) {
      version = BannerVersion(line);
    }
    if (AfterLabel(line, ". Model of nucleotides substitution:", rest)) {
      if (model.empty()) model = rest;
    } else if (AfterLabel(line, ". Model of amino acids substitution:", rest)) {
      return builder.Refuse("protein data (amino-acid model " + std::string(rest.substr(0, 20)) +
                            "); Quillet compares nucleotide models");
    } else if (AfterLabel(line, ". Data set:", rest)) {
      ++dataSets;
    } else if (AfterLabel(line, ". Number of taxa:", rest)) {
      const int count = ReadCount(rest);
      if (count > 0) builder.SetTaxa(count);
    } else if (AfterLabel(line, ". Log-likelihood:", rest)) {
      ++lnLCount;
      if (lnL.empty()) lnL = rest;
    } else if (AfterLabel(line, "- Number of classes:", rest) ||
               AfterLabel(line, "- Number of categories:", rest)) {
      gammaClasses = ReadCount(rest);
    } else if (AfterLabel(line, ". Discrete gamma model:", rest)) {
      noGamma = rest == "No";
    } else if (AfterLabel(line, ". FreeRate model:", rest) ||
               AfterLabel(line, ". FreeRates model:", rest)) {
      freeRate = rest != "No";
    } else if (AfterLabel(line, ". Proportion of invariant:", rest)) {
      invariant = rest;
    } else if (AfterLabel(line, "- f(", rest)) {
      // "- f(A)=  0.25000"
      const std::size_t equals = rest.find('=');
      if (equals != std::string_view::npos) {
        const std::optional<double> f = DecimalValue(Trim(rest.substr(equals + 1)));
        if (f) frequencies.push_back(*f);
      }
    }
  }
  if (!version.empty()) builder.SetFormat("PhyML " + version + " statistics");

  if (dataSets > 1 || lnLCount > 1) {
    return builder.Refuse(
        "results for several data sets; Quillet reads one fit per file from "
        "PhyML");
  }
  if (model.empty()) return builder.Refuse("no \"Model of nucleotides substitution\" line");
  if (lnL.empty()) return builder.Refuse("no \"Log-likelihood\" line");

  const std::optional<Model> base = PhymlModel(model);
  if (!base) {
    builder.LeaveOut(model, LeftOutReason::kOtherModel);
    return builder.Finish();
  }
  if (freeRate) {
    builder.LeaveOut(model, LeftOutReason::kFreeRate);
    return builder.Finish();
  }
  const bool unequalBase = *base != Model::JC && *base != Model::K2P;
  bool allQuarter = frequencies.size() == 4;
  for (double f : frequencies) allQuarter = allQuarter && f == 0.25;
  if (unequalBase && allQuarter) {
    builder.LeaveOut(model, LeftOutReason::kEqualFrequencies);
    builder.Note("the base frequencies are all 0.25, so they were fixed equal: not the classic " +
                 std::string(model) + " model");
    return builder.Finish();
  }
  ClassicModel classic{*base, false, !noGamma && gammaClasses > 1};
  if (!invariant.empty()) {
    const std::optional<double> p =
        DecimalValue(Words(invariant).empty() ? std::string_view() : Words(invariant)[0]);
    if (!p) {
      return builder.Refuse("the proportion of invariable sites \"" +
                            std::string(invariant.substr(0, 20)) + "\" is not a number");
    }
    classic.invariants = *p > 0.0;
  }
  builder.AddValue(classic, Words(lnL).empty() ? std::string_view() : Words(lnL)[0], false);
  return builder.Finish();
}

}  // namespace quillet
