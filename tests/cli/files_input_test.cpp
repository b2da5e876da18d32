#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/lrt_request.h"
#include "cli/lrt_run.h"
#include "support/temp_dir.h"

namespace quillet::cli {
namespace {

using testing::Columns;
using testing::Contains;
using testing::LrtRun;
using testing::RunLrt;

// Made-up fits of one alignment, as a table and as a short IQ-TREE report.
constexpr char kFits[] =
    "Model\tlnL\n"
    "GTR\t-1000.5\nGTR+I\t-990.25\nGTR+G\t-985.75\nGTR+I+G\t-984.50\n"
    "HKY85\t-1010.5\nHKY85+G\t-995.5\n"
    "K2P\t-1030.5\nK2P+I+G\t-1020.25\n"
    "JC\t-1100.5\n";
constexpr char kOtherGtr[] = "Model\tlnL\nGTR\t-1001.5\n";
constexpr char kOnlyGamma[] = "Model\tlnL\nGTR+I+G\t-984.5\nHKY85+I+G\t-990\n";

std::string Report(int taxa, int sites = 900) {
  return "IQ-TREE 2.2.0 built Jun  2 2022\n\nInput data: " + std::to_string(taxa) +
         " sequences with " + std::to_string(sites) +
         " nucleotide sites\n\nList of models sorted by BIC scores: \n\n"
         "Model             LogL          AIC\n"
         "TN+F+G4          -1990.2500   4010.5000\n"
         "K2P+G4           -2000.1250   4012.2500\n\n";
}

// Writes the files of a row into a fresh folder and turns "@name" arguments into their paths.
class Fixture {
 public:
  explicit Fixture(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, content] : files) {
      quillet::testing::WriteWholeFile(dir_.File(name), content);
    }
  }
  std::vector<std::string> Args(std::vector<std::string> args) const {
    for (std::string& arg : args) {
      if (arg.starts_with("@")) arg = dir_.File(arg.substr(1));
    }
    return args;
  }
  std::string Path(const std::string& name) const { return dir_.File(name); }

 private:
  quillet::testing::TempDir dir_;
};

