#include "import/file_formats.h"

#include <algorithm>
#include <array>

#include "import/iqtree_log.h"
#include "import/iqtree_report.h"
#include "import/paml_baseml.h"
#include "import/paup_output.h"
#include "import/phyml_stats.h"
#include "import/plain_table.h"
#include "import/raxml_ng_log.h"

namespace quillet {

namespace {

// Some recognisers need only the first line, others look further into the text. Several could
// take the same odd text (a RAxML-NG log that mentions PhyML), so the order they are tried in
// is part of how files are read; the lists name them in an order of their own.
constexpr std::array<FileFormat, 8> kFormats = {{
    {"IQ-TREE", "an IQ-TREE report or log", 1,
     [](std::string_view, std::string_view first) { return LooksLikeIqTreeReport(first); },
     ReadIqTreeReport},
    {"IQ-TREE", nullptr, 1,
     [](std::string_view, std::string_view first) { return LooksLikeIqTreeLog(first); },
     ReadIqTreeLog},
    {"RAxML-NG", "a RAxML-NG log", 3,
     [](std::string_view text, std::string_view) { return LooksLikeRaxmlNgLog(text); },
     ReadRaxmlNgLog},
    {"PAML baseml", "PAML baseml output", 4,
     [](std::string_view, std::string_view first) { return LooksLikePamlOutput(first); },
     ReadPamlOutput},
    {"PhyML", "PhyML statistics", 2,
     [](std::string_view text, std::string_view) { return LooksLikePhymlStats(text); },
     ReadPhymlStats},
    {"PAUP*", nullptr, 5,
     [](std::string_view, std::string_view first) { return LooksLikePaupScoreFile(first); },
     ReadPaupScoreFile},
    {"PAUP*", "a PAUP* log", 5,
     [](std::string_view text, std::string_view) { return LooksLikePaupLog(text); }, ReadPaupLog},
    {nullptr, "a table with a model and a log-likelihood column", 6,
     [](std::string_view, std::string_view first) { return LooksLikePlainTable(first); },
     ReadPlainTable},
}};

// The formats in the order of the lists.
std::vector<const FileFormat*> Listed() {
  std::vector<const FileFormat*> listed;
  for (const FileFormat& format : kFormats) listed.push_back(&format);
  std::stable_sort(listed.begin(), listed.end(),
                   [](const FileFormat* a, const FileFormat* b) { return a->listed < b->listed; });
  return listed;
}

}  // namespace

std::span<const FileFormat> FileFormats() { return kFormats; }

const FileFormat* RecogniseFormat(std::string_view text, std::string_view firstLine) {
  for (const FileFormat& format : kFormats) {
    if (format.recognises(text, firstLine)) return &format;
  }
  return nullptr;
}

std::vector<std::string> ProgramsRead() {
  std::vector<std::string> programs;
  for (const FileFormat* format : Listed()) {
    if (format->program &&
        std::find(programs.begin(), programs.end(), format->program) == programs.end()) {
      programs.push_back(format->program);
    }
  }
  return programs;
}

std::vector<std::string> FormatsRead() {
  std::vector<std::string> formats;
  for (const FileFormat* format : Listed()) {
    if (format->listedAs) formats.push_back(format->listedAs);
  }
  return formats;
}

}  // namespace quillet
