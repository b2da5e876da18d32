#include "ui/calculate.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/notices.h"
#include "platform/data_exchange.h"
#include "stats/lrt.h"
#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/file_name.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::FakeWindow;
using testing::TempDir;
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
       {&f[Model::F81].m_strLrt, &f[Model::HKY85].m_strCrit, &f[Model::JC].m_strResult,
        &f[Model::K2P].m_strLrt, &f[Model::TrN].m_strResult}) {
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
  f[Model::F81].m_bSelected = f[Model::K2P].m_bSelected = f[Model::JC].m_bSelected = 1;
  f[Model::F81].m_fLnL = -1011.0f;
  f[Model::K2P].m_fLnL = -1020.5f;
  f[Model::JC].m_fLnL = -1030.75f;
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
  // Every box comes before the results it concerns: the K2P result is not there yet when the
  // F81/K2P warning is shown.
  bool k2pEmptyAtEveryBox = true;
  rig.window.onMessageBox = [&](const Message&) {
    k2pEmptyAtEveryBox = k2pEmptyAtEveryBox && rig.form[Model::K2P].m_strResult.empty() &&
                         rig.window.GetControlText(ids::kResultK2P).empty();
  };

  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_TRUE(k2pEmptyAtEveryBox);

  EXPECT_EQ(rig.window.messages, c.messages);
  const AnalysisForm& f = rig.form;
  EXPECT_EQ(f.m_bClockValid, c.clockValid);
  EXPECT_EQ(f.m_bGammaValid, c.gammaValid);

  Texts clock{f.m_strClockLrt, f.m_strClockCrit, f.m_strClockResult};
  EXPECT_EQ(clock, c.clockDf ? Lrt(f.m_fLnLNoClock, f.m_fLnLClock, *c.clockDf, f.m_fPValue) : kOld);
  Texts gamma{f.m_strGammaLrt, f.m_strGammaCrit, f.m_strGammaResult};
  EXPECT_EQ(gamma, c.gammaDf ? Lrt(f.m_fLnLNoGamma, f.m_fLnLGamma, *c.gammaDf, f.m_fPValue) : kOld);

  Texts k2p{f[Model::K2P].m_strLrt, f[Model::K2P].m_strCrit, f[Model::K2P].m_strResult};
  Texts jc{f[Model::JC].m_strLrt, f[Model::JC].m_strCrit, f[Model::JC].m_strResult};
  if (c.modelsCompared) {
    EXPECT_EQ(k2p, Lrt(f[Model::K2P].m_fLnL, f[Model::F81].m_fLnL, 2, f.m_fPValue));
    EXPECT_EQ(jc, Lrt(f[Model::JC].m_fLnL, f[Model::F81].m_fLnL, 3, f.m_fPValue));
  } else {
    EXPECT_EQ(k2p, Texts{});
    EXPECT_EQ(jc, Texts{});
  }
  // The other model texts were cleared and nothing refilled them.
  for (const std::string* text :
       {&f[Model::F81].m_strLrt, &f[Model::HKY85].m_strCrit, &f[Model::TrN].m_strResult}) {
    EXPECT_EQ(*text, "");
  }

  // Everything ends up on screen.
  EXPECT_EQ(rig.window.GetControlText(ids::kClockLrt), f.m_strClockLrt);
  EXPECT_EQ(rig.window.GetControlText(ids::kGammaResult), f.m_strGammaResult);
  EXPECT_EQ(rig.window.GetControlText(ids::kResultK2P), f[Model::K2P].m_strResult);
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
                      // The fewest taxa a clock test accepts: one degree of freedom.
                      CalculateCase{"ClockThreeTaxa",
                                    [](AnalysisForm& f) { ClockValues(f, 3); },
                                    {},
                                    {},
                                    1,
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

// A field that does not parse stops the command where it is: the message and the cursor stay
// on that field, nothing is computed or written, and nothing typed is overwritten.
TEST(CalculateTest, AFieldThatDoesNotParseStopsTheCommand) {
  struct Row {
    const char* name;
    int field;
    const char* text;
    const char* message;
  };
  const Row rows[] = {
      {"PValueWord", ids::kPValue, "five percent", kPleaseEnterNumber},
      {"EmptyLnL", ids::kLnLJC, "", kPleaseEnterNumber},
      {"TaxaWithDecimals", ids::kTaxa, "12.5", kPleaseEnterInteger},
      {"LastFieldRead", ids::kLnLNoGamma, "-12,5", kPleaseEnterNumber},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    CommandRig rig;
    AnalysisForm& f = rig.form;
    PutEarlierResults(f);
    F81K2PJC(f);
    GammaValues(f);
    rig.Show();
    rig.host.saveAsAnswers.push_back(dir.File("r.txt"));
    rig.host.dialogSteps.push_back(testing::PressOk(CCommentsDlg::kIdOkButton));
    OnFileName(f, rig.report, rig.ctx);
    // New entries on both sides of the failing field, and "Save work?" ticked.
    rig.window.SetCheck(ids::kTestClock, 1);
    rig.window.SetControlText(ids::kLnLGTR, "-5");
    rig.window.SetCheck(ids::kSaveWork, 1);
    rig.window.SetControlText(row.field, row.text);
    const FakeWindow before = rig.window;

    OnCalculate(f, rig.report, rig.ctx);

    EXPECT_EQ(rig.window.messages, (std::vector<Message>{{row.message, ""}}));
    EXPECT_EQ(rig.window.focus, row.field);
    EXPECT_EQ(rig.window.texts, before.texts);
    EXPECT_EQ(rig.window.checks, before.checks);
    EXPECT_EQ(f.m_strClockLrt, kOld.lrt);
    EXPECT_EQ(f.m_strGammaResult, kOld.result);
    EXPECT_EQ(f[Model::JC].m_strResult, "old model text");
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
    EXPECT_EQ(rig.report.m_nAnalysis, 1);
  }
}

// The message names a field in a group whose box was cleared: the field is enabled so that the
// cursor can go there.
TEST(CalculateTest, AFailingFieldOfADisabledGroupCanBeReached) {
  CommandRig rig;
  rig.Show();
  rig.window.EnableControl(ids::kTaxa, false);
  rig.window.SetControlText(ids::kTaxa, "");
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.window.focus, ids::kTaxa);
  EXPECT_TRUE(rig.window.IsEnabled(ids::kTaxa));
}

// Inputs for which a test has no meaning are refused before anything is computed, with a
// message that names the field and what it accepts; nothing is written and nothing typed is
// replaced.
TEST(CalculateTest, InputsWithoutMeaningAreRefused) {
  struct Row {
    const char* name;
    const char* pValue;
    const char* taxa;
    bool clockTicked;
    int field;  // 0: accepted
    std::string message;
    int typedId = 0;  // a log-likelihood field typed into as well
    const char* typed = "";
  };
  const std::string lnLWith = kLnLGammaLabel;
  const Row rows[] = {
      {"PZero", "0", "12", true, ids::kPValue, kPValueRangeText},
      {"PNegative", "-1", "12", true, ids::kPValue, kPValueRangeText},
      {"POne", "1", "12", true, ids::kPValue, kPValueRangeText},
      {"PTwo", "2", "12", false, ids::kPValue, kPValueRangeText},
      {"PBeyondTheFloatRange", "1e39", "12", true, ids::kPValue, kPValueRangeText},
      {"PJustAboveZero", "1e-30", "12", true, 0, ""},
      {"PJustBelowOne", "0.99999", "12", true, 0, ""},
      {"PBelowSinglePrecision", "1e-300", "12", true, ids::kPValue,
       std::string("Desired p value: 1e-300") + kPValueTooSmallReason},
      {"TwoTaxa", "0.05", "2", true, ids::kTaxa, kTaxaRangeText},
      {"OneTaxon", "0.05", "1", true, ids::kTaxa, kTaxaRangeText},
      {"NegativeTaxa", "0.05", "-7", true, ids::kTaxa, kTaxaRangeText},
      {"TaxaAtIntMin", "0.05", "-2147483648", true, ids::kTaxa, kTaxaRangeText},
      {"ThreeTaxa", "0.05", "3", true, 0, ""},
      {"OneTaxonButNoClockTest", "0.05", "1", false, 0, ""},
      {"LnLAboveZero", "0.05", "12", true, ids::kLnLGamma,
       lnLWith + ": 3040.1" + kLnLAboveZeroReason, ids::kLnLGamma, "3040.1"},
      {"LnLBeyondTheDoubleRange", "0.05", "12", true, ids::kLnLClock,
       std::string(kLnLClockLabel) + ": " + kLnLNotFiniteReason, ids::kLnLClock, "-1e400"},
      {"ModelLnLAboveZero", "0.05", "12", true, ids::kLnLK2P,
       std::string("K2P ln L: 5") + kLnLAboveZeroReason, ids::kLnLK2P, "5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    CommandRig rig;
    AnalysisForm& f = rig.form;
    PutEarlierResults(f);
    ClockValues(f, 12);
    f.m_bTestClock = row.clockTicked ? 1 : 0;
    GammaValues(f);
    F81K2PJC(f);
    f.m_bSaveWork = 1;
    rig.Show();
    rig.host.saveAsAnswers.push_back(dir.File("r.txt"));
    rig.host.dialogSteps.push_back(testing::PressOk(CCommentsDlg::kIdOkButton));
    OnFileName(f, rig.report, rig.ctx);
    rig.window.SetControlText(ids::kPValue, row.pValue);
    rig.window.SetControlText(ids::kTaxa, row.taxa);
    if (row.typedId != 0) rig.window.SetControlText(row.typedId, row.typed);
    if (row.field == 0) rig.window.onMessageBox = [](const Message&) {};

    OnCalculate(f, rig.report, rig.ctx);

    if (row.field == 0) {
      // Only the F81/K2P warning, which the test of models always gives here.
      EXPECT_EQ(rig.window.messages, (std::vector<Message>{kWarning}));
      EXPECT_NE(f.m_strGammaLrt, kOld.lrt);
      EXPECT_TRUE(std::filesystem::exists(dir.File("r.txt")));
      continue;
    }
    EXPECT_EQ(rig.window.messages, (std::vector<Message>{{row.message, ""}}));
    EXPECT_EQ(rig.window.focus, row.field);
    EXPECT_EQ(rig.window.GetControlText(ids::kPValue), row.pValue);
    EXPECT_EQ(rig.window.GetControlText(ids::kTaxa), row.taxa);
    if (row.typedId != 0) {
      EXPECT_EQ(rig.window.GetControlText(row.typedId), row.typed);
    }
    EXPECT_EQ(f.m_strGammaLrt, kOld.lrt);
    EXPECT_EQ(rig.window.GetControlText(ids::kLrtF81), "old model text");
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
  }
}

// Log-likelihoods keep every decimal from the field to the statistic, and the field shows them
// back as typed, so pressing Calculate again gives the same texts. The statistic is
// 2 x 3.91 = 7.82 with 3 degrees of freedom: above the critical value 7.8147, and its tail
// erfc(sqrt(x/2)) + sqrt(2x/pi) e^(-x/2) is 0.049882. In single precision the second press
// read the fields back rounded to six digits and gave 7.80, not rejected.
TEST(CalculateTest, LogLikelihoodsKeepTheirDecimalsFromCalculateToCalculate) {
  CommandRig rig;
  AnalysisForm& f = rig.form;
  rig.Show();
  rig.window.SetCheck(ids::kTestModels, 1);
  rig.window.SetCheck(ids::kGTR, 1);
  rig.window.SetCheck(ids::kTrN, 1);
  rig.window.SetControlText(ids::kLnLGTR, "-12345.66");
  rig.window.SetControlText(ids::kLnLTrN, "-12349.570");
  for (int press = 0; press < 3; ++press) {
    SCOPED_TRACE(press);
    OnCalculate(f, rig.report, rig.ctx);
    EXPECT_EQ(rig.window.GetControlText(ids::kLnLGTR), "-12345.66");
    EXPECT_EQ(rig.window.GetControlText(ids::kLnLTrN), "-12349.570");
    EXPECT_EQ(rig.window.GetControlText(ids::kLrtTrN), "7.82");
    EXPECT_EQ(rig.window.GetControlText(ids::kResultTrN), "Rejected      (p 0.049882)");
  }
}

// A calculation that ran no test appends nothing, even with saving on and a file chosen.
TEST(CalculateTest, NoTestRanNothingWritten) {
  struct Row {
    const char* name;
    std::function<void(AnalysisForm&)> setup;
  };
  const Row rows[] = {
      {"NothingTicked", [](AnalysisForm&) {}},
      {"ClockMissingAValue", [](AnalysisForm& f) { ClockValues(f, 0); }},
      {"OnlyOneModel",
       [](AnalysisForm& f) {
         f.m_bTestModels = f[Model::GTR].m_bSelected = 1;
         f[Model::GTR].m_fLnL = -10.0f;
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    CommandRig rig;
    row.setup(rig.form);
    rig.form.m_bSaveWork = 1;
    rig.Show();
    rig.host.saveAsAnswers.push_back(dir.File("r.txt"));
    rig.host.dialogSteps.push_back(testing::PressOk(CCommentsDlg::kIdOkButton));
    OnFileName(rig.form, rig.report, rig.ctx);
    OnCalculate(rig.form, rig.report, rig.ctx);
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
    EXPECT_EQ(rig.report.m_nAnalysis, 1);
  }
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
  EXPECT_EQ(rig.form[Model::K2P].m_strLrt, first[Model::K2P].m_strLrt);
  EXPECT_EQ(rig.form[Model::JC].m_strResult, first[Model::JC].m_strResult);
  EXPECT_EQ(rig.report.m_nAnalysis, 1);  // saving is off
}

}  // namespace
}  // namespace quillet
