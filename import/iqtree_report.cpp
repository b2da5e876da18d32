#include "import/iqtree_report.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "import/import_builder.h"
#include "import/iqtree_version.h"
#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

struct TableRow {
  std::string_view name;
  std::string_view lnL;
};

constexpr const char* kPartitioned =
    "a partitioned analysis; Quillet compares models fitted to one alignment as a whole";

// Why the data described by "Input data: 32 sequences with 1506 nucleotide sites" or "Input
// data: 44 taxa with 5 partitions and ..." cannot be read; empty for nucleotides.
std::string DataProblem(std::string_view input) {
  if (input.find("partition") != std::string_view::npos) return kPartitioned;
  const char* kind = nullptr;
  if (input.find("amino-acid") != std::string_view::npos) kind = "protein data";
  if (input.find("codon") != std::string_view::npos) kind = "codon data";
  if (input.find("binary") != std::string_view::npos) kind = "binary data";
  if (input.find("morpholog") != std::string_view::npos) kind = "morphological data";
  if (kind == nullptr) return {};
  return std::string(kind) + " (\"Input data: " + std::string(input.substr(0, 80)) +
         "\"); Quillet compares nucleotide models";
}

}  // namespace

bool LooksLikeIqTreeReport(std::string_view firstLine) {
  const std::string_view line = Trim(firstLine);
  return line.starts_with("IQ-TREE ") && line.find(" version ") == std::string_view::npos;
}

