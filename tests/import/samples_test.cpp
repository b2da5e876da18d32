// Every real output file in ../shared/import-samples (see SOURCES.md there), read as a user
// would read it. The expected values were typed from the files themselves; these files never
// enter the project, so the tests skip when the folder is not beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "import/import_table.h"
#include "import/likelihood_import.h"
#include "import/value_list.h"

namespace quillet {
namespace {

using testing::ValueList;

const std::string kSamples = QUILLET_IMPORT_SAMPLES;

bool SamplesPresent() { return std::filesystem::is_directory(kSamples); }

std::string Sample(const std::string& name) { return kSamples + "/" + name; }

struct SampleCase {
  const char* file;
  const char* format;
  const char* values;  // ValueList of what is read; for a refused file, the reason
  bool refused;
  int taxa;     // -1: none
  int sites;    // -1: none
  int leftOut;  // models in the file that are not among the 24
};

// IQ-TREE's ModelFinder tables. From 1.6 on, the estimated-frequency models carry +F and JC
// and K2P none; the bare F81, HKY, TN and GTR of the equal-frequency variants do not occur in
// these tables (they are named JC, K2P, TNe and SYM).
constexpr char kCoiReport[] =
    "JC -9533.4938; JC+I -8848.2517; JC+G -8811.6462; JC+I+G -8814.8744; K2P -9156.6574; "
    "K2P+I -8432.7556; K2P+G -8380.3584; K2P+I+G -8373.6419; F81 -9462.9626; F81+I -8699.1544; "
    "F81+G -8678.5614; F81+I+G -8684.4696; HKY85 -9006.6947; HKY85+I -8106.9665; "
    "HKY85+G -8051.8646; HKY85+I+G -8033.4508; TrN -8995.1970; TrN+I -8099.5924; "
    "TrN+G -8051.8629; TrN+I+G -8032.9223; GTR -8958.2681; GTR+I -8083.7312; "
    "GTR+G -8042.6918; GTR+I+G -8024.1555";
constexpr char kCoiLog[] =
    "JC -9533.494; JC+I -8848.252; JC+G -8811.646; JC+I+G -8814.874; K2P -9156.657; "
    "K2P+I -8432.756; K2P+G -8380.358; K2P+I+G -8373.642; F81 -9462.963; F81+I -8699.154; "
    "F81+G -8678.561; F81+I+G -8684.470; HKY85 -9006.695; HKY85+I -8106.966; HKY85+G -8051.865; "
    "HKY85+I+G -8033.451; TrN -8995.197; TrN+I -8099.592; TrN+G -8051.863; TrN+I+G -8032.922; "
    "GTR -8958.268; GTR+I -8083.731; GTR+G -8042.692; GTR+I+G -8024.156";
constexpr char kD59[] =
    "JC -59462.1316; JC+I -56203.9813; JC+G -55251.1626; JC+I+G -55148.9754; K2P -58659.6938; "
    "K2P+I -55376.9996; K2P+G -54399.1461; K2P+I+G -54290.7150; F81 -59340.2975; "
    "F81+I -56131.5301; F81+G -55216.7014; F81+I+G -55114.1740; HKY85 -58517.0777; "
    "HKY85+I -55314.1094; HKY85+G -54395.3321; HKY85+I+G -54286.6833; TrN -58506.0075; "
    "TrN+I -55310.9034; TrN+G -54393.6095; TrN+I+G -54284.2900; GTR -57803.3463; "
    "GTR+I -54843.9808; GTR+G -53925.3096; GTR+I+G -53810.2439";
constexpr char kExample44[] =
    "JC -11948.9582; JC+I -11694.8563; JC+G -11406.7700; JC+I+G -11388.5886; K2P -11904.1208; "
    "K2P+I -11649.4233; K2P+G -11358.1160; K2P+I+G -11340.3335; F81 -11952.4496; "
    "F81+I -11695.0573; F81+G -11402.3571; F81+I+G -11384.4213; HKY85 -11906.9103; "
    "HKY85+I -11647.9930; HKY85+G -11350.9685; HKY85+I+G -11333.4471; TrN -11905.4640; "
    "TrN+I -11639.9264; TrN+G -11348.7800; TrN+I+G -11330.2885; GTR -11854.1682; "
    "GTR+I -11609.0003; GTR+G -11328.3474; GTR+I+G -11310.1489";
constexpr char kTestReport[] =
    "JC -136006.9467; JC+I -117154.7938; JC+G -105827.6600; JC+I+G -104618.8886; "
    "K2P -134154.3825; K2P+I -115220.3502; K2P+G -103657.0109; K2P+I+G -102337.5494; "
    "F81 -136177.7028; F81+I -117372.1551; F81+G -106117.4194; F81+I+G -104926.8978; "
    "HKY85 -134334.4274; HKY85+I -115403.5434; HKY85+G -103930.8987; HKY85+I+G -102626.6961; "
    "TrN -133670.6144; TrN+I -115115.6751; TrN+G -103577.3957; TrN+I+G -102285.3977; "
    "GTR -132064.8116; GTR+I -113523.2718; GTR+G -102638.7934; GTR+I+G -101455.3206";
constexpr char kTestLog[] =
    "JC -136006.947; JC+I -117154.794; JC+G -105827.660; JC+I+G -104618.889; K2P -134154.383; "
    "K2P+I -115220.350; K2P+G -103657.011; K2P+I+G -102337.549; F81 -136177.703; "
    "F81+I -117372.155; F81+G -106117.419; F81+I+G -104926.898; HKY85 -134334.427; "
    "HKY85+I -115403.543; HKY85+G -103930.899; HKY85+I+G -102626.696; TrN -133670.614; "
    "TrN+I -115115.675; TrN+G -103577.396; TrN+I+G -102285.398; GTR -132064.812; "
    "GTR+I -113523.272; GTR+G -102638.793; GTR+I+G -101455.321";
constexpr char kMarker[] =
    "JC -3774.908; JC+I -3774.103; JC+G -3772.986; JC+I+G -3773.898; K2P -3649.341; "
    "K2P+I -3647.897; K2P+G -3645.745; K2P+I+G -3646.679; F81 -3760.762; F81+I -3760.212; "
    "F81+G -3759.010; F81+I+G -3759.964; HKY85 -3646.474; HKY85+I -3644.110; HKY85+G -3642.049; "
    "HKY85+I+G -3642.904; TrN -3628.355; TrN+I -3627.442; TrN+G -3624.631; TrN+I+G -3625.600; "
    "GTR -3623.973; GTR+I -3622.884; GTR+G -3619.951; GTR+I+G -3620.895";
constexpr char kNrlsu[] =
    "JC+I+G -10763.892; K2P+I+G -10119.868; F81+I+G -10769.458; HKY85+I+G -10101.409; "
    "TrN+I+G -10079.984; GTR -11290.063; GTR+I -10310.925; GTR+G -10075.784; GTR+I+G -10051.479";
constexpr char kRpb2[] =
    "JC+I+G -5452.945; K2P+I+G -5014.748; F81+I+G -5468.094; HKY85+I+G -5013.690; "
    "TrN+I+G -5001.462; GTR -5628.736; GTR+I -5037.961; GTR+G -5009.731; GTR+I+G -4990.248";

constexpr char kPartitioned[] =
    "a partitioned analysis; Quillet compares models fitted to one alignment as a whole";

const SampleCase kCases[] = {
    // IQ-TREE reports and logs.
    {"iqtree/v0.9_example_fixedHKY.iqtree", "IQ-TREE 0.9 report", "HKY85 -11836.614810", false, 44,
     384, 0},
    {"iqtree/v1.6.12_coi_MFP.iqtree", "IQ-TREE 1.6.12 report", kCoiReport, false, 32, 1506, 121},
    {"iqtree/v1.6.12_coi_MFP.log", "IQ-TREE 1.6.12 log", kCoiLog, false, 32, 1506, 121},
    {"iqtree/v1.6.12_d59_MFP.iqtree", "IQ-TREE 1.6.12 report", kD59, false, 59, 6951, 152},
    {"iqtree/v1.6.12_example44.iqtree", "IQ-TREE 1.6.12 report", kExample44, false, 44, 384, 150},
    {"iqtree/v1.6.12_mTEST_concat.iqtree", "IQ-TREE 1.6.12 report", kTestReport, false, 199, 5575,
     64},
    {"iqtree/v1.6.12_mTEST_concat.log", "IQ-TREE 1.6.12 log", kTestLog, false, 199, 5575, 64},
    {"iqtree/v1.6.12_partition_5parts.iqtree", "IQ-TREE 1.6.12 report", kPartitioned, true, -1, -1,
     0},
    {"iqtree/v1.6.12_partition_concat.iqtree", "IQ-TREE 1.6.12 report", kPartitioned, true, -1, -1,
     0},
    {"iqtree/v1.6.12_partition_concat.log", "IQ-TREE 1.6.12 log", kPartitioned, true, -1, -1, 0},
    {"iqtree/v2.0.3_Marker42657_MFP.iqtree", "IQ-TREE 2.0.3 report", kMarker, false, 14, 600, 87},
    {"iqtree/v2.0.3_Marker42657_MFP.log", "IQ-TREE 2.0.3 log", kMarker, false, 14, 600, 87},
    {"iqtree/v2.0.7_nrlsu_158seq_MFP.iqtree", "IQ-TREE 2.0.7 report", kNrlsu, false, 158, 1035, 20},
    {"iqtree/v2.2.2.3_partition_d59_8.iqtree", "IQ-TREE 2.2.2.3 report", kPartitioned, true, -1, -1,
     0},
    {"iqtree/v2.4.0_error_bad_model.log", "IQ-TREE 2.4.0 log",
     "the run stopped with an error (\"ERROR: Unknown file input format\")", true, -1, -1, 0},
    {"iqtree/v2.4.0_rpb2_MFP.iqtree", "IQ-TREE 2.4.0 report", kRpb2, false, 24, 684, 22},
    {"iqtree/v2.4.0_rpb2_MFP.log", "IQ-TREE 2.4.0 log", kRpb2, false, 24, 684, 22},
    {"iqtree/v2.4.0_tef1a_fixed_GTR+G.iqtree", "IQ-TREE 2.4.0 report", "GTR+G -5155.6536", false,
     24, 578, 0},
    {"iqtree/v3.1.3_protein_GPx.iqtree", "IQ-TREE 3.1.3 report",
     "protein data (\"Input data: 22 sequences with 171 amino-acid sites\"); Quillet compares "
     "nucleotide models",
     true, -1, -1, 0},
    {"iqtree/v3.1.3_protein_GPx.log", "IQ-TREE 3.1.3 log",
     "protein data; Quillet compares nucleotide models", true, -1, -1, 0},
    // PhyML: eight fits of one alignment on a user tree, and one on a BioNJ tree.
    {"phyml/v3.3.20220408_primates_JC.txt", "PhyML 3.3.20220408 statistics", "JC -6379.66383",
     false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_JC+I.txt", "PhyML 3.3.20220408 statistics", "JC+I -6311.41686",
     false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_JC+G.txt", "PhyML 3.3.20220408 statistics", "JC+G -6304.38083",
     false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_JC+G+I.txt", "PhyML 3.3.20220408 statistics",
     "JC+I+G -6304.37712", false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_HKY.txt", "PhyML 3.3.20220408 statistics", "HKY85 -6250.99941",
     false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_HKY+I.txt", "PhyML 3.3.20220408 statistics",
     "HKY85+I -6180.09682", false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_HKY+G.txt", "PhyML 3.3.20220408 statistics",
     "HKY85+G -6172.58029", false, 20, -1, 0},
    {"phyml/v3.3.20220408_primates_HKY+G+I.txt", "PhyML 3.3.20220408 statistics",
     "HKY85+I+G -6172.55260", false, 20, -1, 0},
    {"phyml/v3.3_primates_bionj_tree.txt", "PhyML 3.3.20220408 statistics", "HKY85+G -6181.13414",
     false, 20, -1, 0},
    // RAxML-NG.
    {"raxml-ng/v0.9.0_protein_JTT+G_T3.raxml.log", "RAxML-NG 0.9.0 log",
     "protein data (model JTT+G4m); Quillet compares nucleotide models", true, -1, -1, 0},
    {"raxml-ng/v0.9.0_protein_all_T4.raxml.log", "RAxML-NG 0.9.0 log",
     "protein data (model JTT+G4m); Quillet compares nucleotide models", true, -1, -1, 0},
    {"raxml-ng/v1.0.2_DNA_GTR+G_all_T20.raxml.log", "RAxML-NG 1.0.2 log", "GTR+G -8881.195882",
     false, 27, 3925, 0},
    {"raxml-ng/v1.0.2_DNA_aborted_T10.raxml.log", "RAxML-NG 1.0.2 log",
     "the run stopped with an error (\"ERROR: CPU core oversubscription detected! RAxML-NG will "
     "terminate now to avoid wasting resources.\")",
     true, -1, -1, 0},
    {"raxml-ng/v1.0.2_DNA_evaluate_Final.raxml.log", "RAxML-NG 1.0.2 log", "GTR+G -8881.281122",
     false, 27, 3925, 0},
    {"raxml-ng/v1.2.2_T2_two_runs.raxml.log", "RAxML-NG 1.2.2-master log",
     "protein data (model VT+FC+G4m); Quillet compares nucleotide models", true, -1, -1, 0},
    {"raxml-ng/v1.2.2_protein_VT_T1.raxml.log", "RAxML-NG 1.2.2-master log",
     "protein data (model VT+FC+G4m); Quillet compares nucleotide models", true, -1, -1, 0},
    // PAUP*.
    {"paup/mrmodel_24models_appended.scores", "PAUP* score file",
     "a PAUP* score file names no model: its columns are only the parameters that were "
     "estimated, and equal or empirical base frequencies, fixed values and rate classes leave no "
     "trace, so which model each line was fitted under does not follow from the file. Read the "
     "PAUP* log instead, where lscores prints the settings above each -ln L",
     true, -1, -1, 0},
};

TEST(RealSamples, EachFileReadsAsTypedFromIt) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  for (const SampleCase& c : kCases) {
    SCOPED_TRACE(c.file);
    const std::string path = Sample(c.file);
    const FileImport file = ReadLikelihoodFile(path);
    EXPECT_EQ(file.format, c.format);
    if (c.refused) {
      ASSERT_TRUE(file.refusal);
      EXPECT_EQ(*file.refusal, path + ": " + c.values);
      EXPECT_TRUE(file.values.empty());
      continue;
    }
    ASSERT_FALSE(file.refusal) << *file.refusal;
    EXPECT_EQ(ValueList(file), c.values);
    EXPECT_EQ(file.taxa.value_or(-1), c.taxa);
    EXPECT_EQ(file.sites.value_or(-1), c.sites);
    EXPECT_EQ(file.leftOut, c.leftOut);
    EXPECT_TRUE(file.conflicts.empty());
    for (const ImportedValue& v : file.values) EXPECT_EQ(v.source, path);
  }
}

TEST(RealSamples, NoSampleIsMissingFromTheTable) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  std::vector<std::string> listed;
  for (const SampleCase& c : kCases) listed.push_back(c.file);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(kSamples)) {
    if (!entry.is_regular_file() || entry.path().filename() == "SOURCES.md") continue;
    const std::string relative = std::filesystem::relative(entry.path(), kSamples).generic_string();
    EXPECT_NE(std::find(listed.begin(), listed.end(), relative), listed.end()) << relative;
  }
}

