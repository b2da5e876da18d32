#include "import/import_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/import_choice.h"
#include "import/value_list.h"

namespace quillet {
namespace {

using testing::ValueList;

ImportedValue Value(const char* canonical, const char* lnL, const char* source) {
  return ImportedValue{*ParseCanonicalName(canonical), lnL, std::stod(lnL), source};
}

FileImport File(const char* source, std::vector<ImportedValue> values, std::optional<int> taxa = {},
                std::optional<int> sites = {}) {
  FileImport file;
  file.source = source;
  file.format = "test";
  file.values = std::move(values);
  file.taxa = taxa;
  file.sites = sites;
  return file;
}

// A file of one value that states the numbers given (0: not stated).
FileImport Stating(const char* source, int taxa, int sites) {
  FileImport file = File(source, {Value("JC", "-1", source)});
  if (taxa > 0) file.taxa = taxa;
  if (sites > 0) file.sites = sites;
  return file;
}

// "1,3: 20 taxa | 2: 27 taxa and 3925 sites": each data set's files, numbered from 1.
std::string Groups(const ImportTable& table) {
  std::string text;
  for (const DataSet& set : table.dataSets) {
    if (!text.empty()) text += " | ";
    for (std::size_t i = 0; i < set.files.size(); ++i) {
      text += (i == 0 ? "" : ",") + std::to_string(set.files[i] + 1);
    }
    const std::string counts = DescribeCounts(set.taxa, set.sites);
    if (!counts.empty()) text += ": " + counts;
  }
  return text;
}

TEST(CombineImports, OneValuePerModelFromAllFilesInTheOrderOfThe24) {
  const ImportTable table = CombineImports({
      File("hky.txt", {Value("HKY85", "-6250.99941", "hky.txt")}, 20),
      File("jc.txt", {Value("JC", "-6379.66383", "jc.txt")}, 20),
      File("jcg.txt", {Value("JC+G", "-6304.38083", "jcg.txt")}, 20),
  });
  EXPECT_EQ(ValueList(table.values), "JC -6379.66383; JC+G -6304.38083; HKY85 -6250.99941");
  EXPECT_EQ(table.values[0].source, "jc.txt");
  EXPECT_TRUE(table.conflicts.empty());
  EXPECT_EQ(table.taxa, 20);
  EXPECT_TRUE(table.messages.empty());
}

TEST(CombineImports, DifferentValuesLeaveTheModelUnfilledAndSaySo) {
  const ImportTable table = CombineImports({
      File("a.txt", {Value("HKY85+G", "-6172.58029", "a.txt"), Value("JC", "-1", "a.txt")}),
      File("b.txt", {Value("HKY85+G", "-6181.13414", "b.txt")}),
  });
  EXPECT_EQ(ValueList(table.values), "JC -1");
  ASSERT_EQ(table.conflicts.size(), 1u);
  EXPECT_EQ(table.messages,
            std::vector<std::string>{"different values for HKY85+G: -6172.58029 (a.txt), "
                                     "-6181.13414 (b.txt); that model is left unfilled"});
}

TEST(CombineImports, AReportAndItsLogAgreeAtTheLogsPrecision) {
  const ImportTable table = CombineImports({
      File("run.log", {Value("JC", "-9533.494", "run.log")}),
      File("run.iqtree", {Value("JC", "-9533.4938", "run.iqtree")}),
  });
  EXPECT_EQ(ValueList(table.values), "JC -9533.4938");
  EXPECT_EQ(table.values[0].source, "run.iqtree");
  EXPECT_TRUE(table.conflicts.empty());
}

TEST(CombineImports, AModelAFileDisagreesWithItselfOnStaysUnfilled) {
  FileImport torn = File("torn.csv", {});
  torn.conflicts.push_back(
      {*ParseCanonicalName("GTR"),
       {Value("GTR", "-900.5", "torn.csv"), Value("GTR", "-901.5", "torn.csv")}});
  torn.notes.push_back("different values for GTR: ...");
  const ImportTable table =
      CombineImports({torn, File("other.csv", {Value("GTR", "-900.5", "other.csv")})});
  EXPECT_EQ(ValueList(table.values), "");
  ASSERT_EQ(table.conflicts.size(), 1u);
  EXPECT_EQ(DescribeConflict(table.conflicts[0]),
            "GTR: -900.5 (torn.csv), -901.5 (torn.csv), -900.5 (other.csv)");
}

TEST(CombineImports, RefusedFilesAddOnlyTheirRefusalAndNotesNameTheirFile) {
  FileImport refused = File("p.iqtree", {});
  refused.refusal = "p.iqtree: protein data";
  FileImport noted = File("n.iqtree", {Value("JC", "-5", "n.iqtree")}, 12);
  noted.notes.push_back("3 models are not among the 24");
  const ImportTable table = CombineImports({refused, noted});
  EXPECT_EQ(ValueList(table.values), "JC -5");
  EXPECT_EQ(table.messages, (std::vector<std::string>{"p.iqtree: protein data",
                                                      "n.iqtree: 3 models are not among the 24"}));
  EXPECT_EQ(table.taxa, 12);
}

// Files are one data set when every two that state the number of taxa state the same, and
// likewise the sites. Otherwise the groups that agree are offered, a file stating neither in
// each, and the table holds no numbers and fills nothing.
TEST(CombineImports, FilesAreOneDataSetWhenTheirTaxaAndSitesAgree) {
  struct Case {
    const char* name;
    std::vector<FileImport> files;
    const char* groups;
    std::optional<int> taxa, sites;
    const char* message;  // the last message; "" for none
  };
  const Case cases[] = {
      {"a report and its log",
       {Stating("r", 32, 1506), Stating("l", 32, 1506)},
       "1,2: 32 taxa and 1506 sites",
       32,
       1506,
       ""},
      {"files that state only taxa, or nothing",
       {Stating("a", 20, 0), Stating("b", 0, 0), Stating("c", 20, 898)},
       "1,2,3: 20 taxa and 898 sites",
       20,
       898,
       ""},
      {"different taxa",
       {Stating("phyml", 20, 0), Stating("raxml", 27, 3925)},
       "1: 20 taxa | 2: 27 taxa and 3925 sites",
       {},
       {},
       "the files are not one data set: 20 taxa in phyml; 27 taxa and 3925 sites in raxml"},
      {"the same taxa, different sites",
       {Stating("a", 12, 898), Stating("b", 12, 850), Stating("c", 12, 898)},
       "1,3: 12 taxa and 898 sites | 2: 12 taxa and 850 sites",
       {},
       {},
       "the files are not one data set: 12 taxa and 898 sites in a, c; 12 taxa and 850 sites in "
       "b"},
      {"a file stating nothing belongs to each set, wherever it stands",
       {Stating("table", 0, 0), Stating("a", 20, 0), Stating("b", 24, 0)},
       "1,2: 20 taxa | 1,3: 24 taxa",
       {},
       {},
       "the files are not one data set: 20 taxa in a; 24 taxa in b"},
      {"a file stating only sites joins the sets it agrees with",
       {Stating("a", 20, 900), Stating("b", 24, 0), Stating("c", 0, 900)},
       "1,3: 20 taxa and 900 sites | 2,3: 24 taxa and 900 sites",
       {},
       {},
       "the files are not one data set: 20 taxa and 900 sites in a; 24 taxa in b; 900 sites in c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportTable table = CombineImports(c.files);
    EXPECT_EQ(Groups(table), c.groups);
    EXPECT_EQ(table.OneDataSet(), table.dataSets.size() == 1);
    EXPECT_EQ(table.taxa, c.taxa);
    EXPECT_EQ(table.sites, c.sites);
    EXPECT_EQ(table.messages.empty() ? "" : table.messages.back(), c.message);
  }
}

// A data set's own table is made from its files; refused files come along with their refusals.
TEST(CombineImports, TheTableOfOneDataSetTakesItsFilesAlone) {
  FileImport refused = File("p.iqtree", {});
  refused.refusal = "p.iqtree: protein data";
  const std::vector<FileImport> files = {File("a", {Value("JC", "-10", "a")}, 20), refused,
                                         File("b", {Value("JC", "-20", "b")}, 27, 3925),
                                         File("c", {Value("K2P", "-9", "c")}, 20)};
  const ImportTable all = CombineImports(files);
  ASSERT_EQ(all.dataSets.size(), 2u);
  ImportChoice choice;
  choice.rows[int(Model::JC)] = *ParseCanonicalName("JC");
  choice.taxa = true;
  AnalysisInput input;
  const ImportFill nothing = FillInput(choice, all, input);
  EXPECT_FALSE(nothing.AnyRow() || nothing.taxa) << "the files of two data sets fill nothing";
  const ImportTable first = CombineImports(FilesOf(files, all.dataSets[0]));
  EXPECT_TRUE(first.OneDataSet());
  EXPECT_EQ(ValueList(first.values), "JC -10; K2P -9");
  EXPECT_EQ(first.taxa, 20);
  EXPECT_EQ(first.messages, std::vector<std::string>{"p.iqtree: protein data"});
}

}  // namespace
}  // namespace quillet
