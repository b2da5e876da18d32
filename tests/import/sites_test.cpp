// The number of sites, read where a program states it: the alignment's columns, as each
// program words them. Files that state none leave it to the user.
#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::Replaced;

constexpr char kReport[] = R"(IQ-TREE 2.2.0 built Jun  1 2022

Input data: 7 sequences with 900 nucleotide sites
Number of constant sites: 512 (= 56.8889% of all sites)

Model of substitution: HKY+F+G4
Log-likelihood of the tree: -1999.8765 (s.e. 40.1234)
)";

constexpr char kLog[] = R"(IQ-TREE multicore version 2.1.3 for Linux 64-bit built Apr 21 2021
Alignment most likely contains DNA/RNA sequences
Alignment has 7 sequences with 900 columns, 301 distinct patterns
301 parsimony-informative, 98 singleton sites, 501 constant sites
 No. Model         -LnL         df  AIC          AICc         BIC
  1  GTR+F         2100.125     19  4238.250     4239.118     4329.497
Best-fit model: GTR+F chosen according to BIC
)";

constexpr char kRaxml[] = R"(RAxML-NG v. 1.1.0 released on 29.11.2021 by The Exelixis Lab.
[00:00:00] Loaded alignment with 12 taxa and 800 sites
Alignment comprises 1 partitions and 250 patterns
Model: HKY+FC+I+G4m
Alignment sites / patterns: 800 / 250
Final LogLikelihood: -4321.987654
)";

constexpr char kPaup[] = R"(P A U P *
Data matrix has 8 taxa, 1200 characters

Likelihood scores of tree(s) in memory:
                  Model correspondence = JC
    Molecular clock not enforced

Tree             1
------------------
-ln L    5939.125
)";

TEST(Sites, ReadWhereTheFilesStateThem) {
  struct Case {
    const char* name;
    std::string text;
    int sites;         // -1: none
    const char* note;  // the last note; "" for none
  };
  const std::string paup = kPaup;
  const std::string scores = paup.substr(paup.find("Likelihood scores"));
  const Case cases[] = {
      {"IQ-TREE report", kReport, 900, ""},
      {"IQ-TREE log", kLog, 900, ""},
      {"RAxML-NG: the sites, not the patterns", kRaxml, 800, ""},
      {"RAxML-NG: the sites analysed where the alignment loaded had more",
       Replaced(kRaxml, "and 800 sites", "and 820 sites"), 800, ""},
      {"RAxML-NG: two runs on different alignments",
       std::string(kRaxml) + Replaced(kRaxml, "800 / 250", "700 / 250"), -1,
       "the file states different numbers of sites; none is taken"},
      {"PAUP*: the characters of the matrix", kPaup, 1200, ""},
      {"PAUP*: the characters left when some were excluded",
       Replaced(kPaup, "\nLikelihood",
                "\npaup> exclude 1-50\n50 characters excluded\nTotal number of characters now "
                "excluded = 50\nNumber of included characters = 1150\n\nLikelihood"),
       1150, ""},
      {"PAUP*: an exclusion after the scores does not count",
       paup + "\nNumber of included characters = 1150\n", 1200, ""},
      {"PAUP*: blocks scored on different characters",
       paup + "\nNumber of included characters = 1150\n" + Replaced(scores, "= JC", "= K2P"), -1,
       "the file states different numbers of sites; none is taken"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "f");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    ASSERT_FALSE(file.values.empty());
    EXPECT_EQ(file.sites.value_or(-1), c.sites);
    EXPECT_EQ(file.notes.empty() ? "" : file.notes.back(), c.note);
  }
}

}  // namespace
}  // namespace quillet