std::vector<FileImport> ReadAll(const std::vector<std::string>& names) {
  std::vector<FileImport> files;
  for (const std::string& name : names) files.push_back(ReadLikelihoodFile(Sample(name)));
  return files;
}

TEST(RealSamples, AReportAndItsLogMakeOneTable) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  struct Case {
    const char* report;
    const char* log;
    const char* values;
  };
  const Case cases[] = {
      {"iqtree/v1.6.12_coi_MFP.iqtree", "iqtree/v1.6.12_coi_MFP.log", kCoiReport},
      {"iqtree/v1.6.12_mTEST_concat.iqtree", "iqtree/v1.6.12_mTEST_concat.log", kTestReport},
      {"iqtree/v2.4.0_rpb2_MFP.iqtree", "iqtree/v2.4.0_rpb2_MFP.log", kRpb2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    // The log first: the report's more precise values are kept all the same.
    const ImportTable table = CombineImports(ReadAll({c.log, c.report}));
    EXPECT_EQ(ValueList(table.values), c.values);
    EXPECT_TRUE(table.conflicts.empty());
    EXPECT_TRUE(table.OneDataSet());
    EXPECT_TRUE(table.sites);
  }
}

TEST(RealSamples, TheNinePhymlRunsMakeATableWithTheBionjFitInConflict) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  const ImportTable table = CombineImports(
      ReadAll({"phyml/v3.3.20220408_primates_JC.txt", "phyml/v3.3.20220408_primates_JC+I.txt",
               "phyml/v3.3.20220408_primates_JC+G.txt", "phyml/v3.3.20220408_primates_JC+G+I.txt",
               "phyml/v3.3.20220408_primates_HKY.txt", "phyml/v3.3.20220408_primates_HKY+I.txt",
               "phyml/v3.3.20220408_primates_HKY+G.txt", "phyml/v3.3.20220408_primates_HKY+G+I.txt",
               "phyml/v3.3_primates_bionj_tree.txt"}));
  EXPECT_EQ(ValueList(table.values),
            "JC -6379.66383; JC+I -6311.41686; JC+G -6304.38083; JC+I+G -6304.37712; "
            "HKY85 -6250.99941; HKY85+I -6180.09682; HKY85+I+G -6172.55260");
  ASSERT_EQ(table.conflicts.size(), 1u);
  EXPECT_EQ(CanonicalName(table.conflicts[0].model), "HKY85+G");
  EXPECT_EQ(table.taxa, 20);
}