// Which value goes to which test: the files fill the model rows with the chosen variants and
// the gamma test from its pair, and what the command line gives wins. The expected rows are
// "test model lnL1 lnL2 df" for each line of the TSV; the degrees of freedom show that a row
// took its variant's parameters along with its value.
TEST(FilesInput, ChoosesTheValuesEachTestTakes) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> args;
    int status;
    std::string rows;
    std::string err;  // a piece of stderr; empty: nothing there
  };
  const Row rows[] = {
      {"FilesAloneFillThePlainRows",
       {{"fits.tsv", kFits}},
       {"@fits.tsv"},
       kExitOk,
       "models HKY85 -1010.5 -1000.5 4; models K2P -1030.5 -1000.5 7; "
       "models JC -1100.5 -1000.5 8",
       ""},
      {"OneVariantForAllRowsLeavesOutTheModelsWithoutIt",
       {{"fits.tsv", kFits}},
       {"--variant", "+G", "@fits.tsv"},
       kExitOk,
       "models HKY85+G -995.5 -985.75 4",
       ""},
      {"ARowOfItsOwn",
       {{"fits.tsv", kFits}},
       {"--variant", "+I+G", "--use", "HKY85+G", "@fits.tsv"},
       kExitOk,
       "models HKY85+G -995.5 -984.5 5; models K2P+I+G -1020.25 -984.5 7",
       ""},
      {"ARowNamedButNotInTheFiles",
       {{"fits.tsv", kFits}},
       {"--use", "TrN+G", "@fits.tsv"},
       kExitNotAllRan,
       "models HKY85 -1010.5 -1000.5 4; models K2P -1030.5 -1000.5 7; "
       "models JC -1100.5 -1000.5 8",
       "TrN+G (--use) is not in the files; the TrN row is left out"},
      {"ARowNamedThatTheFilesDisagreeOn",
       {{"a.tsv", kFits}, {"b.tsv", "Model\tlnL\nHKY85+G\t-990\n"}},
       {"--use", "HKY85+G", "@a.tsv", "@b.tsv"},
       kExitNotAllRan,
       "models K2P -1030.5 -1000.5 7; models JC -1100.5 -1000.5 8",
       "HKY85+G (--use) has different values in the files; the HKY85 row is left out"},
      {"ModelOptionOverridesTheValueRead",
       {{"fits.tsv", kFits}},
       {"--model", "GTR+G=-999", "@fits.tsv"},
       kExitOk,
       "models HKY85 -1010.5 -999 5; models K2P -1030.5 -999 8; models JC -1100.5 -999 9",
       ""},
      {"GammaPairAloneRunsOnlyTheGammaTest",
       {{"fits.tsv", kFits}},
       {"--gamma-pair", "GTR+I+G,GTR+G", "@fits.tsv"},
       kExitOk,
       "gamma GTR+I+G,GTR+G -985.75 -984.5 1",
       ""},
      {"GammaPairOfInvariableSites",
       {{"fits.tsv", kFits}},
       {"--gamma-pair", "GTR+I,GTR", "@fits.tsv"},
       kExitOk,
       "gamma GTR+I,GTR -1000.5 -990.25 1",
       ""},
      {"GammaPairWithAVariantRunsBoth",
       {{"fits.tsv", kFits}},
       {"--gamma-pair", "HKY85+G,HKY85", "--variant", "+G", "@fits.tsv"},
       kExitOk,
       "gamma HKY85+G,HKY85 -1010.5 -995.5 1; models HKY85+G -995.5 -985.75 4",
       ""},
      {"GammaPairNotInTheFiles",
       {{"fits.tsv", kFits}},
       {"--gamma-pair", "HKY85+I+G,HKY85+G", "@fits.tsv"},
       kExitNotAllRan,
       "",
       "HKY85+I+G (--gamma-pair) is not in the files; the gamma test cannot run"},
      {"GammaOptionOverridesThePair",
       {{"fits.tsv", kFits}},
       {"--gamma", "-10,-12", "--gamma-pair", "GTR+I+G,GTR+G", "@fits.tsv"},
       kExitOk,
       "gamma  -12 -10 1",
       ""},
      {"TaxaForTheClockFromTheFiles",
       {{"run.iqtree", Report(7)}},
       {"--clock", "-3062.8,-3050.25", "@run.iqtree"},
       kExitOk,
       "clock  -3050.25 -3062.8 5",
       ""},
      {"TaxaGivenWinOverTheFiles",
       {{"a.iqtree", Report(7)}},
       {"--clock", "-3062.8,-3050.25", "--taxa", "12", "--variant", "+G", "@a.iqtree"},
       kExitOk,
       "clock  -3050.25 -3062.8 10; models K2P+G -2000.125 -1990.25 4",
       ""},
      // Files that state different numbers of taxa or sites are fits of different alignments:
      // nothing is calculated from them, whatever the command line gives.
      {"FilesOfDifferentTaxaAreNotOneDataSet",
       {{"a.iqtree", Report(7)}, {"b.iqtree", Report(9)}},
       {"--variant", "+G", "@a.iqtree", "@b.iqtree"},
       kExitFileRefused,
       "",
       "the files are not one data set: 7 taxa and 900 sites in "},
      {"FilesOfDifferentSitesAreNotOneDataSet",
       {{"a.iqtree", Report(7)}, {"b.iqtree", Report(7, 898)}},
       {"--variant", "+G", "--taxa", "7", "--clock", "-3062.8,-3050.25", "@a.iqtree", "@b.iqtree"},
       kExitFileRefused,
       "",
       "nothing calculated: give the files of one data set, or read each file as a locus of its "
       "own with --each"},
      {"ATableThatStatesNothingGoesWithAnyReport",
       {{"fits.tsv", kFits}, {"a.iqtree", Report(7)}},
       {"@fits.tsv", "@a.iqtree"},
       kExitOk,
       "models HKY85 -1010.5 -1000.5 4; models K2P -1030.5 -1000.5 7; "
       "models JC -1100.5 -1000.5 8",
       ""},
      {"AValueTheFilesDisagreeOnIsLeftOut",
       {{"a.tsv", kFits}, {"b.tsv", kOtherGtr}},
       {"@a.tsv", "@b.tsv"},
       kExitNotAllRan,
       "models K2P -1030.5 -1010.5 3; models JC -1100.5 -1010.5 4",
       "different values for GTR: -1000.5 ("},
      {"ARefusedFileStopsTheCalculation",
       {{"a.tsv", kFits}, {"b.txt", "neither a table nor a report\n"}},
       {"@a.tsv", "@b.txt"},
       kExitFileRefused,
       "",
       "nothing calculated: a file given was not read"},
      {"TheVariantsTheFilesHoldAreSuggested",
       {{"a.tsv", kOnlyGamma}},
       {"@a.tsv"},
       kExitNotAllRan,
       "",
       "the files hold +I+G for 2 models; choose with --variant or --use"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Fixture fixture(row.files);
    std::vector<std::string> args = fixture.Args(row.args);
    args.push_back("--tsv");
    const LrtRun run = RunLrt(args);
    EXPECT_EQ(run.status, row.status) << run.err;
    EXPECT_EQ(Columns(run.out, 5), row.rows);
    if (row.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
    }
  }
}

