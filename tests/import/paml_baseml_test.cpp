#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::ValueList;

// No real baseml output was at hand; this one follows the layout baseml documents and prints
// (the first line from its fprintf calls, "ns =", "lnL(ntime: .. np: ..):"), with made-up
// numbers for six sequences on an unrooted tree (nine branches).
constexpr char kMlb[] = R"(
BASEML (in paml version 4.9j, February 2020)  toy.txt  HKY85  dGamma (ncatG=5)
ns =   6  ls = 500

Frequencies..
                                    T      C      A      G
seq1                           0.25000 0.25000 0.25000 0.25000

TREE #  1:  (1, 2, ((3, 4), (5, 6)));  MP score: 120.00
lnL(ntime:  9  np: 14):  -2345.678901      +0.000000
  7..1     7..2     7..8     8..9     9..3     9..4     8..10   10..5    10..6
 0.1 0.1 0.1 0.1 0.1 0.1 0.1 0.1 0.1 2.5 0.3 0.2 0.25 0.5

Detailed output identifying parameters
kappa under HKY85:  2.50000
)";

using testing::Replaced;

TEST(PamlBaseml, ReadsTheFitWhenItsParameterCountIsTheModelsOwn) {
  struct Case {
    const char* name;
    std::string text;
    const char* values;
    int leftOut;
  };
  const std::string mlb = kMlb;
  const Case cases[] = {
      {"HKY85 with gamma: kappa, three frequencies, alpha", mlb, "HKY85+G -2345.678901", 0},
      {"frequencies counted, not estimated", Replaced(mlb, "np: 14", "np: 11"),
       "HKY85+G -2345.678901", 0},
      {"alpha fixed", Replaced(mlb, "np: 14", "np: 13"), "", 1},
      {"no gamma", Replaced(Replaced(mlb, "dGamma (ncatG=5)", ""), "np: 14", "np: 13"),
       "HKY85 -2345.678901", 0},
      {"K80", Replaced(Replaced(mlb, "HKY85  dGamma (ncatG=5)", "K80"), "np: 14", "np: 10"),
       "K2P -2345.678901", 0},
      {"REV is GTR", Replaced(Replaced(mlb, "HKY85  dGamma", "REV  dGamma"), "np: 14", "np: 18"),
       "GTR+G -2345.678901", 0},
      {"TN93", Replaced(Replaced(mlb, "HKY85  dGamma", "TN93  dGamma"), "np: 14", "np: 15"),
       "TrN+G -2345.678901", 0},
      {"under a clock", Replaced(mlb, "HKY85  dGamma", "HKY85  Global clock  dGamma"), "", 1},
      {"auto-discrete gamma", Replaced(mlb, "dGamma", "Auto-dGamma"), "", 1},
      {"F84", Replaced(mlb, "HKY85  dGamma", "F84  dGamma"), "", 1},
      {"PAML 3 without the version's wording",
       Replaced(mlb, "BASEML (in paml version 4.9j, February 2020)",
                "BASEML (in paml 3.14, January 2004)"),
       "HKY85+G -2345.678901", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "mlb");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.leftOut, c.leftOut);
    EXPECT_EQ(file.taxa, 6);
  }
  EXPECT_EQ(ReadLikelihoodText(mlb, "mlb").format, "PAML 4.9j baseml output");
}

TEST(PamlBaseml, RefusesCodemlSeveralGenesDataSetsAndTrees) {
  struct Case {
    const char* name;
    std::string text;
    const char* refusal;
  };
  const std::string mlb = kMlb;
  const Case cases[] = {
      {"codons", Replaced(mlb, "BASEML", "CODONML"),
       "mlb: codeml output for codon data; Quillet compares nucleotide models"},
      {"amino acids", Replaced(mlb, "BASEML", "AAML"),
       "mlb: codeml output for protein data; Quillet compares nucleotide models"},
      {"genes", Replaced(mlb, "(ncatG=5)", "(ncatG=5) (3 genes: separate)  "),
       "mlb: several genes (partitions); Quillet compares models fitted to one alignment as a "
       "whole"},
      {"data sets", Replaced(mlb, "ns =", "Data set 1\nns =") + "\n\nData set 2\n",
       "mlb: results for several data sets; Quillet reads one fit per model"},
      {"trees",
       mlb + "TREE #  2:  (1, 3, ((2, 4), (5, 6)));\nlnL(ntime:  9  np: 14):  -2350.1  +4.4\n",
       "mlb: log-likelihoods of 2 trees; Quillet reads one fit per model"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "mlb");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace quillet