// The evaluation re-optimised the parameters on the search's best tree and ended 0.085 lower:
// two fits of one model that differ, so the model stays unfilled.
TEST(RealSamples, ASearchAndALaterEvaluationOfItsTreeDisagree) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  const ImportTable table =
      CombineImports(ReadAll({"raxml-ng/v1.0.2_DNA_GTR+G_all_T20.raxml.log",
                              "raxml-ng/v1.0.2_DNA_evaluate_Final.raxml.log"}));
  EXPECT_TRUE(table.values.empty());
  ASSERT_EQ(table.conflicts.size(), 1u);
  EXPECT_EQ(table.taxa, 27);
  EXPECT_EQ(table.sites, 3925);
}

// PhyML on the 20 primates and RAxML-NG on 27 coronaviruses: each file says how many taxa it
// has, so together they are no one data set.
TEST(RealSamples, FilesOfTwoAlignmentsAreNotOneDataSet) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  const ImportTable table = CombineImports(ReadAll(
      {"phyml/v3.3.20220408_primates_HKY.txt", "raxml-ng/v1.0.2_DNA_GTR+G_all_T20.raxml.log"}));
  EXPECT_FALSE(table.OneDataSet());
  EXPECT_FALSE(table.taxa);
  ASSERT_FALSE(table.messages.empty());
  EXPECT_EQ(table.messages.back(), "the files are not one data set: 20 taxa in " +
                                       Sample("phyml/v3.3.20220408_primates_HKY.txt") +
                                       "; 27 taxa and 3925 sites in " +
                                       Sample("raxml-ng/v1.0.2_DNA_GTR+G_all_T20.raxml.log"));
}

// The report cut after its first 110 lines, as `head -n 110` leaves it: the table's rows up to
// there are read, and a note says that it ends early.
TEST(RealSamples, AReportCutShortSaysSo) {
  if (!SamplesPresent()) GTEST_SKIP() << "no sample folder at " << kSamples;
  const std::string path = Sample("iqtree/v2.0.3_Marker42657_MFP.iqtree");
  std::ifstream in(path, std::ios::binary);
  std::string text, line;
  for (int i = 0; i < 110 && std::getline(in, line); ++i) text += line + "\n";
  const FileImport file = ReadLikelihoodText(text, "head.iqtree");
  ASSERT_FALSE(file.refusal) << *file.refusal;
  EXPECT_EQ(file.values.size(), 14u);
  EXPECT_NE(std::find(file.notes.begin(), file.notes.end(),
                      "the ModelFinder table ends early (the file may have been cut short); the "
                      "models it lists are read"),
            file.notes.end());
}

}  // namespace
}  // namespace quillet
