#include "import/file_formats.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "import/iqtree_log.h"
#include "import/iqtree_report.h"
#include "import/paml_baseml.h"
#include "import/paup_output.h"
#include "import/phyml_stats.h"
#include "import/plain_table.h"
#include "import/raxml_ng_log.h"
#include "import/text_lines.h"

namespace quillet {
namespace {

using Reader = FileImport (*)(std::string_view, const std::string&);

// Which reader a text goes to, the first line found as the dispatch finds it.
Reader ReaderOf(std::string_view text) {
  LineReader lines(text);
  std::string_view first;
  while (lines.Next(first) && Trim(first).empty()) {
  }
  const FileFormat* format = RecogniseFormat(text, first);
  return format ? format->read : nullptr;
}

// Each format is recognised by the start of its files, and where two could take one text the
// order they are tried in decides: a program's banner wins over a mention of another program.
TEST(RecogniseFormat, EachFormatByWhatItsFilesSay) {
  struct Case {
    const char* name;
    const char* text;
    Reader reader;
  };
  const Case cases[] = {
      {"IQ-TREE report", "IQ-TREE 2.2.0 built Jun  2 2022\n\nInput data: 7 sequences\n",
       ReadIqTreeReport},
      {"IQ-TREE log", "\nIQ-TREE multicore version 2.2.0 COVID-edition for Linux\n", ReadIqTreeLog},
      {"RAxML-NG log", "\nRAxML-NG v. 1.2.0 released on 09.05.2023\n", ReadRaxmlNgLog},
      {"PAML baseml", "BASEML (in paml version 4.9j)  data.phy  HKY85\n", ReadPamlOutput},
      {"PhyML statistics", " ---  PhyML 3.3.20220408  ---\n . Log-likelihood: \t-1000.5\n",
       ReadPhymlStats},
      {"PAUP* score file", "Tree\t-lnL\tK\n1\t1000.5\t2.0\n", ReadPaupScoreFile},
      {"PAUP* log", "P A U P *\nVersion 4.0a169\n", ReadPaupLog},
      {"table", "Model\tlnL\nJC\t-1000.5\n", ReadPlainTable},
      {"RAxML-NG log run on PhyML's input",
       "RAxML-NG v. 1.2.0\nraxml-ng --msa PhyML_in.phy\n . Log-likelihood: -1\n", ReadRaxmlNgLog},
      {"baseml output run on PhyML's input",
       "BASEML (in paml version 4.9j)  PhyML_in.phy  HKY85\n . Log-likelihood: -1\n",
       ReadPamlOutput},
      {"none of them", "Dear colleague,\nhere are my numbers.\n", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReaderOf(c.text), c.reader);
  }
}

std::string WholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The manuals list the formats by hand: each names every program whose files are read.
TEST(ProgramsRead, TheManualsNameEachOfThem) {
  const std::filesystem::path root = std::filesystem::path(__FILE__).parent_path() / ".." / "..";
  for (const char* manual : {"cli/quillet-lrt.1", "help/Quillet.hlp", "README.md"}) {
    SCOPED_TRACE(manual);
    const std::string text = WholeFile(root / manual);
    ASSERT_FALSE(text.empty());
    for (const std::string& program : ProgramsRead()) {
      // Word by word: a manual may name PAML's baseml apart from PAML, or escape the star.
      std::istringstream words(program);
      for (std::string word; words >> word;) {
        if (word.ends_with("*")) word.pop_back();
        EXPECT_NE(text.find(word), std::string::npos) << program;
      }
    }
  }
}

}  // namespace
}  // namespace quillet
