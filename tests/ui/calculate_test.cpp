#include "ui/calculate.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/compare_models.h"
#include "analysis/control_ids.h"
#include "platform/data_exchange.h"
#include "stats/lrt.h"
#include "support/command_rig.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::FakeWindow;
using Message = FakeWindow::Message;

struct Texts {
  std::string lrt, crit, result;
  bool operator==(const Texts&) const = default;
};

Texts Lrt(float lnL1, float lnL2, int df, float p) {
  Texts t;
  EvaluateLrt(lnL1, lnL2, t.lrt, t.crit, t.result, df, p);
  return t;
}

const Texts kOld{"old lrt", "old crit", "old result"};

// Results of an earlier Calculate, still on screen.
void PutEarlierResults(AnalysisForm& f) {
  f.m_strClockLrt = f.m_strGammaLrt = kOld.lrt;
  f.m_strClockCrit = f.m_strGammaCrit = kOld.crit;
  f.m_strClockResult = f.m_strGammaResult = kOld.result;
  for (std::string* text :
       {&f.m_strLrtF81, &f.m_strCritHKY85, &f.m_strResultJC, &f.m_strLrtK2P, &f.m_strResultTrN}) {
    *text = "old model text";
  }
}

void ClockValues(AnalysisForm& f, int taxa) {
  f.m_bTestClock = 1;
  f.m_nTaxa = taxa;
  f.m_fLnLNoClock = -3050.25f;
  f.m_fLnLClock = -3062.8f;
}

void GammaValues(AnalysisForm& f) {
  f.m_bTestGamma = 1;
  f.m_fLnLGamma = -3040.1f;
  f.m_fLnLNoGamma = -3044.35f;
}

void F81K2PJC(AnalysisForm& f) {
  f.m_bTestModels = 1;
  f.m_bF81 = f.m_bK2P = f.m_bJC = 1;
  f.m_fLnLF81 = -1011.0f;
  f.m_fLnLK2P = -1020.5f;
  f.m_fLnLJC = -1030.75f;
}

struct CalculateCase {
  const char* name;
  std::function<void(AnalysisForm&)> setup;
  // Edits typed into the window after it showed the form: control id and text.
  std::vector<std::pair<int, std::string>> typed;
  std::vector<Message> messages;
  std::optional<int> clockDf;  // nothing: the clock texts keep the earlier ones
  std::optional<int> gammaDf;
  int clockValid;
  int gammaValid;
  bool modelsCompared;  // the F81/K2P/JC texts filled
};

void PrintTo(const CalculateCase& c, std::ostream* os) { *os << c.name; }

class CalculateTest : public ::testing::TestWithParam<CalculateCase> {};

TEST_P(CalculateTest, MessagesValidityAndTexts) {
  const CalculateCase& c = GetParam();
  CommandRig rig;
  PutEarlierResults(rig.form);
  c.setup(rig.form);
  rig.Show();
  for (const auto& [id, text] : c.typed) rig.window.SetControlText(id, text);

  OnCalculate(rig.form, rig.report, rig.ctx);

  EXPECT_EQ(rig.window.messages, c.messages);
  const AnalysisForm& f = rig.form;
  EXPECT_EQ(f.m_bClockValid, c.clockValid);
  EXPECT_EQ(f.m_bGammaValid, c.gammaValid);

  Texts clock{f.m_strClockLrt, f.m_strClockCrit, f.m_strClockResult};
  EXPECT_EQ(clock, c.clockDf ? Lrt(f.m_fLnLNoClock, f.m_fLnLClock, *c.clockDf, f.m_fPValue) : kOld);
  Texts gamma{f.m_strGammaLrt, f.m_strGammaCrit, f.m_strGammaResult};
  EXPECT_EQ(gamma, c.gammaDf ? Lrt(f.m_fLnLNoGamma, f.m_fLnLGamma, *c.gammaDf, f.m_fPValue) : kOld);

  Texts k2p{f.m_strLrtK2P, f.m_strCritK2P, f.m_strResultK2P};
  Texts jc{f.m_strLrtJC, f.m_strCritJC, f.m_strResultJC};
  if (c.modelsCompared) {
    EXPECT_EQ(k2p, Lrt(f.m_fLnLK2P, f.m_fLnLF81, 2, f.m_fPValue));
    EXPECT_EQ(jc, Lrt(f.m_fLnLJC, f.m_fLnLF81, 3, f.m_fPValue));
  } else {
    EXPECT_EQ(k2p, Texts{});
    EXPECT_EQ(jc, Texts{});
  }
  // The other model texts were cleared and nothing refilled them.
  for (const std::string* text : {&f.m_strLrtF81, &f.m_strCritHKY85, &f.m_strResultTrN}) {
    EXPECT_EQ(*text, "");
  }

  // Everything ends up on screen.
  EXPECT_EQ(rig.window.GetControlText(ids::kClockLrt), f.m_strClockLrt);
  EXPECT_EQ(rig.window.GetControlText(ids::kGammaResult), f.m_strGammaResult);
  EXPECT_EQ(rig.window.GetControlText(ids::kResultK2P), f.m_strResultK2P);
  EXPECT_EQ(rig.window.GetControlText(ids::kLrtF81), "");
}

