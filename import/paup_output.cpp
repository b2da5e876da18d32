#include "import/paup_output.h"

#include <vector>

#include "import/decimal_text.h"
#include "import/import_builder.h"
#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

// The settings of one lscores block and the scores below them.
struct Block {
  std::vector<std::string_view> settings;
  std::vector<std::string_view> scores;
  int sites = -1;  // the characters included when the block was scored
};

// The model PAUP* names in the settings, or empty.
std::string_view NamedModel(const Block& block) {
  for (std::string_view line : block.settings) {
    std::string_view rest;
    if (AfterLabel(line, "Model correspondence =", rest)) return rest;
    const std::size_t at = line.find("correspond to the ");
    if (at != std::string_view::npos) {
      std::string_view name = line.substr(at + 18);
      const std::size_t end = name.find(" model");
      return Trim(name.substr(0, end));
    }
  }
  return {};
}

bool Mentions(std::string_view line, std::string_view part) {
  return ContainsIgnoringCase(line, part);
}

// Why the settings do not describe `model` with every parameter estimated; empty when they do.
std::string FixedSetting(const Block& block, const ClassicModel& model) {
  const bool unequal = model.base != Model::JC && model.base != Model::K2P;
  for (std::string_view line : block.settings) {
    const bool estimated = Mentions(line, "estimat");
    if (Mentions(line, "clock") && !Mentions(line, "not enforced")) {
      return "fitted under a molecular clock (\"" + std::string(Trim(line)) + "\")";
    }
    if (Mentions(line, "constrained to user-input")) {
      return "branch lengths set by the user, not estimated";
    }
    if (Mentions(line, "frequencies")) {
      if (unequal && !estimated && !Mentions(line, "empirical")) {
        return "base frequencies not estimated or empirical (\"" + std::string(Trim(line)) + "\")";
      }
    } else if (Mentions(line, "invariable sites")) {
      if (model.invariants && !estimated) {
        return "proportion of invariable sites set, not estimated (\"" + std::string(Trim(line)) +
               "\")";
      }
    } else if (Mentions(line, "shape")) {
      if (model.gamma && !estimated) {
        return "gamma shape set, not estimated (\"" + std::string(Trim(line)) + "\")";
      }
    } else if (Mentions(line, "transversion ratio") || Mentions(line, "ti/tv") ||
               Mentions(line, "kappa") || Mentions(line, "rate matrix") ||
               Mentions(line, "rate-matrix") || Mentions(line, "rmatrix")) {
      if (model.base != Model::JC && model.base != Model::F81 && !estimated &&
          line.find('=') != std::string_view::npos) {
        return "substitution rates set, not estimated (\"" + std::string(Trim(line)) + "\")";
      }
    }
  }
  return {};
}

bool IsScoreLine(std::string_view line, std::vector<std::string_view>& values) {
  std::string_view rest;
  if (!AfterLabel(line, "-ln L", rest) || rest.empty() || rest.front() == '(') return false;
  values = Words(rest);
  if (values.empty()) return false;
  for (std::string_view value : values) {
    if (!IsDecimal(value)) return false;
  }
  return true;
}

}  // namespace

bool LooksLikePaupScoreFile(std::string_view firstLine) {
  const std::vector<std::string_view> words = Words(firstLine);
  return words.size() >= 2 && words[0] == "Tree" && words[1] == "-lnL";
}

FileImport ReadPaupScoreFile(std::string_view, const std::string& source) {
  ImportBuilder builder(source, "PAUP* score file");
  return builder.Refuse(
      "a PAUP* score file names no model: its columns are only the parameters that were "
      "estimated, and equal or empirical base frequencies, fixed values and rate classes leave "
      "no trace, so which model each line was fitted under does not follow from the file. "
      "Read the PAUP* log instead, where lscores prints the settings above each -ln L");
}

bool LooksLikePaupLog(std::string_view text) {
  if (text.find("Likelihood scores of tree(s) in memory") != std::string_view::npos) return true;
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line) && lines.LineNumber() <= 10) {
    if (line.find("P A U P *") != std::string_view::npos) return true;
  }
  return false;
}

FileImport ReadPaupLog(std::string_view text, const std::string& source) {
  ImportBuilder builder(source, "PAUP* log");
  LineReader lines(text);
  std::string_view line;
  std::vector<Block> blocks;
  bool inBlock = false;
  bool protein = false;
  int included = -1;
  while (lines.Next(line)) {
    std::string_view rest;
    if (line.find("Likelihood scores of tree(s) in memory") != std::string_view::npos) {
      blocks.push_back({});
      blocks.back().sites = included;
      inBlock = true;
      continue;
    }
    if (AfterLabel(line, "Data matrix has", rest)) {
      // "12 taxa, 898 characters"
      const int taxa = ReadCount(Words(rest).empty() ? std::string_view() : Words(rest)[0]);
      if (taxa > 0) builder.SetTaxa(taxa);
      included = rest.find("character") != std::string_view::npos ? CountAfter(rest, ",") : -1;
    }
    // Excluding characters (exclude, an exset) prints what is left to analyse.
    if (AfterLabel(line, "Number of included characters =", rest)) included = CountAfter(rest, "");
    if (AfterLabel(line, "Data type =", rest) &&
        (Mentions(rest, "protein") || Mentions(rest, "amino"))) {
      protein = true;
    }
    if (line.find("Data read in") != std::string_view::npos &&
        (Mentions(line, "protein") || Mentions(line, "amino"))) {
      protein = true;
    }
    if (!inBlock) continue;
    std::vector<std::string_view> values;
    if (IsScoreLine(line, values)) {
      blocks.back().scores = values;
      inBlock = false;
    } else {
      blocks.back().settings.push_back(line);
    }
  }
  if (protein) {
    return builder.Refuse("protein data; Quillet compares nucleotide models");
  }
  int scored = 0;
  for (const Block& block : blocks) {
    if (block.scores.empty()) continue;
    ++scored;
    const std::string_view named = NamedModel(block);
    if (block.scores.size() > 1) {
      builder.Note("one lscores block scores " + std::to_string(block.scores.size()) +
                   " trees; Quillet reads one fit per model, so it is left out");
      builder.LeaveOut(named.empty() ? "unnamed" : named, LeftOutReason::kOtherPart);
      continue;
    }
    if (named.empty()) {
      builder.Note("PAUP* names no model for the settings above -ln L " +
                   std::string(block.scores[0]) + "; left out");
      builder.LeaveOut("unnamed", LeftOutReason::kOtherModel);
      continue;
    }
    const NameReading reading = ReadModelName(named, PlainNames::kClassic);
    if (!reading.model) {
      builder.LeaveOut(named, reading.reason);
      continue;
    }
    const std::string fixed = FixedSetting(block, *reading.model);
    if (!fixed.empty()) {
      builder.Note(std::string(named) + " left out: " + fixed);
      builder.LeaveOut(named, LeftOutReason::kFixedParameter);
      continue;
    }
    builder.AddValue(*reading.model, block.scores[0], true);
    // Blocks scored on different characters give the file two numbers of sites, and so none.
    builder.SetSites(block.sites);
  }
  if (scored == 0) return builder.Refuse("no lscores output (\"-ln L\") in this log");
  return builder.Finish();
}

}  // namespace quillet
