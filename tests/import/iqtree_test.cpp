#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::ValueList;

// Short reports and logs in IQ-TREE's layout, with made-up alignments and values.

constexpr char kReportHead[] = R"(IQ-TREE 1.6.12 built Mar 23 2020

Input file name: toy.fasta
Type of analysis: ModelFinder + tree reconstruction

SEQUENCE ALIGNMENT
------------------

Input data: 7 sequences with 900 nucleotide sites
Number of constant sites: 512 (= 56.8889% of all sites)

ModelFinder
-----------

Best-fit model according to BIC: HKY+F+G4

List of models sorted by BIC scores: 

Model             LogL          AIC      w-AIC      AICc     w-AICc       BIC      w-BIC
HKY+F+G4         -2000.1250   4034.2500 + 0.6000  4034.5000 + 0.6000  4087.0000 + 0.7000
TPM2u+F+G4       -1999.5000   4035.0000 + 0.3000  4035.3000 + 0.3000  4092.6000 - 0.2000
GTR+F+I+G4       -1998.0000   4038.0000 - 0.1000  4038.5000 - 0.1000  4110.1000 - 0.1000
K2P+I            -2100.2500   4224.5000 - 0.0000  4224.6000 - 0.0000  4262.9000 - 0.0000
HKY+F+R2         -2001.0000   4038.0000 - 0.0000  4038.3000 - 0.0000  4095.6000 - 0.0000
F81              -2150.5000   4313.0000 - 0.0000  4313.1000 - 0.0000  4346.6000 - 0.0000
JC               -2200.0000   4412.0000 - 0.0000  4412.1000 - 0.0000  4445.6000 - 0.0000

AIC, w-AIC   : Akaike information criterion scores and weights.
)";

constexpr char kReportTail[] = R"(
SUBSTITUTION PROCESS
--------------------

Model of substitution: HKY+F+G4

MAXIMUM LIKELIHOOD TREE
-----------------------

Log-likelihood of the tree: -1999.8765 (s.e. 40.1234)
)";

std::string WithVersion(std::string text, const std::string& version) {
  return text.replace(text.find("1.6.12"), 6, version);
}

using testing::Replaced;

struct ReadCase {
  const char* name;
  std::string text;
  const char* format;
  const char* values;  // ValueList of what is read
  int leftOut;
  int taxa;  // -1: none
};

void ExpectRead(const ReadCase& c) {
  SCOPED_TRACE(c.name);
  const FileImport file = ReadLikelihoodText(c.text, "run.x");
  ASSERT_FALSE(file.refusal) << *file.refusal;
  EXPECT_EQ(file.format, c.format);
  EXPECT_EQ(ValueList(file), c.values);
  EXPECT_EQ(file.leftOut, c.leftOut);
  EXPECT_EQ(file.taxa.value_or(-1), c.taxa);
  EXPECT_TRUE(file.conflicts.empty());
}

TEST(IqTreeReport, ReadsTheModelFinderTableOrTheFixedModel) {
  const std::string full = std::string(kReportHead) + kReportTail;
  const ReadCase cases[] = {
      {"ModelFinder table from 1.6 on: a plain F81 is the equal-frequency variant", full,
       "IQ-TREE 1.6.12 report",
       "JC -2200.0000; K2P+I -2100.2500; HKY85+G -2000.1250; GTR+I+G -1998.0000", 3, 7},
      {"ModelFinder table up to 1.5: a plain F81 is F81", WithVersion(full, "1.5.5"),
       "IQ-TREE 1.5.5 report",
       "JC -2200.0000; K2P+I -2100.2500; F81 -2150.5000; HKY85+G -2000.1250; GTR+I+G -1998.0000", 2,
       7},
      {"3.x", WithVersion(full, "3.0.1"), "IQ-TREE 3.0.1 report",
       "JC -2200.0000; K2P+I -2100.2500; HKY85+G -2000.1250; GTR+I+G -1998.0000", 3, 7},
      {"fixed model",
       Replaced(Replaced(full, "List of models sorted by", "Models were"), "HKY+F+G4\n\nMAX",
                "TN+F+I+G4\n\nMAX"),
       "IQ-TREE 1.6.12 report", "TrN+I+G -1999.8765", 0, 7},
      {"0.9: rates and frequencies on lines of their own, \"likehood\"",
       R"(IQ-TREE 0.9 built Jul 30 2012

Input data: 5 sequences with 300 nucleotide sites

Model of substitution: HKY

State frequencies: (empirical counts from alignment)

Model of rate heterogeneity: Invar+Gamma with 4 categories

Log-likehood of the tree: -3000.123456 (s.e. 55.1)
)",
       "IQ-TREE 0.9 report", "HKY85+I+G -3000.123456", 0, 5},
      {"fixed model with equal frequencies under a plain name",
       R"(IQ-TREE 0.9 built Jul 30 2012
Model of substitution: GTR
State frequencies: (equal frequencies)
Model of rate heterogeneity: Uniform
Log-likelihood of the tree: -3100.5 (s.e. 55.1)
)",
       "IQ-TREE 0.9 report", "", 1, -1},
      {"fixed FreeRate model", R"(IQ-TREE 2.2.0 built Jun  1 2022
Model of substitution: GTR+F+R3
Model of rate heterogeneity: FreeRate with 3 categories
Log-likelihood of the tree: -3100.5 (s.e. 55.1)
)",
       "IQ-TREE 2.2.0 report", "", 1, -1},
  };
  for (const ReadCase& c : cases) ExpectRead(c);
}

