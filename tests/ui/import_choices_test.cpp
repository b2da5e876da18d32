#include "ui/import_choices.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/models.h"
#include "support/fake_window.h"

namespace quillet {
namespace {

using testing::FakeWindow;

ClassicModel M(const char* name) { return *ParseCanonicalName(name); }

ImportedValue Value(const char* name, const char* lnL, const char* source = "a.txt") {
  return {M(name), lnL, std::stod(lnL), source};
}

// What the files held: GTR in three variants, HKY85 and JC+I once each, K2P twice with
// different values, and 12 taxa.
ImportTable Table() {
  ImportTable table;
  table.values = {Value("JC+I", "-1100"), Value("HKY85", "-1000.125"), Value("GTR", "-950.75"),
                  Value("GTR+G", "-905.25", "b.txt"), Value("GTR+I+G", "-900.5", "b.txt")};
  table.conflicts = {{M("K2P"), {Value("K2P", "-1020"), Value("K2P", "-1021", "b.txt")}}};
  table.taxa = 12;
  table.taxaReadings = {{"a.txt", 12}, {"b.txt", 12}};
  return table;
}

// A form as a user might have left it: TrN typed in with gamma, results of a calculation shown
// for every test.
AnalysisForm UsedForm() {
  AnalysisForm f;
  f.m_bTestModels = 0;
  f.m_bTrN = 1;
  f.m_fLnLTrN = -960.5f;
  f.m_bGammaTrN = 1;
  f.m_bGTR = 0;
  f.m_bGammaGTR = 1;
  f.m_bInvarGTR = 1;
  f.m_fLnLGTR = -1.5f;
  for (std::string* text : f.ResultTexts()) *text = "old";
  f.m_nTaxa = 7;
  f.m_fLnLGamma = -3.5f;
  f.m_fLnLNoGamma = -4.5f;
  return f;
}

std::array<std::string*, 3> GammaTexts(AnalysisForm& f) {
  return {&f.m_strGammaLrt, &f.m_strGammaCrit, &f.m_strGammaResult};
}
std::array<std::string*, 3> ClockTexts(AnalysisForm& f) {
  return {&f.m_strClockLrt, &f.m_strClockCrit, &f.m_strClockResult};
}

struct ApplyCase {
  const char* name;
  std::function<void(ImportChoices&)> choose;
  // The form as Apply should leave it, made from the form before by hand.
  std::function<void(AnalysisForm&)> expect;
  ImportEffect effect;
};

void PrintTo(const ApplyCase& c, std::ostream* os) { *os << c.name; }

class ApplyImportTest : public ::testing::TestWithParam<ApplyCase> {};

// Apply changes what the choices say and nothing else: both forms are shown in a window and
// every control compared, and the values Apply puts in are compared exactly as floats.
TEST_P(ApplyImportTest, ChangesExactlyWhatWasChosen) {
  const ApplyCase& c = GetParam();
  ImportChoices choices;
  c.choose(choices);
  AnalysisForm applied = UsedForm();
  const ImportEffect effect = ApplyImport(Table(), choices, applied);
  AnalysisForm expected = UsedForm();
  c.expect(expected);

  FakeWindow shownApplied, shownExpected;
  applied.UpdateData(shownApplied, false);
  expected.UpdateData(shownExpected, false);
  EXPECT_EQ(shownApplied.texts, shownExpected.texts);
  EXPECT_EQ(shownApplied.checks, shownExpected.checks);
  for (Model model : kReportOrder) {
    EXPECT_EQ(FieldsOf(applied, model).lnL, FieldsOf(expected, model).lnL) << ModelName(model);
  }
  EXPECT_EQ(applied.m_fLnLGamma, expected.m_fLnLGamma);
  EXPECT_EQ(applied.m_fLnLNoGamma, expected.m_fLnLNoGamma);
  EXPECT_EQ(effect.models, c.effect.models);
  EXPECT_EQ(effect.gamma, c.effect.gamma);
  EXPECT_EQ(effect.taxa, c.effect.taxa);
}

void ClearModelResults(AnalysisForm& f) {
  for (std::string* text : f.ModelResultTexts()) text->clear();
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ApplyImportTest,
    ::testing::Values(
        ApplyCase{"NothingChosenChangesNothing", [](ImportChoices&) {}, [](AnalysisForm&) {}, {}},
        ApplyCase{"AVariantFillsItsRowTicksItAndTestOfModels",
                  [](ImportChoices& c) { c.rows[int(Model::HKY85)] = M("HKY85"); },
                  [](AnalysisForm& f) {
                    f.m_bHKY85 = 1;
                    f.m_fLnLHKY85 = -1000.125f;
                    f.m_bTestModels = 1;
                    ClearModelResults(f);
                  },
                  {true, false, false}},
        ApplyCase{"TheVariantSetsTheGammaAndInvarTicksEitherWay",
                  [](ImportChoices& c) {
                    c.rows[int(Model::GTR)] = M("GTR");  // the row had both ticked
                    c.rows[int(Model::JC)] = M("JC+I");
                  },
                  [](AnalysisForm& f) {
                    f.m_bGTR = 1;
                    f.m_fLnLGTR = -950.75f;
                    f.m_bGammaGTR = 0;
                    f.m_bInvarGTR = 0;
                    f.m_bJC = 1;
                    f.m_fLnLJC = -1100.0f;
                    f.m_bInvarJC = 1;
                    f.m_bTestModels = 1;
                    ClearModelResults(f);
                  },
                  {true, false, false}},
        ApplyCase{"AVariantNotFoundLeavesTheRowAsTheUserLeftIt",
                  [](ImportChoices& c) { c.rows[int(Model::TrN)] = M("TrN+G"); },
                  [](AnalysisForm&) {},
                  {}},
        ApplyCase{"AModelTheFilesDisagreeOnIsNotFilled",
                  [](ImportChoices& c) { c.rows[int(Model::K2P)] = M("K2P"); },
                  [](AnalysisForm&) {},
                  {}},
        ApplyCase{"AnotherModelsVariantDoesNotFillARow",
                  [](ImportChoices& c) { c.rows[int(Model::TrN)] = M("GTR+G"); },
                  [](AnalysisForm&) {},
                  {}},
        ApplyCase{"AGammaPairFillsTheTestAndTicksIt",
                  [](ImportChoices& c) {
                    c.gamma = GammaPair{M("GTR+I+G"), M("GTR+G")};
                  },
                  [](AnalysisForm& f) {
                    f.m_fLnLGamma = -900.5f;
                    f.m_fLnLNoGamma = -905.25f;
                    f.m_bTestGamma = 1;
                    for (std::string* text : GammaTexts(f)) text->clear();
                  },
                  {false, true, false}},
        ApplyCase{"APairMissingOneValueLeavesTheGammaTest",
                  [](ImportChoices& c) {
                    c.gamma = GammaPair{M("GTR+I"), M("GTR")};
                  },
                  [](AnalysisForm&) {},
                  {}},
        ApplyCase{"TaxaFilledWhenChosen",
                  [](ImportChoices& c) { c.taxa = true; },
                  [](AnalysisForm& f) {
                    f.m_nTaxa = 12;
                    for (std::string* text : ClockTexts(f)) text->clear();
                  },
                  {false, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyImport, TaxaTheFilesDisagreeOnAreNotFilled) {
  ImportTable table = Table();
  table.taxa.reset();
  table.taxaReadings = {{"a.txt", 12}, {"b.txt", 14}};
  ImportChoices choices;
  choices.taxa = true;
  AnalysisForm form = UsedForm();
  EXPECT_FALSE(ApplyImport(table, choices, form).taxa);
  EXPECT_EQ(form.m_nTaxa, 7);
  EXPECT_EQ(form.m_strClockLrt, "old");
}

// The form holds floats: a value is rounded to the nearest one, and one beyond their range
// becomes an infinity instead of undefined behaviour.
TEST(ApplyImport, ValuesAreRoundedToFloat) {
  struct Case {
    const char* name;
    const char* lnL;
    float stored;
  };
  const Case cases[] = {
      {"more digits than a float holds", "-6172.58029", -6172.58029f},
      {"halfway rounds to even", "-16777217", -16777216.0f},
      {"beyond the float range", "-1e39", -std::numeric_limits<float>::infinity()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImportTable table;
    table.values = {Value("F81", c.lnL)};
    ImportChoices choices;
    choices.rows[int(Model::F81)] = M("F81");
    AnalysisForm form;
    ApplyImport(table, choices, form);
    EXPECT_EQ(form.m_fLnLF81, c.stored);
  }
}

struct DefaultCase {
  const char* name;
  int gamma, invar;  // the GTR row's ticks
  const char* gtr;   // the variant GTR's list opens on; empty: left as it is
};

// Each row opens on the variant its ticks name, when the files hold it; otherwise nothing is
// guessed: the row is left as it is.
TEST(DefaultChoices, EachRowFollowsItsTicksWhenThatVariantWasFound) {
  const DefaultCase cases[] = {
      {"no ticks: plain", 0, 0, "GTR"},
      {"gamma", 1, 0, "GTR+G"},
      {"both", 1, 1, "GTR+I+G"},
      {"invar, not found", 0, 1, ""},
  };
  for (const DefaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    AnalysisForm form;
    form.m_bGammaGTR = c.gamma;
    form.m_bInvarGTR = c.invar;
    const ImportChoices choices = DefaultChoices(Table(), form);
    const std::optional<ClassicModel>& gtr = choices.rows[int(Model::GTR)];
    EXPECT_EQ(gtr ? CanonicalName(*gtr) : "", c.gtr);
    EXPECT_EQ(choices.rows[int(Model::HKY85)], M("HKY85"));
    EXPECT_FALSE(choices.rows[int(Model::JC)]) << "JC+I found, but the row has no invar tick";
    EXPECT_FALSE(choices.rows[int(Model::K2P)]) << "conflicting values";
    EXPECT_FALSE(choices.gamma);
    EXPECT_TRUE(choices.taxa);
  }
}

TEST(DefaultChoices, AFlagOtherThanOneIsNoTick) {
  AnalysisForm form;
  form.m_bGammaGTR = 2;
  EXPECT_EQ(DefaultChoices(Table(), form).rows[int(Model::GTR)], M("GTR"));
}

// The gamma test has one degree of freedom: only pairs one parameter apart are offered, and
// only when both values were found.
TEST(GammaPairs, OneParameterApartAndBothFound) {
  ImportTable table = Table();
  table.values.push_back(Value("HKY85+I", "-990"));
  table.values.push_back(Value("GTR+I", "-930"));
  std::vector<std::string> described;
  for (const GammaPair& pair : GammaPairs(table)) described.push_back(DescribePair(pair));
  EXPECT_EQ(described, (std::vector<std::string>{"GTR+G against GTR", "GTR+I against GTR",
                                                 "GTR+I+G against GTR+G", "GTR+I+G against GTR+I",
                                                 "HKY85+I against HKY85"}));
}

}  // namespace
}  // namespace quillet