// --list: every value as the files write it, in the order of the 24 models and then of the
// files, the file as given; what was refused or disagrees is told on stderr after the values.
TEST(FilesInput, ListsTheValuesFound) {
  struct Row {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> args;
    int status;
    std::string out;  // "@name" stands for the file's path
    std::string err;
  };
  const Row rows[] = {
      {"InTheOrderOfTheModelsAsWritten",
       {{"b.tsv", "Model\tlnL\nGTR+G\t-985.750\nJC\t-1100.5\n"}, {"a.iqtree", Report(7)}},
       {"--list", "@b.tsv", "@a.iqtree"},
       kExitOk,
       "model\tlnL\tsource\nJC\t-1100.5\t@b.tsv\nK2P+G\t-2000.1250\t@a.iqtree\n"
       "TrN+G\t-1990.2500\t@a.iqtree\nGTR+G\t-985.750\t@b.tsv\n",
       ""},
      {"OneValueAtTwoPrecisionsFromEachFile",
       {{"a.tsv", "Model\tlnL\nJC\t-1100.5\n"}, {"b.tsv", "Model\tlnL\nJC\t-1100.4999\n"}},
       {"--list", "@a.tsv", "@b.tsv"},
       kExitOk,
       "model\tlnL\tsource\nJC\t-1100.5\t@a.tsv\nJC\t-1100.4999\t@b.tsv\n",
       ""},
      {"ARefusedFileAfterTheOthers",
       {{"a.tsv", "Model\tlnL\nJC\t-1100.5\n"},
        {"b.txt", "no numbers here\n"},
        {"c.tsv", "Model\tlnL\nK2P\t-1050\n"}},
       {"--list", "@a.tsv", "@b.txt", "@c.tsv"},
       kExitFileRefused,
       "model\tlnL\tsource\nJC\t-1100.5\t@a.tsv\nK2P\t-1050\t@c.tsv\n",
       "b.txt: not a format Quillet reads"},
      {"AMissingFile",
       {},
       {"--list", "@none.tsv"},
       kExitFileRefused,
       "model\tlnL\tsource\n",
       "none.tsv: no such file"},
      {"ValuesTheFilesDisagreeOnAreListedBoth",
       {{"a.tsv", "Model\tlnL\nJC\t-1100.5\nK2P\t-1050\n"}, {"b.tsv", "Model\tlnL\nJC\t-1102\n"}},
       {"--list", "@a.tsv", "@b.tsv"},
       kExitNotAllRan,
       "model\tlnL\tsource\nJC\t-1100.5\t@a.tsv\nJC\t-1102\t@b.tsv\nK2P\t-1050\t@a.tsv\n",
       "different values for JC: -1100.5 ("},
      {"ValuesAFileDisagreesWithItselfOn",
       {{"a.tsv", "Model\tlnL\nGTR\t-1000\nGTR\t-1001\n"}},
       {"--list", "@a.tsv"},
       kExitNotAllRan,
       "model\tlnL\tsource\nGTR\t-1000\t@a.tsv\nGTR\t-1001\t@a.tsv\n",
       "different values for GTR: -1000 ("},
      {"FilesOfTwoDataSets",
       {{"a.iqtree", Report(7)}, {"b.iqtree", Report(9)}},
       {"--list", "@a.iqtree", "@b.iqtree"},
       kExitNotAllRan,
       "model\tlnL\tsource\nK2P+G\t-2000.1250\t@a.iqtree\nK2P+G\t-2000.1250\t@b.iqtree\n"
       "TrN+G\t-1990.2500\t@a.iqtree\nTrN+G\t-1990.2500\t@b.iqtree\n",
       "the files are not one data set: 7 taxa and 900 sites in "},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Fixture fixture(row.files);
    const LrtRun run = RunLrt(fixture.Args(row.args));
    EXPECT_EQ(run.status, row.status) << run.err;
    std::string out = row.out;
    for (std::size_t at = out.find('@'); at != std::string::npos; at = out.find('@', at)) {
      const std::size_t end = out.find('\n', at);
      const std::string path = fixture.Path(out.substr(at + 1, end - at - 1));
      out.replace(at, end - at, path);
      at += path.size();
    }
    EXPECT_EQ(run.out, out);
    if (row.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
    }
  }
}

