#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::ValueList;

// A statistics file in PhyML 3.3's layout, made up; the tests swap lines in and out.
constexpr char kStats[] = R"(
 oooooooooooooooooooooooooooooooooooooooooooooooooooooooo
                  ---  PhyML 3.3.20200621  ---
 oooooooooooooooooooooooooooooooooooooooooooooooooooooooo

. Sequence filename: 			toy.phy
. Data set: 				#1
. Initial tree: 			BioNJ
. Model of nucleotides substitution: 	HKY85
. Number of taxa: 			9
. Log-likelihood: 			-4321.09876
. Unconstrained log-likelihood: 	-3000.12345
. Parsimony: 				456
. Tree size: 				1.23456
. Discrete gamma model: 		Yes
  - Number of classes: 			4
  - Gamma shape parameter: 		0.512
. Proportion of invariant: 		0.231
. Transition/transversion ratio: 	4.123456
. Nucleotides frequencies:
  - f(A)=  0.31234
  - f(C)=  0.18766
  - f(G)=  0.21000
  - f(T)=  0.29000

. Run ID:				none
. Version:				3.3.20200621
)";

using testing::Replaced;

std::string Without(std::string text, const std::string& line) {
  return text.erase(text.find(line), line.size());
}

TEST(PhymlStats, ReadsTheModelItsRatesAndTheValue) {
  struct Case {
    const char* name;
    std::string text;
    const char* values;
    int leftOut;
  };
  const std::string stats = kStats;
  const Case cases[] = {
      {"gamma and invariants", stats, "HKY85+I+G -4321.09876", 0},
      {"one gamma class is no gamma",
       Replaced(stats, "classes: 			4", "classes: 			1"),
       "HKY85+I -4321.09876", 0},
      {"no invariants line", Without(stats, ". Proportion of invariant: 		0.231\n"),
       "HKY85+G -4321.09876", 0},
      {"invariants fixed at zero", Replaced(stats, "0.231", "0.000"), "HKY85+G -4321.09876", 0},
      {"3.0 layout: no gamma, categories",
       Replaced(Replaced(stats, "Discrete gamma model: 		Yes",
                         "Discrete gamma model: 		No"),
                "Number of classes", "Number of categories"),
       "HKY85+I -4321.09876", 0},
      {"each of PhyML's names", Replaced(stats, "HKY85", "TN93"), "TrN+I+G -4321.09876", 0},
      {"GTR", Replaced(stats, "HKY85", "GTR"), "GTR+I+G -4321.09876", 0},
      {"K80", Replaced(stats, "HKY85", "K80"), "K2P+I+G -4321.09876", 0},
      {"F84 is not among the 24", Replaced(stats, "HKY85", "F84"), "", 1},
      {"frequencies fixed at 0.25",
       Replaced(Replaced(Replaced(Replaced(stats, "0.31234", "0.25000"), "0.18766", "0.25000"),
                         "0.21000", "0.25000"),
                "0.29000", "0.25000"),
       "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "toy_phyml_stats.txt");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(file.format, "PhyML 3.3.20200621 statistics");
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.leftOut, c.leftOut);
    EXPECT_EQ(file.taxa, 9);
  }
}

TEST(PhymlStats, RefusesProteinAndSeveralDataSets) {
  struct Case {
    const char* name;
    std::string text;
    const char* refusal;
  };
  const std::string stats = kStats;
  const Case cases[] = {
      {"amino acids",
       Replaced(stats, "Model of nucleotides substitution: 	HKY85",
                "Model of amino acids substitution: 	LG"),
       "s.txt: protein data (amino-acid model LG); Quillet compares nucleotide models"},
      {"two data sets", stats + Replaced(stats, "#1", "#2"),
       "s.txt: results for several data sets; Quillet reads one fit per file from PhyML"},
      {"no value",
       Without(stats, ". Log-likelihood: 			-4321.09876\n") +
           ". Log-likelihood: \n",
       "s.txt: no \"Log-likelihood\" line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "s.txt");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace quillet
