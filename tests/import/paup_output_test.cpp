#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::ValueList;

// lscores output in the two layouts PAUP* prints, written for these tests: 4.0a lists the
// current model, 4.0b10 describes its settings in sentences.
constexpr char kLog4a[] = R"(
P A U P *
Version 4.0a (build 168) for Unix/Linux

Data matrix has 8 taxa, 1200 characters

paup> lscores 1

Likelihood scores of tree(s) in memory:
---------------------------------------
  Likelihood settings:
    Current model:
                             Data type = nucleotide
                DNA substitution types = 2
                     State frequencies = estimated
        Proportion of invariable sites = estimated
               Rates at variable sites = gamma, shape=estimated (4 categories [mean])
                  Model correspondence = HKY85+I+G

    Molecular clock not enforced
    -ln L (unconstrained) = 4100.12345

Tree             1
------------------
-ln L    5939.125
)";

constexpr char kLogB10[] = R"(
Likelihood scores of tree(s) in memory:
  Likelihood settings:
    Number of substitution types  = 6
    Substitution rate-matrix parameters estimated via ML
    Assumed nucleotide frequencies (empirical frequencies):
      A=0.30000  C=0.20000  G=0.20000  T=0.30000
    Among-site rate variation:
      Assumed proportion of invariable sites  = none
      Distribution of rates at variable sites = equal
    These settings correspond to the GTR model
    Molecular clock not enforced
    -ln L (unconstrained) = 4100.12345

Tree              1
-------------------
-ln L   6000.54321
)";

using testing::Replaced;

TEST(PaupLog, ReadsAModelPaupNamesWhenItsSettingsAreEstimated) {
  struct Case {
    const char* name;
    std::string text;
    const char* values;
    int leftOut;
  };
  const std::string a = kLog4a;
  const std::string b = kLogB10;
  const Case cases[] = {
      {"4.0a", a, "HKY85+I+G -5939.125", 0},
      {"4.0b10", b, "GTR -6000.54321", 0},
      {"two blocks", a + b, "HKY85+I+G -5939.125; GTR -6000.54321", 0},
      {"a gamma shape set by the user", Replaced(a, "shape=estimated", "shape=0.5"), "", 1},
      {"a proportion of invariable sites set by the user",
       Replaced(a, "invariable sites = estimated", "invariable sites = 0.2"), "", 1},
      {"frequencies set by the user", Replaced(b, "(empirical frequencies)", "(set by user)"), "",
       1},
      {"rates set by the user",
       Replaced(b, "Substitution rate-matrix parameters estimated via ML",
                "Substitution rate-matrix = 1 2 1 1 2 1"),
       "", 1},
      {"under a clock", Replaced(a, "Molecular clock not enforced", "Molecular clock enforced"), "",
       1},
      {"a submodel PAUP* does not name",
       Replaced(b, "correspond to the GTR model", "correspond to a submodel of the GTR model"), "",
       1},
      {"several trees in one block",
       Replaced(a, "-ln L    5939.125", "-ln L    5939.125  5940.250"), "", 1},
      {"JC69",
       Replaced(Replaced(Replaced(Replaced(a, "= estimated\n        Proportion",
                                           "= equal\n        Proportion"),
                                  "HKY85+I+G", "JC69"),
                         "invariable sites = estimated", "invariable sites = none"),
                "gamma, shape=estimated (4 categories [mean])", "equal"),
       "JC -5939.125", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "paup.log");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(file.format, "PAUP* log");
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.leftOut, c.leftOut);
  }
  EXPECT_EQ(ReadLikelihoodText(a, "paup.log").taxa, 8);
}

TEST(PaupOutput, RefusesScoreFilesAndLogsWithoutScores) {
  struct Case {
    const char* name;
    std::string text;
    const char* refusal;
  };
  const Case cases[] = {
      {"score file", "Tree\t-lnL\tp-inv\r\n1\t3100.25\t0.25\r\n",
       "m.scores: a PAUP* score file names no model: its columns are only the parameters that "
       "were estimated, and equal or empirical base frequencies, fixed values and rate classes "
       "leave no trace, so which model each line was fitted under does not follow from the "
       "file. Read the PAUP* log instead, where lscores prints the settings above each -ln L"},
      {"log without lscores", "P A U P *\nVersion 4.0a (build 168)\n\npaup> hsearch\n",
       "m.scores: no lscores output (\"-ln L\") in this log"},
      {"protein data", Replaced(kLog4a, "Data type = nucleotide", "Data type = protein"),
       "m.scores: protein data; Quillet compares nucleotide models"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "m.scores");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace quillet
