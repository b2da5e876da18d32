#include "import/import_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/value_list.h"

namespace quillet {
namespace {

using testing::ValueList;

ImportedValue Value(const char* canonical, const char* lnL, const char* source) {
  return ImportedValue{*ParseCanonicalName(canonical), lnL, std::stod(lnL), source};
}

FileImport File(const char* source, std::vector<ImportedValue> values,
                std::optional<int> taxa = {}) {
  FileImport file;
  file.source = source;
  file.format = "test";
  file.values = std::move(values);
  file.taxa = taxa;
  return file;
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

TEST(CombineImports, TaxaAreTakenOnlyWhenTheFilesAgree) {
  const ImportTable table = CombineImports({
      File("a.txt", {Value("JC", "-1", "a.txt")}, 20),
      File("b.txt", {Value("K2P", "-1", "b.txt")}),
      File("c.txt", {Value("F81", "-1", "c.txt")}, 24),
  });
  EXPECT_FALSE(table.taxa);
  ASSERT_EQ(table.taxaReadings.size(), 2u);
  EXPECT_EQ(table.messages,
            std::vector<std::string>{"the files state different numbers of "
                                     "taxa: 20 (a.txt), 24 (c.txt); none is taken"});
  EXPECT_EQ(ValueList(table.values), "JC -1; K2P -1; F81 -1");
}

}  // namespace
}  // namespace quillet