const Message kNothing{kNothingChosenText, ""};
const Message kClockMissing{kClockMissingText, kSomethingIsZeroCaption};
const Message kGammaMissing{kGammaMissingText, kSomethingIsZeroCaption};
const Message kWarning{kF81K2PWarning, ""};

INSTANTIATE_TEST_SUITE_P(
    Rows, CalculateTest,
    ::testing::Values(CalculateCase{"NothingTicked",
                                    [](AnalysisForm&) {},
                                    {},
                                    {kNothing},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"NothingTickedEvenWithValuesFilled",
                                    [](AnalysisForm& f) {
                                      ClockValues(f, 5);
                                      GammaValues(f);
                                      F81K2PJC(f);
                                      f.m_bTestClock = f.m_bTestGamma = f.m_bTestModels = 0;
                                    },
                                    {},
                                    {kNothing},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockWithNoTaxa",
                                    [](AnalysisForm& f) {
                                      ClockValues(f, 0);
                                      GammaValues(f);
                                      F81K2PJC(f);
                                    },
                                    {},
                                    {kClockMissing, kWarning},
                                    std::nullopt,
                                    1,
                                    0,
                                    1,
                                    true},
                      CalculateCase{"ClockFiveTaxa",
                                    [](AnalysisForm& f) { ClockValues(f, 5); },
                                    {},
                                    {},
                                    3,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockTwoTaxa",
                                    [](AnalysisForm& f) { ClockValues(f, 2); },
                                    {},
                                    {},
                                    0,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockOneTaxon",
                                    [](AnalysisForm& f) { ClockValues(f, 1); },
                                    {},
                                    {},
                                    -1,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockNegativeTaxa",
                                    [](AnalysisForm& f) { ClockValues(f, -7); },
                                    {},
                                    {},
                                    -9,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      // taxa - 2 wraps around in two's complement instead of being undefined.
                      CalculateCase{"ClockTaxaAtIntMin",
                                    [](AnalysisForm& f) { ClockValues(f, INT_MIN); },
                                    {},
                                    {},
                                    INT_MAX - 1,
                                    std::nullopt,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockLnLTypedAsZeroPointZero",
                                    [](AnalysisForm& f) { ClockValues(f, 5); },
                                    {{ids::kLnLClock, "0.0"}},
                                    {kClockMissing},
                                    std::nullopt,
                                    std::nullopt,
                                    0,
                                    1,
                                    false},
                      CalculateCase{"ClockWithoutClockValueMissing",
                                    [](AnalysisForm& f) {
                                      ClockValues(f, 5);
                                      f.m_fLnLNoClock = 0;
                                    },
                                    {},
                                    {kClockMissing},
                                    std::nullopt,
                                    std::nullopt,
                                    0,
                                    1,
                                    false},
                      CalculateCase{"GammaWithValueMissing",
                                    [](AnalysisForm& f) {
                                      GammaValues(f);
                                      f.m_fLnLGamma = 0;
                                    },
                                    {},
                                    {kGammaMissing},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    0,
                                    false},
                      CalculateCase{"GammaTypedAsZero",
                                    [](AnalysisForm& f) { GammaValues(f); },
                                    {{ids::kLnLNoGamma, " 0 "}},
                                    {kGammaMissing},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    0,
                                    false},
                      CalculateCase{"GammaIgnoresTaxa",
                                    [](AnalysisForm& f) { GammaValues(f); },
                                    {},
                                    {},
                                    std::nullopt,
                                    1,
                                    1,
                                    1,
                                    false},
                      CalculateCase{"ClockGammaAndWarningInThatOrder",
                                    [](AnalysisForm& f) {
                                      ClockValues(f, 0);
                                      f.m_bTestGamma = 1;
                                      F81K2PJC(f);
                                    },
                                    {},
                                    {kClockMissing, kGammaMissing, kWarning},
                                    std::nullopt,
                                    std::nullopt,
                                    0,
                                    0,
                                    true},
                      CalculateCase{"AllThreeRun",
                                    [](AnalysisForm& f) {
                                      ClockValues(f, 12);
                                      GammaValues(f);
                                      F81K2PJC(f);
                                      f.m_fPValue = 0.01f;
                                    },
                                    {},
                                    {kWarning},
                                    10,
                                    1,
                                    1,
                                    1,
                                    true},
                      CalculateCase{"ModelLnLOfZeroIsUsed",
                                    [](AnalysisForm& f) { F81K2PJC(f); },
                                    {{ids::kLnLJC, "0"}},
                                    {kWarning},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    1,
                                    true},
                      CalculateCase{"FlagOfTwoIsNotATickButNotNothingEither",
                                    [](AnalysisForm& f) { f.m_bTestClock = 2; },
                                    {},
                                    {},
                                    std::nullopt,
                                    std::nullopt,
                                    1,
                                    1,
                                    false}),
    [](const ::testing::TestParamInfo<CalculateCase>& info) { return info.param.name; });

TEST(CalculateTest, InvalidFlagsOfAnEarlierRunAreLeftWhenTheTestIsNotTicked) {
  CommandRig rig;
  rig.form.m_bClockValid = 0;
  rig.form.m_bGammaValid = 0;
  F81K2PJC(rig.form);
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.form.m_bClockValid, 0);
  EXPECT_EQ(rig.form.m_bGammaValid, 0);
}