FileImport ReadIqTreeReport(std::string_view text, const std::string& source) {
  LineReader lines(text);
  std::string_view line;
  const std::string version = ReadIqTreeVersion(lines);
  ImportBuilder builder(source,
                        version.empty() ? "IQ-TREE report" : "IQ-TREE " + version + " report");
  const PlainNames plain = IqTreePlainNames(version);

  std::vector<TableRow> rows;
  bool inTable = false;
  bool tableHeaderSeen = false;
  std::size_t lnLColumn = 1;
  bool lnLFound = false;
  bool negate = false;
  bool hasTable = false;
  std::string_view fixedModel;
  std::string_view rateHeterogeneity;
  std::string_view frequencies;
  std::string_view treeLnL;
  bool lastLineIsRow = false;

  while (lines.Next(line)) {
    std::string_view rest;
    if (inTable) {
      if (Trim(line).empty()) {
        if (tableHeaderSeen) inTable = false;
        continue;
      }
      if (!tableHeaderSeen) {
        const std::vector<std::string_view> words = Words(line);
        tableHeaderSeen = true;
        for (std::size_t i = 0; i < words.size(); ++i) {
          if (words[i] == "LogL" || words[i] == "-LnL") {
            lnLColumn = i;
            negate = words[i] == "-LnL";
            lnLFound = true;
          }
        }
        if (!lnLFound) return builder.Refuse("the ModelFinder table has no LogL column");
        continue;
      }
      std::array<std::string_view, 8> words;
      lastLineIsRow = lnLColumn < words.size() &&
                      FirstWords(line, std::span(words).first(lnLColumn + 1)) > lnLColumn;
      if (lastLineIsRow) {
        rows.push_back({words[0], words[lnLColumn]});
      } else {
        builder.Note("table line " + std::to_string(lines.LineNumber()) + " not understood");
      }
      continue;
    }
    if (AfterLabel(line, "Input data:", rest)) {
      const std::string problem = DataProblem(rest);
      if (!problem.empty()) return builder.Refuse(problem);
      // "32 sequences with 1506 nucleotide sites"
      const int count = ReadCount(Words(rest).empty() ? std::string_view() : Words(rest)[0]);
      if (count > 0) builder.SetTaxa(count);
      if (rest.find(" sites") != std::string_view::npos) builder.SetSites(CountAfter(rest, "with"));
    } else if (AfterLabel(line, "List of best-fit models per partition", rest) ||
               AfterLabel(line, "Partition file name:", rest)) {
      return builder.Refuse(kPartitioned);
    } else if (AfterLabel(line, "List of models sorted by", rest)) {
      inTable = true;
      hasTable = true;
      tableHeaderSeen = false;
    } else if (fixedModel.empty() && AfterLabel(line, "Model of substitution:", rest)) {
      fixedModel = rest;
    } else if (rateHeterogeneity.empty() &&
               AfterLabel(line, "Model of rate heterogeneity:", rest)) {
      rateHeterogeneity = rest;
    } else if (frequencies.empty() && AfterLabel(line, "State frequencies:", rest)) {
      frequencies = rest;
    } else if (treeLnL.empty() && (AfterLabel(line, "Log-likelihood of the tree:", rest) ||
                                   AfterLabel(line, "Log-likehood of the tree:", rest))) {
      // 0.9 spells it "Log-likehood".
      const std::vector<std::string_view> words = Words(rest);
      if (!words.empty()) treeLnL = words[0];
    }
  }

  if (hasTable) {
    // A whole table ends with a blank line; one that runs to the end of the text was cut short
    // (a run that stopped, a copy of part of the file). Its last row may be cut mid-line, a
    // value losing digits, unless the text ends with a line break.
    const bool cutShort = inTable && tableHeaderSeen;
    if (cutShort) {
      if (lastLineIsRow && !text.ends_with('\n') && !text.ends_with('\r')) rows.pop_back();
      builder.Note(
          "the ModelFinder table ends early (the file may have been cut short); the models it "
          "lists are read");
    }
    for (const TableRow& row : rows) {
      const NameReading reading = ReadModelName(row.name, plain);
      if (reading.protein) {
        return builder.Refuse("protein models in the ModelFinder table (" +
                              std::string(row.name.substr(0, 20)) +
                              "); Quillet compares nucleotide models");
      }
      if (reading.model) {
        builder.AddValue(*reading.model, row.lnL, negate);
      } else {
        builder.LeaveOut(row.name, reading.reason);
      }
    }
    if (rows.empty()) return builder.Refuse("the ModelFinder table lists no models");
    if (!treeLnL.empty() && !fixedModel.empty()) {
      const NameReading best = ReadModelName(fixedModel, plain);
      if (best.model) {
        builder.Note(
            "the values are the ModelFinder table's, all fitted on one tree; the final "
            "tree's log-likelihood " +
            std::string(treeLnL) + " under " + std::string(fixedModel) + " is not used");
      }
    }
    return builder.Finish();
  }

  if (fixedModel.empty() || treeLnL.empty()) {
    return builder.Refuse(
        "no log-likelihood found (neither a ModelFinder table nor \"Log-likelihood of the "
        "tree\" with \"Model of substitution\")");
  }
  NameReading reading = ReadModelName(fixedModel, plain);
  if (reading.protein) {
    return builder.Refuse("a protein model (" + std::string(fixedModel.substr(0, 20)) +
                          "); Quillet compares nucleotide models");
  }
  const bool freeRate = rateHeterogeneity.find("FreeRate") != std::string_view::npos;
  if (reading.model && freeRate) {
    reading.model.reset();
    reading.reason = LeftOutReason::kFreeRate;
  }
  if (reading.model) {
    // 0.9 names the substitution model alone and gives the rates on a line of their own.
    if (rateHeterogeneity.find("Invar") != std::string_view::npos) reading.model->invariants = true;
    if (rateHeterogeneity.find("Gamma") != std::string_view::npos) reading.model->gamma = true;
    const Model base = reading.model->base;
    const bool needsUnequal = base != Model::JC && base != Model::K2P;
    if (needsUnequal && frequencies.find("equal") != std::string_view::npos &&
        frequencies.find("unequal") == std::string_view::npos) {
      reading.model.reset();
      reading.reason = LeftOutReason::kEqualFrequencies;
    } else if (frequencies.find("user") != std::string_view::npos) {
      reading.model.reset();
      reading.reason = LeftOutReason::kFixedParameter;
    }
  }
  if (reading.model) {
    builder.AddValue(*reading.model, treeLnL, false);
  } else {
    builder.LeaveOut(fixedModel, reading.reason);
  }
  return builder.Finish();
}

}  // namespace quillet
