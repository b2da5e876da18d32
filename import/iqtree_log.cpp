#include "import/iqtree_log.h"

#include <array>
#include <span>
#include <vector>

#include "import/decimal_text.h"
#include "import/import_builder.h"
#include "import/iqtree_version.h"
#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

constexpr const char* kPartitioned =
    "a partitioned analysis; Quillet compares models fitted to one alignment as a whole";
constexpr const char* kCodon = "codon data; Quillet compares nucleotide models";

bool EndsTable(std::string_view line) {
  std::string_view rest;
  return AfterLabel(line, "Akaike Information Criterion:", rest) ||
         AfterLabel(line, "Corrected Akaike Information Criterion:", rest) ||
         AfterLabel(line, "Bayesian Information Criterion:", rest) ||
         AfterLabel(line, "Best-fit model:", rest);
}

// The command line's options that split the alignment into partitions.
bool PartitionOption(std::string_view command) {
  for (std::string_view word : Words(command)) {
    if (word == "-p" || word == "-q" || word == "-Q" || word == "-spp" || word == "-sp" ||
        word == "--partition") {
      return true;
    }
  }
  return false;
}

}  // namespace

bool LooksLikeIqTreeLog(std::string_view firstLine) {
  const std::string_view line = Trim(firstLine);
  return line.starts_with("IQ-TREE ") && line.find(" version ") != std::string_view::npos;
}

FileImport ReadIqTreeLog(std::string_view text, const std::string& source) {
  LineReader lines(text);
  std::string_view line;
  const std::string version = ReadIqTreeVersion(lines);
  ImportBuilder builder(source, version.empty() ? "IQ-TREE log" : "IQ-TREE " + version + " log");
  const PlainNames plain = IqTreePlainNames(version);

  std::string problem;
  std::string error;
  bool inTable = false;
  bool tableEnded = false;
  bool tableSeen = false;
  std::size_t lnLColumn = 2;
  bool negate = true;
  int rows = 0;

  while (lines.Next(line)) {
    std::string_view rest;
    const std::string_view trimmed = Trim(line);
    if (trimmed.starts_with("ERROR:")) {
      if (error.empty()) error = std::string(trimmed.substr(0, 120));
      continue;
    }
    if (inTable) {
      if (EndsTable(line)) {
        inTable = false;
        tableEnded = true;
        continue;
      }
      // Rows are "<number> <model> <-LnL> <df> ..."; IQ-TREE prints other lines in between
      // (thread timings, notes), which are passed over.
      std::array<std::string_view, 8> words;
      if (lnLColumn + 2 > words.size() ||
          FirstWords(line, std::span(words).first(lnLColumn + 2)) < lnLColumn + 2 ||
          ReadCount(words[0]) < 0 || !IsDecimal(words[lnLColumn]) ||
          ReadCount(words[lnLColumn + 1]) < 0) {
        continue;
      }
      ++rows;
      const NameReading reading = ReadModelName(words[1], plain);
      if (reading.protein) {
        problem = "protein models in the ModelFinder table; Quillet compares nucleotide models";
      }
      if (reading.model) {
        builder.AddValue(*reading.model, words[lnLColumn], negate);
      } else {
        builder.LeaveOut(words[1], reading.reason);
      }
      continue;
    }
    if (trimmed.starts_with("No.")) {
      const std::vector<std::string_view> words = Words(line);
      for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "Charset") problem = kPartitioned;
        if (words[i] == "-LnL" || words[i] == "LogL") {
          lnLColumn = i;
          negate = words[i] == "-LnL";
          inTable = lnLColumn >= 2;
          tableSeen = tableSeen || inTable;
        }
      }
    } else if (AfterLabel(line, "Command:", rest)) {
      if (PartitionOption(rest)) problem = kPartitioned;
      if (ContainsIgnoringCase(rest, "-st CODON") ||
          ContainsIgnoringCase(rest, "--seqtype CODON")) {
        problem = kCodon;
      }
    } else if (trimmed.starts_with("Converting to codon")) {
      problem = kCodon;
    } else if (trimmed.starts_with("Reading partition model file")) {
      problem = kPartitioned;
    } else if (AfterLabel(line, "Alignment most likely contains", rest)) {
      if (!rest.starts_with("DNA")) {
        problem = std::string(rest.substr(0, rest.find(' ')).substr(0, 20)) +
                  " data; Quillet compares nucleotide models";
      }
    } else if (AfterLabel(line, "Alignment has", rest)) {
      // "32 sequences with 1506 columns, 426 distinct patterns"
      const int count = ReadCount(Words(rest).empty() ? std::string_view() : Words(rest)[0]);
      if (count > 0) builder.SetTaxa(count);
      if (rest.find(" columns") != std::string_view::npos) {
        builder.SetSites(CountAfter(rest, "with"));
      }
    }
  }

  if (!problem.empty()) return builder.Refuse(problem);
  if (!error.empty()) return builder.Refuse("the run stopped with an error (\"" + error + "\")");
  if (!tableSeen || rows == 0) {
    return builder.Refuse(
        "no ModelFinder table in this log; for a run with a fixed model, "
        "read its .iqtree report");
  }
  if (!tableEnded) {
    builder.Note(
        "the ModelFinder table ends early (the run may have stopped); the models it "
        "lists are read");
  }
  return builder.Finish();
}

}  // namespace quillet
