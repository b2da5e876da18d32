#include "ui/import_choices.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/sample_import_table.h"

namespace quillet {
namespace {

using testing::M;
ImportTable Table() { return testing::SampleImportTable(); }

// As a user might have left it: TrN typed in with gamma, GTR's boxes ticked, old results shown.
AnalysisForm UsedForm() {
  AnalysisForm f;
  f[Model::TrN].m_bSelected = f[Model::TrN].m_bGamma = f[Model::GTR].m_bGamma =
      f[Model::GTR].m_bInvar = 1;
  f[Model::TrN].m_fLnL = -960.5f;
  f[Model::GTR].m_fLnL = -1.5f;
  for (std::string* text : f.ResultTexts()) *text = "old";
  f.m_nTaxa = 7;
  f.m_fLnLGamma = -3.5f;
  return f;
}

struct ApplyCase {
  const char* name;
  std::function<void(ImportChoices&)> choose;
  std::function<void(AnalysisForm&)> expect;  // the form before, changed by hand
  ImportEffect effect;
};

// Apply changes what was chosen and nothing else: both forms are shown in a window and every
// control compared; the values put in are compared exactly, in double precision, and shown with
// the decimals the file wrote.
TEST(ApplyImport, ChangesExactlyWhatWasChosen) {
  auto clearModelResults = [](AnalysisForm& f) {
    for (std::string* text : f.ModelResultTexts()) text->clear();
  };
  const ApplyCase cases[] = {
      {"nothing chosen", [](ImportChoices&) {}, [](AnalysisForm&) {}, {}},
      {"a variant fills its row with the file's value and ticks it and Test of models",
       [](ImportChoices& c) { c.rows[int(Model::HKY85)] = M("HKY85"); },
       [&](AnalysisForm& f) {
         f[Model::HKY85].m_bSelected = f.m_bTestModels = 1;
         f[Model::HKY85].m_fLnL = -6172.58029;
         clearModelResults(f);
       },
       {true, false, false}},
      {"the variant sets the gamma and invar ticks either way",
       [](ImportChoices& c) {
         c.rows[int(Model::GTR)] = M("GTR");
         c.rows[int(Model::JC)] = M("JC+I");
       },
       [&](AnalysisForm& f) {
         f[Model::GTR].m_bSelected = f[Model::JC].m_bSelected = f[Model::JC].m_bInvar =
             f.m_bTestModels = 1;
         f[Model::GTR].m_bGamma = f[Model::GTR].m_bInvar = 0;
         f[Model::GTR].m_fLnL = -950.75;
         f[Model::JC].m_fLnL = -1100.0;
         clearModelResults(f);
       },
       {true, false, false}},
      {"a variant not found leaves the row as the user left it",
       [](ImportChoices& c) { c.rows[int(Model::TrN)] = M("TrN+G"); },
       [](AnalysisForm&) {},
       {}},
      {"a model the files disagree on is not filled",
       [](ImportChoices& c) { c.rows[int(Model::K2P)] = M("K2P"); },
       [](AnalysisForm&) {},
       {}},
      {"another model's variant does not fill a row",
       [](ImportChoices& c) { c.rows[int(Model::TrN)] = M("GTR+G"); },
       [](AnalysisForm&) {},
       {}},
      {"a gamma pair fills the test and ticks it",
       [](ImportChoices& c) {
         c.gamma = GammaPair{M("GTR+I+G"), M("GTR+G")};
       },
       [](AnalysisForm& f) {
         f.m_fLnLGamma = -900.5;
         f.m_fLnLNoGamma = -905.25;
         f.m_bTestGamma = 1;
         f.m_strGammaLrt = f.m_strGammaCrit = f.m_strGammaResult = "";
       },
       {false, true, false}},
      {"a pair missing one value leaves the gamma test",
       [](ImportChoices& c) {
         c.gamma = GammaPair{M("GTR+I"), M("GTR")};
       },
       [](AnalysisForm&) {},
       {}},
      {"taxa",
       [](ImportChoices& c) { c.taxa = true; },
       [](AnalysisForm& f) {
         f.m_nTaxa = 12;
         f.m_strClockLrt = f.m_strClockCrit = f.m_strClockResult = "";
       },
       {false, false, true}},
  };
  for (const ApplyCase& c : cases) {
    SCOPED_TRACE(c.name);
    ImportChoices choices;
    c.choose(choices);
    AnalysisForm applied = UsedForm(), expected = UsedForm();
    const ImportEffect effect = ApplyImport(Table(), choices, applied);
    c.expect(expected);
    testing::FakeWindow shownApplied, shownExpected;
    applied.UpdateData(shownApplied, false);
    expected.UpdateData(shownExpected, false);
    EXPECT_EQ(shownApplied.texts, shownExpected.texts);
    EXPECT_EQ(shownApplied.checks, shownExpected.checks);
    for (Model model : kReportOrder) {
      EXPECT_EQ(applied[model].m_fLnL, expected[model].m_fLnL) << ModelName(model);
    }
    EXPECT_EQ(applied.m_fLnLNoGamma, expected.m_fLnLNoGamma);
    EXPECT_EQ(std::vector<bool>({effect.models, effect.gamma, effect.taxa}),
              std::vector<bool>({c.effect.models, c.effect.gamma, c.effect.taxa}));
  }
}

// The gamma test has one degree of freedom: only pairs one parameter apart are offered, and
// only when both values were found.
TEST(GammaPairs, OneParameterApartAndBothFound) {
  ImportTable table = Table();
  table.values.push_back({M("HKY85+I"), "-990", -990, "a.txt"});
  std::vector<std::string> described;
  for (const GammaPair& pair : GammaPairs(table)) described.push_back(DescribePair(pair));
  EXPECT_EQ(described, (std::vector<std::string>{"GTR+G against GTR", "GTR+I+G against GTR+G",
                                                 "HKY85+I against HKY85"}));
}

}  // namespace
}  // namespace quillet