// Command lines that cannot mean anything: refused before a file is read, with status 2 and
// a message naming the option.
TEST(FilesInput, RefusesOptionsThatDoNotFit) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    std::string err;
  };
  const Row rows[] = {
      {"UnknownVariant", {"--variant", "+F", "f"}, "'+F' is not a variant"},
      {"UseOfAnUnknownModel", {"--use", "HKY+G", "f"}, "--use: 'HKY+G' is not a model"},
      {"TwoVariantsForOneRow",
       {"--use", "HKY85+G", "--use", "HKY85", "f"},
       "HKY85 is chosen twice"},
      {"UseAndModelForOneRow",
       {"--use", "HKY85+G", "--model", "HKY85=-1", "f"},
       "HKY85 has its value from --model already"},
      {"GammaPairWithoutComma", {"--gamma-pair", "GTR+G", "f"}, "is not two models"},
      {"GammaPairOfTwoBases", {"--gamma-pair", "GTR+G,HKY85", "f"}, "is not one model with"},
      {"GammaPairTheWrongWayRound", {"--gamma-pair", "GTR,GTR+G", "f"}, "is not one model with"},
      {"GammaPairNotNested", {"--gamma-pair", "GTR+G,GTR+I", "f"}, "is not one model with"},
      {"GammaPairOfOneModel", {"--gamma-pair", "GTR+G,GTR+G", "f"}, "is not one model with"},
      {"GammaPairTwoParametersApart",
       {"--gamma-pair", "GTR+I+G,GTR", "f"},
       "X+G,X  X+I,X  X+I+G,X+G  X+I+G,X+I. Models more parameters apart are a row of the test "
       "of models"},
      {"VariantWithoutFiles", {"--variant", "+G", "--gamma", "-1,-2"}, "give the files to read"},
      {"GammaPairWithoutFiles", {"--gamma-pair", "GTR+G,GTR"}, "give the files to read"},
      {"ListWithATest", {"--list", "--gamma-pair", "GTR+G,GTR", "f"}, "leave out --gamma-pair"},
      {"ListWithAReport", {"--list", "--report", "r.txt", "f"}, "leave out --report"},
      {"ListWithoutFiles", {"--list"}, "--list needs the files"},
      {"ListWithAPValue", {"--list", "-p", "0.1", "f"}, "leave out --p-value"},
      {"EachWithAModelValue", {"--each", "--model", "GTR=-1", "f"}, "leave out --model"},
      {"EachWithTheClock", {"--each", "--clock", "-1,-2", "f"}, "leave out --clock"},
      {"EachWithoutFiles", {"--each"}, "--each needs the files or folders"},
      {"EachAtAPValueOfOne", {"--each", "-p", "1", "f"}, "Desired p value"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LrtRun run = RunLrt(row.args);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, row.err)) << run.err;
  }
}