TEST(CalculateTest, ParseFailureGoesOnWithThePreviousValuesAndShowsThemBack) {
  CommandRig rig;
  AnalysisForm& f = rig.form;
  f.m_bTestModels = 1;
  f.m_bGTR = f.m_bJC = 1;
  f.m_fLnLGTR = -1000.0f;
  f.m_fLnLJC = -1010.0f;
  GammaValues(f);
  rig.Show();
  // New entries, one of them before the p-value in the binding order.
  rig.window.SetCheck(ids::kTestClock, 1);
  rig.window.SetControlText(ids::kPValue, "five percent");
  rig.window.SetControlText(ids::kLnLGTR, "-5");
  rig.window.SetCheck(ids::kTestGamma, 0);

  OnCalculate(f, rig.report, rig.ctx);

  ASSERT_EQ(rig.window.messages.size(), 2u);
  EXPECT_EQ(rig.window.messages[0], (Message{kPleaseEnterNumber, ""}));
  // The clock box was read before the failing field, so the clock test runs (and has no taxa).
  EXPECT_EQ(rig.window.messages[1], kClockMissing);
  EXPECT_EQ(rig.window.focus, ids::kPValue);
  EXPECT_EQ(rig.window.GetControlText(ids::kPValue), "0.05");
  EXPECT_EQ(rig.window.GetControlText(ids::kLnLGTR), "-1000");
  EXPECT_EQ(rig.window.GetCheck(ids::kTestGamma), 1);
  EXPECT_EQ(f.m_fLnLGTR, -1000.0f);
  EXPECT_EQ(f.m_strResultJC, Lrt(-1010.0f, -1000.0f, 8, 0.05f).result);
  EXPECT_EQ(f.m_strGammaLrt, Lrt(-3044.35f, -3040.1f, 1, 0.05f).lrt);
}

TEST(CalculateTest, ModelTextsAreEmptyOnScreenWhileMessagesAreUp) {
  CommandRig rig;
  PutEarlierResults(rig.form);
  ClockValues(rig.form, 0);
  rig.Show();
  std::vector<std::string> shownAtMessage;
  rig.window.onMessageBox = [&](const Message&) {
    shownAtMessage = {rig.window.GetControlText(ids::kLrtF81),
                      rig.window.GetControlText(ids::kClockLrt)};
  };
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(shownAtMessage, (std::vector<std::string>{"", kOld.lrt}));
}

TEST(CalculateTest, PressingTwiceGivesTheSameTexts) {
  CommandRig rig;
  ClockValues(rig.form, 12);
  GammaValues(rig.form);
  F81K2PJC(rig.form);
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  AnalysisForm first = rig.form;
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.form.m_strClockResult, first.m_strClockResult);
  EXPECT_EQ(rig.form.m_strGammaCrit, first.m_strGammaCrit);
  EXPECT_EQ(rig.form.m_strLrtK2P, first.m_strLrtK2P);
  EXPECT_EQ(rig.form.m_strResultJC, first.m_strResultJC);
  EXPECT_EQ(rig.report.m_nAnalysis, 1);  // saving is off
}

}  // namespace
}  // namespace quillet