// A table that runs to the end of the text was cut short: its rows are read and a note says so;
// a last row without its line break may have lost digits and is left out.
TEST(IqTreeReport, SaysWhenTheTableEndsEarly) {
  struct Case {
    const char* name;
    std::string text;
    const char* values;
  };
  const std::string head = kReportHead;
  const std::string cut = head.substr(0, head.find("F81 "));
  const Case cases[] = {
      {"cut after a whole line", cut, "K2P+I -2100.2500; HKY85+G -2000.1250; GTR+I+G -1998.0000"},
      {"cut in the middle of a line", cut + "JC               -2200.0",
       "K2P+I -2100.2500; HKY85+G -2000.1250; GTR+I+G -1998.0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "run.iqtree");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_NE(std::find(file.notes.begin(), file.notes.end(),
                        "the ModelFinder table ends early (the file may have been cut short); "
                        "the models it lists are read"),
              file.notes.end());
  }
  const FileImport whole = ReadLikelihoodText(std::string(kReportHead) + kReportTail, "r");
  for (const std::string& note : whole.notes) EXPECT_EQ(note.find("ends early"), std::string::npos);
}

TEST(IqTreeReport, NotesThatTheFinalTreesValueIsNotMixedIn) {
  const std::string text =
      Replaced(std::string(kReportHead) + kReportTail, "Model of substitution: HKY+F+G4",
               "Model of substitution: GTR+F+I+G4");
  const FileImport file = ReadLikelihoodText(text, "run.iqtree");
  ASSERT_EQ(file.notes.size(), 2u);
  EXPECT_EQ(file.notes[0],
            "3 models are not among the 24 and left out: 1 other substitution models (such as "
            "TPM2u+F+G4); 1 equal-frequency variants of F81, HKY85, TrN or GTR (such as F81); "
            "1 FreeRate (+R) models (such as HKY+F+R2)");
  EXPECT_EQ(file.notes[1],
            "the values are the ModelFinder table's, all fitted on one tree; the final tree's "
            "log-likelihood -1999.8765 under GTR+F+I+G4 is not used");
}

TEST(IqTreeReport, ATableThatGivesOneModelTwoValuesSaysSoAndLeavesItUnfilled) {
  const std::string text = Replaced(std::string(kReportHead), "JC               -2200.0000",
                                    "JC+G4            -2190.0000   4384.0000 - 0.0000  4384.1000 "
                                    "- 0.0000  4417.6000 - 0.0000\nJC+G8            -2189.0000");
  const FileImport file = ReadLikelihoodText(text, "run.iqtree");
  EXPECT_EQ(ValueList(file), "K2P+I -2100.2500; HKY85+G -2000.1250; GTR+I+G -1998.0000");
  ASSERT_EQ(file.conflicts.size(), 1u);
  EXPECT_EQ(DescribeConflict(file.conflicts[0]),
            "JC+G: -2190.0000 (run.iqtree), -2189.0000 (run.iqtree)");
}

struct RefusalCase {
  const char* name;
  std::string text;
  const char* reason;  // what the refusal says after "run.x: "
};

void ExpectRefused(const RefusalCase& c) {
  SCOPED_TRACE(c.name);
  const FileImport file = ReadLikelihoodText(c.text, "run.x");
  ASSERT_TRUE(file.refusal);
  EXPECT_EQ(*file.refusal, std::string("run.x: ") + c.reason);
  EXPECT_TRUE(file.values.empty());
}

TEST(IqTreeReport, RefusesWhatItCannotReadAsOneNucleotideFit) {
  const std::string head = kReportHead;
  const RefusalCase cases[] = {
      {"partitions",
       Replaced(head, "7 sequences with 900 nucleotide sites",
                "7 taxa with 3 partitions and 900 total sites (1% missing data)"),
       "a partitioned analysis; Quillet compares models fitted to one alignment as a whole"},
      {"partition list",
       Replaced(head,
                "List of models sorted by BIC scores:", "List of best-fit models per partition:"),
       "a partitioned analysis; Quillet compares models fitted to one alignment as a whole"},
      {"protein", Replaced(head, "900 nucleotide sites", "300 amino-acid sites"),
       "protein data (\"Input data: 7 sequences with 300 amino-acid sites\"); Quillet compares "
       "nucleotide models"},
      {"codon", Replaced(head, "900 nucleotide sites", "300 codon sites"),
       "codon data (\"Input data: 7 sequences with 300 codon sites\"); Quillet compares "
       "nucleotide models"},
      {"no value at all",
       "IQ-TREE 2.4.0 built Feb 12 2025\n\nInput data: 7 sequences with 900 "
       "nucleotide sites\n",
       "no log-likelihood found (neither a ModelFinder table nor \"Log-likelihood of the tree\" "
       "with \"Model of substitution\")"},
      {"empty table",
       "IQ-TREE 2.4.0 built Feb 12 2025\nList of models sorted by BIC scores:\n\n"
       "Model LogL AIC\n\n",
       "the ModelFinder table lists no models"},
  };
  for (const RefusalCase& c : cases) ExpectRefused(c);
}

