#include <gtest/gtest.h>

#include <string>

#include "import/likelihood_import.h"
#include "import/value_list.h"

#include "support/text_edit.h"

namespace quillet {
namespace {

using testing::ValueList;

// One run in RAxML-NG's log layout, made up.
constexpr char kRun[] = R"(
RAxML-NG v. 1.1.0 released on 29.11.2021 by The Exelixis Lab.

RAxML-NG was called at 01-Jan-2023 10:00:00 as follows:

raxml-ng --msa toy.fa --model HKY+I+G

Analysis options:
  run mode: ML tree search
  start tree(s): random (10) + parsimony (10)

[00:00:00] Reading alignment from file: toy.fa
[00:00:00] Loaded alignment with 12 taxa and 800 sites

Alignment comprises 1 partitions and 250 patterns

Partition 0: noname
Model: HKY+FC+I+G4m
Alignment sites / patterns: 800 / 250

[00:00:05] ML tree search #1, logLikelihood: -4322.111111

Final LogLikelihood: -4321.987654

Elapsed time: 5.000 seconds
)";

using testing::Replaced;

TEST(RaxmlNgLog, ReadsTheFinalLogLikelihoodOfEachRun) {
  struct Case {
    const char* name;
    std::string text;
    const char* values;
    int taxa;
    std::size_t notes;
  };
  const std::string run = kRun;
  const std::string failed = Replaced(Replaced(run, "Final LogLikelihood: -4321.987654",
                                               "ERROR: CPU core oversubscription detected!"),
                                      "logLikelihood: -4322.111111", "");
  const Case cases[] = {
      {"one run", run, "HKY85+I+G -4321.987654", 12, 0},
      {"a binary alignment's taxa",
       Replaced(Replaced(run, "Alignment comprises 1 partitions",
                         "[00:00:00] Alignment comprises 12 taxa, 1 partitions"),
                "Loaded alignment with 12 taxa", "Loading binary alignment"),
       "HKY85+I+G -4321.987654", 12, 0},
      {"ML frequencies, GTR", Replaced(run, "HKY+FC+I+G4m", "GTR+FO+G4m"), "GTR+G -4321.987654", 12,
       0},
      {"a failed run, then a good one", failed + run, "HKY85+I+G -4321.987654", 12, 1},
      {"a model not among the 24", Replaced(run, "HKY+FC+I+G4m", "TIM2+FO+G4m"), "", 12, 1},
      {"a user-fixed alpha", Replaced(run, "HKY+FC+I+G4m", "HKY+FC+I+G4m{0.5}"), "", 12, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "T1.raxml.log");
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(file.format, "RAxML-NG 1.1.0 log");
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.taxa.value_or(-1), c.taxa);
    EXPECT_EQ(file.notes.size(), c.notes);
  }
}

TEST(RaxmlNgLog, TwoFinishedRunsWithDifferentValuesConflict) {
  const std::string text = std::string(kRun) + Replaced(kRun, "-4321.987654", "-4330.5");
  const FileImport file = ReadLikelihoodText(text, "T1.raxml.log");
  EXPECT_EQ(ValueList(file), "");
  ASSERT_EQ(file.conflicts.size(), 1u);
  EXPECT_EQ(DescribeConflict(file.conflicts[0]),
            "HKY85+I+G: -4321.987654 (T1.raxml.log), -4330.5 (T1.raxml.log)");
}

TEST(RaxmlNgLog, RefusesWhatHoldsNoNucleotideFit) {
  struct Case {
    const char* name;
    std::string text;
    const char* refusal;
  };
  const std::string run = kRun;
  const Case cases[] = {
      {"stopped", Replaced(run, "Final LogLikelihood: -4321.987654", "ERROR: Out of memory"),
       "T.log: the run stopped with an error (\"ERROR: Out of memory\")"},
      {"bootstrap only",
       Replaced(Replaced(run, "Final LogLikelihood: -4321.987654", ""), "run mode: ML tree search",
                "run mode: Bootstrapping"),
       "T.log: no \"Final LogLikelihood\" (run mode: Bootstrapping)"},
      {"partitions", Replaced(run, "comprises 1 partitions", "comprises 3 partitions"),
       "T.log: a partitioned alignment; Quillet compares models fitted to one alignment as a "
       "whole"},
      {"protein", Replaced(run, "HKY+FC+I+G4m", "LG+G4m"),
       "T.log: protein data (model LG+G4m); Quillet compares nucleotide models"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FileImport file = ReadLikelihoodText(c.text, "T.log");
    ASSERT_TRUE(file.refusal);
    EXPECT_EQ(*file.refusal, c.refusal);
  }
}

}  // namespace
}  // namespace quillet