// The real output files of the fitting programs, where the checkout has them beside it: every
// value listed is a number as the file writes it, under one of the 24 names.
TEST(FilesInput, ListsTheSampleFiles) {
  namespace fs = std::filesystem;
  const fs::path samples =
      fs::path(__FILE__).parent_path() / ".." / ".." / ".." / "shared" / "import-samples";
  std::error_code error;
  if (!fs::is_directory(samples, error)) GTEST_SKIP() << "no samples at " << samples;
  std::vector<std::string> args = {"--list", "--each"};
  for (const char* folder : {"iqtree", "phyml", "raxml-ng", "paup"}) {
    if (fs::is_directory(samples / folder, error)) args.push_back((samples / folder).string());
  }
  const LrtRun run = RunLrt(args);
  // Some samples are there to be refused (protein data, partitions, runs that failed).
  EXPECT_EQ(run.status, kExitFileRefused);
  EXPECT_TRUE(Contains(run.out, "locus\tmodel\tlnL\tsource\n"));
  EXPECT_TRUE(Contains(run.out, "\nv2.4.0_tef1a_fixed_GTR+G\tGTR+G\t-5155.6536\t"));
  EXPECT_TRUE(Contains(run.out, "\nv3.3.20220408_primates_HKY+G\tHKY85+G\t-6172.58029\t"));
  // A report and its log are two loci named by their paths.
  EXPECT_TRUE(Contains(run.out, "v2.4.0_rpb2_MFP.iqtree\tGTR+I+G\t-4990.248\t"));
  EXPECT_TRUE(Contains(run.out, "v2.4.0_rpb2_MFP.log\tGTR+I+G\t"));
  EXPECT_TRUE(Contains(run.err, "files refused:"));
  EXPECT_TRUE(Contains(run.err, "v3.1.3_protein_GPx.iqtree: protein"));
}

// PhyML's 20 primates and RAxML-NG's 27 coronaviruses: one test of the two would be a number
// without meaning, so none is calculated.
TEST(FilesInput, RefusesTheSampleFilesOfTwoAlignmentsTogether) {
  namespace fs = std::filesystem;
  const fs::path samples =
      fs::path(__FILE__).parent_path() / ".." / ".." / ".." / "shared" / "import-samples";
  const fs::path phyml = samples / "phyml" / "v3.3.20220408_primates_HKY.txt";
  const fs::path raxml = samples / "raxml-ng" / "v1.0.2_DNA_GTR+G_all_T20.raxml.log";
  std::error_code error;
  if (!fs::is_regular_file(phyml, error) || !fs::is_regular_file(raxml, error)) {
    GTEST_SKIP() << "no samples at " << samples;
  }
  const LrtRun run = RunLrt({"--use", "GTR+G", phyml.string(), raxml.string()});
  EXPECT_EQ(run.status, kExitFileRefused);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(Contains(run.err, "the files are not one data set: 20 taxa in " + phyml.string() +
                                    "; 27 taxa and 3925 sites in " + raxml.string() + "\n"))
      << run.err;
  EXPECT_TRUE(Contains(run.err, "--each")) << run.err;
}

}  // namespace
}  // namespace quillet::cli