constexpr char kLog[] =
    R"(IQ-TREE multicore version 2.1.3 COVID-edition for Linux 64-bit built Apr 21 2021
Developed by Bui Quang Minh and others.

Command: iqtree2 -s toy.fasta -m MFP
Reading alignment file toy.fasta ... Fasta format detected
Alignment most likely contains DNA/RNA sequences
Alignment has 7 sequences with 900 columns, 301 distinct patterns

ModelFinder will test up to 484 DNA models (sample size: 900) ...
 No. Model         -LnL         df  AIC          AICc         BIC
  1  GTR+F         2100.125     19  4238.250     4239.118     4329.497
  2  GTR+F+I       2050.500     20  4141.000     4141.958     4237.049
Measuring multi-threading efficiency up to 2 CPU cores
Threads: 1 / Time: 1.000 sec / Speedup: 1.000 / Efficiency: 100% / LogL: -2049
  3  GTR+F+G4      2040.250     20  4120.500     4121.458     4216.549
 22  HKY+G4        2300.750     13  4627.500     4627.917     4689.931
 23  K2P           2300.000     12  4624.000     4624.356     4681.629
 24  TIM2e+R2      2200.000     15  4430.000     4430.547     4502.036
Akaike Information Criterion:           GTR+F+G4
Corrected Akaike Information Criterion: GTR+F+G4
Bayesian Information Criterion:         GTR+F+G4
Best-fit model: GTR+F+G4 chosen according to BIC
)";

TEST(IqTreeLog, ReadsTheModelFinderTableWithItsMinusLnLColumnNegated) {
  const ReadCase cases[] = {
      {"2.x log", kLog, "IQ-TREE 2.1.3 log",
       "K2P -2300.000; GTR -2100.125; GTR+I -2050.500; GTR+G -2040.250", 2, 7},
      {"1.5 log: a plain HKY is HKY85",
       Replaced(kLog, "multicore version 2.1.3 COVID-edition", "version 1.5.6"),
       "IQ-TREE 1.5.6 log",
       "K2P -2300.000; HKY85+G -2300.750; GTR -2100.125; GTR+I -2050.500; GTR+G -2040.250", 1, 7},
      {"Windows line ends", Replaced(kLog, "\n", "\r\n"), "IQ-TREE 2.1.3 log",
       "K2P -2300.000; GTR -2100.125; GTR+I -2050.500; GTR+G -2040.250", 2, 7},
  };
  for (const ReadCase& c : cases) ExpectRead(c);
}

TEST(IqTreeLog, SaysWhenTheTableEndsEarly) {
  std::string text = kLog;
  text.erase(text.find("Akaike"));
  const FileImport file = ReadLikelihoodText(text, "run.log");
  EXPECT_EQ(ValueList(file), "K2P -2300.000; GTR -2100.125; GTR+I -2050.500; GTR+G -2040.250");
  ASSERT_FALSE(file.notes.empty());
  EXPECT_EQ(file.notes.back(),
            "the ModelFinder table ends early (the run may have stopped); the models it lists are "
            "read");
}

TEST(IqTreeLog, RefusesFailedPartitionedAndNonNucleotideRuns) {
  const RefusalCase cases[] = {
      {"failed run",
       Replaced(kLog, "Reading alignment", "ERROR: Cannot read file toy.fasta\nReading alignment"),
       "the run stopped with an error (\"ERROR: Cannot read file toy.fasta\")"},
      {"partition file",
       Replaced(kLog, "Reading alignment",
                "Reading partition model file parts.nex ...\nReading alignment"),
       "a partitioned analysis; Quillet compares models fitted to one alignment as a whole"},
      {"partition option", Replaced(kLog, "-m MFP", "-p parts.nex -m MFP"),
       "a partitioned analysis; Quillet compares models fitted to one alignment as a whole"},
      {"protein", Replaced(kLog, "DNA/RNA sequences", "protein sequences"),
       "protein data; Quillet compares nucleotide models"},
      {"codon", Replaced(kLog, "-m MFP", "-st CODON -m MFP"),
       "codon data; Quillet compares nucleotide models"},
      {"no table",
       "IQ-TREE multicore version 2.1.3 for Linux 64-bit built Apr 21 2021\n"
       "Command: iqtree2 -s toy.fasta -m HKY+G\nBEST SCORE FOUND : -2040.1\n",
       "no ModelFinder table in this log; for a run with a fixed model, read its .iqtree report"},
  };
  for (const RefusalCase& c : cases) ExpectRefused(c);
}

}  // namespace
}  // namespace quillet
