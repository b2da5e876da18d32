#include "analysis/compare_models.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/models.h"
#include "stats/lrt.h"
#include "support/fake_window.h"

namespace quillet {
namespace {

using testing::FakeWindow;

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
// texts; they are set for unticked models too, which must not matter.
void SetDistinctLnLs(AnalysisForm& form) {
  form.m_fLnLGTR = -1000.0f;
  form.m_fLnLTrN = -1003.5f;
  form.m_fLnLHKY85 = -1007.25f;
  form.m_fLnLF81 = -1011.0f;
  form.m_fLnLK2P = -1020.5f;
  form.m_fLnLJC = -1030.75f;
}

// "GTR+G+I TrN HKY85+G" ticks GTR (gamma, invariants), TrN and HKY85 (gamma). A model written
// as "~K2P+G" is not ticked but has its flags set.
void TickModels(AnalysisForm& form, const std::string& models) {
  std::istringstream in(models);
  std::string word;
  while (in >> word) {
    bool ticked = word[0] != '~';
    if (!ticked) word.erase(0, 1);
    std::string name = word.substr(0, word.find('+'));
    bool found = false;
    for (Model m : kReportOrder) {
      if (name != ModelName(m)) continue;
      found = true;
      ModelFields fields = FieldsOf(form, m);
      fields.selected = ticked ? 1 : 0;
      if (word.find("+G") != std::string::npos) fields.gamma = 1;
      if (word.find("+I") != std::string::npos) fields.invar = 1;
    }
    ASSERT_TRUE(found) << word;
  }
}

struct CompareCase {
  const char* name;
  const char* models;
  // Degrees of freedom of each compared model; every model absent here keeps empty texts.
  std::map<Model, int> df;
  Model reference;  // whose lnL comes second
  std::vector<FakeWindow::Message> messages;
};

const FakeWindow::Message kWarning{kF81K2PWarning, ""};
const FakeWindow::Message kNeedsTwo{kModelsNeedTwoText, ""};

void PrintTo(const CompareCase& c, std::ostream* os) { *os << c.name; }

class CompareModelsTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareModelsTest, ComparesTheRightModelsWithTheRightDegreesOfFreedom) {
  const CompareCase& c = GetParam();
  AnalysisForm form;
  form.m_fPValue = 0.05f;
  SetDistinctLnLs(form);
  TickModels(form, c.models);
  FakeWindow window;
  // The warning comes before the K2P comparison, so the K2P texts are still empty then.
  bool k2pEmptyAtWarning = false;
  window.onMessageBox = [&](const FakeWindow::Message&) {
    k2pEmptyAtWarning = form.m_strLrtK2P.empty() && form.m_strResultK2P.empty();
  };

  CompareModels(form, window);

  for (Model m : {Model::TrN, Model::HKY85, Model::F81, Model::K2P, Model::JC}) {
    SCOPED_TRACE(ModelName(m));
    ModelFields x = FieldsOf(form, m);
    auto expected = c.df.find(m);
    if (expected == c.df.end()) {
      EXPECT_EQ(*x.lrt, "");
      EXPECT_EQ(*x.crit, "");
      EXPECT_EQ(*x.result, "");
      continue;
    }
    std::string lrt, crit, result;
    EvaluateLrt(x.lnL, FieldsOf(form, c.reference).lnL, lrt, crit, result, expected->second, 0.05f);
    EXPECT_EQ(*x.lrt, lrt);
    EXPECT_EQ(*x.crit, crit);
    EXPECT_EQ(*x.result, result);
    EXPECT_NE(*x.result, "");
  }
  EXPECT_EQ(window.messages, c.messages);
  if (!c.messages.empty() && c.messages.back() == kWarning) {
    EXPECT_TRUE(k2pEmptyAtWarning);
  }
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

TEST(CompareModelsTest, OnlyATickOfExactlyOneSelectsAModel) {
  AnalysisForm form;
  SetDistinctLnLs(form);
  form.m_bGTR = 2;  // a third check state is not a tick
  form.m_bHKY85 = 1;
  form.m_bJC = 1;
  form.m_bGammaHKY85 = 2;
  FakeWindow window;
  CompareModels(form, window);
  std::string lrt, crit, result;
  EvaluateLrt(form.m_fLnLJC, form.m_fLnLHKY85, lrt, crit, result, 4, form.m_fPValue);
  EXPECT_EQ(form.m_strLrtJC, lrt);
  EXPECT_EQ(form.m_strCritJC, crit);
  EXPECT_EQ(form.m_strResultJC, result);
}

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
    AnalysisForm form;
    SetDistinctLnLs(form);
    TickModels(form, row.models);
    for (Model m : row.zero) FieldsOf(form, m).lnL = 0.0f;
    FakeWindow window;
    CompareModels(form, window);

    std::vector<FakeWindow::Message> expected = {
        {kModelMissingText + row.leftOut + ".", kSomethingIsZeroCaption}};
    if (row.needsTwo) expected.push_back(kNeedsTwo);
    EXPECT_EQ(window.messages, expected);
    for (Model m : {Model::TrN, Model::HKY85, Model::F81, Model::K2P, Model::JC}) {
      SCOPED_TRACE(ModelName(m));
      ModelFields x = FieldsOf(form, m);
      auto df = row.df.find(m);
      std::string lrt, crit, result;
      if (df != row.df.end()) {
        EvaluateLrt(x.lnL, FieldsOf(form, row.reference).lnL, lrt, crit, result, df->second, 0.05f);
      }
      EXPECT_EQ(*x.lrt, lrt);
      EXPECT_EQ(*x.result, result);
    }
  }
}

}  // namespace
}  // namespace quillet
