#include "analysis/analyze.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/notices.h"
#include "stats/lrt.h"

namespace quillet {
namespace {

TEST(FreeParameterCountTest, BaseCountPlusOneForEachFlagThatIsExactlyOne) {
  struct Row {
    Model model;
    int base;
  };
  for (Row row : {Row{Model::JC, 0}, Row{Model::K2P, 1}, Row{Model::F81, 3}, Row{Model::HKY85, 4},
                  Row{Model::TrN, 5}, Row{Model::GTR, 8}}) {
    SCOPED_TRACE(ModelName(row.model));
    EXPECT_EQ(FreeParameterCount(row.model, 0, 0), row.base);
    EXPECT_EQ(FreeParameterCount(row.model, 1, 0), row.base + 1);
    EXPECT_EQ(FreeParameterCount(row.model, 0, 1), row.base + 1);
    EXPECT_EQ(FreeParameterCount(row.model, 1, 1), row.base + 2);
    // A check box in its third state, or a stray value, is not "set".
    EXPECT_EQ(FreeParameterCount(row.model, 2, -1), row.base);
  }
}

// Each model gets its own lnL, so that a swapped argument or a wrong reference shows up in the
// outcomes; they are set for unticked models too, which must not matter.
AnalysisInput WithDistinctLnLs() {
  AnalysisInput in;
  in.testModels = true;
  in[Model::GTR].lnL = -1000.0f;
  in[Model::TrN].lnL = -1003.5f;
  in[Model::HKY85].lnL = -1007.25f;
  in[Model::F81].lnL = -1011.0f;
  in[Model::K2P].lnL = -1020.5f;
  in[Model::JC].lnL = -1030.75f;
  return in;
}

// "GTR+G+I TrN HKY85+G" ticks GTR (gamma, invariants), TrN and HKY85 (gamma). A model written
// as "~K2P+G" is not ticked but has its flags set.
void TickModels(AnalysisInput& in, const std::string& models) {
  std::istringstream words(models);
  std::string word;
  while (words >> word) {
    bool ticked = word[0] != '~';
    if (!ticked) word.erase(0, 1);
    std::string name = word.substr(0, word.find('+'));
    bool found = false;
    for (Model m : kReportOrder) {
      if (name != ModelName(m)) continue;
      found = true;
      ModelEntry& entry = in[m];
      entry.ticked = ticked;
      if (word.find("+G") != std::string::npos) entry.gamma = true;
      if (word.find("+I") != std::string::npos) entry.invariants = true;
    }
    ASSERT_TRUE(found) << word;
  }
}

// The models compared and their degrees of freedom, as the result has them; each compared with
// the reference by its own ln L first.
void ExpectCompared(const AnalysisInput& in, const AnalysisResult& result, Model reference,
                    const std::map<Model, int>& df) {
  if (!df.empty()) {
    ASSERT_TRUE(result.models.reference.has_value());
    EXPECT_EQ(*result.models.reference, reference);
  }
  std::map<Model, int> got;
  for (const ModelComparison& c : result.models.compared) {
    SCOPED_TRACE(ModelName(c.model));
    got[c.model] = c.outcome.df;
    const LrtOutcome want = RunLrt(in[c.model].lnL, in[reference].lnL, c.outcome.df, 0.05f);
    EXPECT_EQ(c.lnL, in[c.model].lnL);
    EXPECT_EQ(c.outcome.statistic, want.statistic);
    EXPECT_EQ(c.outcome.critical, want.critical);
    EXPECT_EQ(c.outcome.pValue, want.pValue);
    EXPECT_EQ(c.outcome.rejected, want.rejected);
  }
  EXPECT_EQ(got, df);
}

struct CompareCase {
  const char* name;
  const char* models;
  // Degrees of freedom of each compared model; no other model is compared.
  std::map<Model, int> df;
  Model reference;  // whose lnL comes second
  std::vector<Notice> notices;
};

const Notice kWarning{kF81K2PWarning, ""};
const Notice kNeedsTwo{kModelsNeedTwoText, ""};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

class CompareModelsTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareModelsTest, ComparesTheRightModelsWithTheRightDegreesOfFreedom) {
  const CompareCase& c = GetParam();
  AnalysisInput in = WithDistinctLnLs();
  TickModels(in, c.models);
  const AnalysisResult result = Analyze(in);
  ExpectCompared(in, result, c.reference, c.df);
  EXPECT_EQ(result.notices, c.notices);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CompareModelsTest,
    ::testing::Values(
        CompareCase{"NoModel", "", {}, Model::GTR, {kNeedsTwo}},
        CompareCase{"OnlyJC", "JC+G+I", {}, Model::GTR, {kNeedsTwo}},
        CompareCase{"OnlyGTR", "GTR", {}, Model::GTR, {kNeedsTwo}},
        CompareCase{"OnlyK2P", "K2P+G", {}, Model::K2P, {kNeedsTwo}},
        CompareCase{"GtrAgainstJc", "GTR JC", {{Model::JC, 8}}, Model::GTR, {}},
        CompareCase{"GtrWithBothExtrasAgainstJc", "GTR+G+I JC", {{Model::JC, 10}}, Model::GTR, {}},
        CompareCase{
            "AllSixPlain",
            "GTR TrN HKY85 F81 K2P JC",
            {{Model::TrN, 3}, {Model::HKY85, 4}, {Model::K2P, 7}, {Model::JC, 8}, {Model::F81, 5}},
            Model::GTR,
            {}},
        CompareCase{
            "TrnAgainstHkyWithBothExtras", "TrN HKY85+G+I", {{Model::HKY85, -1}}, Model::TrN, {}},
        CompareCase{"TrnReferenceRow",
                    "TrN+I HKY85+I F81 K2P+G JC",
                    {{Model::HKY85, 1}, {Model::K2P, 4}, {Model::JC, 6}, {Model::F81, 3}},
                    Model::TrN,
                    {}},
        CompareCase{"F81AndK2PWarnOnce", "F81 K2P", {{Model::K2P, 2}}, Model::F81, {kWarning}},
        CompareCase{"F81ReferenceWithK2PAndJC",
                    "F81+G K2P JC+I",
                    {{Model::K2P, 3}, {Model::JC, 3}},
                    Model::F81,
                    {kWarning}},
        CompareCase{"F81WithJCOnlyNoWarning", "F81 JC", {{Model::JC, 3}}, Model::F81, {}},
        CompareCase{"HkyReferenceNoWarning",
                    "F81 K2P HKY85",
                    {{Model::F81, 1}, {Model::K2P, 3}},
                    Model::HKY85,
                    {}},
        CompareCase{
            "HkyAgainstF81WithBothExtras", "HKY85 F81+G+I", {{Model::F81, -1}}, Model::HKY85, {}},
        CompareCase{"K2PAgainstJCWithGamma", "K2P JC+G", {{Model::JC, 0}}, Model::K2P, {}},
        CompareCase{"K2PAgainstJCWithBothExtras", "K2P JC+G+I", {{Model::JC, -1}}, Model::K2P, {}},
        CompareCase{"FlagsOfUntickedModelsChangeNothing",
                    "~GTR+G+I TrN ~HKY85+G+I JC",
                    {{Model::JC, 5}},
                    Model::TrN,
                    {}},
        CompareCase{"HkyAgainstPlainF81", "HKY85 F81", {{Model::F81, 1}}, Model::HKY85, {}}),
    [](const ::testing::TestParamInfo<CompareCase>& info) { return info.param.name; });

// A ticked model whose ln L was left at 0 is not tested as if it were 0: the user is told, and
// the test goes on without it (it may even lose the reference that way).
TEST(CompareModelsTest, AModelWithoutItsLnLIsLeftOut) {
  struct Row {
    const char* name;
    const char* models;
    std::vector<Model> zero;  // ticked with ln L 0
    std::map<Model, int> df;  // compared models and their degrees of freedom
    Model reference;
    std::string leftOut;
    bool needsTwo;
  };
  const Row rows[] = {
      {"ForgottenHky",
       "GTR HKY85 JC",
       {Model::HKY85},
       {{Model::JC, 8}},
       Model::GTR,
       "HKY85",
       false},
      {"ReferenceAtZero", "GTR TrN JC", {Model::GTR}, {{Model::JC, 5}}, Model::TrN, "GTR", false},
      {"TwoAtZero", "GTR TrN JC+G", {Model::GTR, Model::JC}, {}, Model::TrN, "GTR, JC", true},
      {"OnlyOneLeft", "HKY85 K2P", {Model::K2P}, {}, Model::HKY85, "K2P", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AnalysisInput in = WithDistinctLnLs();
    TickModels(in, row.models);
    for (Model m : row.zero) in[m].lnL = 0.0f;
    const AnalysisResult result = Analyze(in);

    std::vector<Notice> expected = {
        {kModelMissingText + row.leftOut + ".", kSomethingIsZeroCaption}};
    if (row.needsTwo) expected.push_back(kNeedsTwo);
    EXPECT_EQ(result.notices, expected);
    ExpectCompared(in, result, row.reference, row.df);
  }
}

}  // namespace
}  // namespace quillet
