#include "ui/analysis_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/data_exchange.h"
#include "support/fake_window.h"
#include "ui/control_ids.h"
#include "ui/form_data.h"

namespace quillet {
namespace {

using testing::FakeWindow;

TEST(AnalysisFormTest, StartsWithTheInitialValues) {
  AnalysisForm form;
  EXPECT_EQ(form.m_bTestClock, 0);
  EXPECT_EQ(form.m_bTestModels, 0);
  EXPECT_EQ(form.m_bTestGamma, 0);
  EXPECT_EQ(form.m_bSaveWork, 0);
  EXPECT_EQ(form.m_fPValue, 0.05);
  EXPECT_EQ(form.m_bGammaValid, 1);
  EXPECT_EQ(form.m_bClockValid, 1);
  EXPECT_EQ(form.m_nTaxa, 0);
  for (float lnL : {form[Model::F81].m_fLnL, form[Model::GTR].m_fLnL, form[Model::HKY85].m_fLnL,
                    form[Model::JC].m_fLnL, form[Model::K2P].m_fLnL, form[Model::TrN].m_fLnL,
                    form.m_fLnLClock, form.m_fLnLNoClock, form.m_fLnLGamma, form.m_fLnLNoGamma}) {
    EXPECT_EQ(lnL, 0.0f);
  }
  for (const std::string* text :
       {&form[Model::F81].m_strLrt, &form[Model::HKY85].m_strCrit, &form[Model::TrN].m_strResult,
        &form.m_strClockLrt, &form.m_strClockCrit, &form.m_strClockResult, &form.m_strGammaLrt,
        &form.m_strGammaCrit, &form.m_strGammaResult}) {
    EXPECT_EQ(*text, "");
  }
}

AnalysisForm SampleForm() {
  AnalysisForm form;
  form.m_bTestClock = 1;
  form.m_bTestGamma = 1;
  form.m_fPValue = 0.01;
  form[Model::GTR].m_bSelected = 1;
  form[Model::JC].m_bSelected = 1;
  form[Model::GTR].m_fLnL = -3040.1f;
  form[Model::JC].m_fLnL = -3058.75f;
  form[Model::GTR].m_bGamma = 1;
  form[Model::TrN].m_bInvar = 1;
  form[Model::JC].m_strLrt = "25.50";
  form[Model::JC].m_strResult = "Rejected      (p 0.000276)";
  form.m_nTaxa = 12;
  form.m_fLnLClock = -3062.8f;
  form.m_fLnLNoClock = -3050.25f;
  form.m_strClockLrt = "25.10";
  form.m_fLnLGamma = -1.0e-5;
  form.m_fLnLNoGamma = -1234.5678;
  form.m_bSaveWork = 1;
  return form;
}

TEST(AnalysisFormTest, RoundTripKeepsValuesAndEveryDigitOfALogLikelihood) {
  AnalysisForm shown = SampleForm();
  FakeWindow window;
  shown.UpdateData(window, false);
  EXPECT_EQ(window.GetControlText(ids::kPValue), "0.01");
  EXPECT_EQ(window.GetControlText(ids::kLnLGamma), "-1e-005");
  EXPECT_EQ(window.GetControlText(ids::kLnLNoGamma), "-1234.5678");
  EXPECT_EQ(window.GetControlText(ids::kTaxa), "12");
  EXPECT_EQ(window.GetCheck(ids::kGammaGTR), 1);

  AnalysisForm read;
  ASSERT_TRUE(read.UpdateData(window, true));
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(read.m_bTestClock, 1);
  EXPECT_EQ(read.m_bTestGamma, 1);
  EXPECT_EQ(read.m_bTestModels, 0);
  EXPECT_EQ(read.m_fPValue, 0.01);
  EXPECT_EQ(read[Model::GTR].m_bSelected, 1);
  EXPECT_EQ(read[Model::JC].m_bSelected, 1);
  EXPECT_EQ(read[Model::GTR].m_fLnL, -3040.1f);
  EXPECT_EQ(read[Model::JC].m_fLnL, -3058.75f);
  EXPECT_EQ(read[Model::GTR].m_bGamma, 1);
  EXPECT_EQ(read[Model::TrN].m_bInvar, 1);
  EXPECT_EQ(read[Model::JC].m_strLrt, "25.50");
  EXPECT_EQ(read[Model::JC].m_strResult, "Rejected      (p 0.000276)");
  EXPECT_EQ(read.m_nTaxa, 12);
  EXPECT_EQ(read.m_fLnLClock, -3062.8f);
  EXPECT_EQ(read.m_fLnLNoClock, -3050.25f);
  EXPECT_EQ(read.m_strClockLrt, "25.10");
  EXPECT_EQ(read.m_fLnLGamma, -1.0e-5);
  // Eight significant digits typed, eight shown, eight read back.
  EXPECT_EQ(read.m_fLnLNoGamma, -1234.5678);
  EXPECT_EQ(read.m_bSaveWork, 1);
}

TEST(AnalysisFormTest, FlagOutsideZeroToTwoIsShownAsClearAndReset) {
  AnalysisForm form;
  form[Model::K2P].m_bSelected = 7;
  form[Model::JC].m_bGamma = 2;
  FakeWindow window;
  form.UpdateData(window, false);
  EXPECT_EQ(form[Model::K2P].m_bSelected, 0);
  EXPECT_EQ(window.GetCheck(ids::kK2P), 0);
  EXPECT_EQ(form[Model::JC].m_bGamma, 2);
  EXPECT_EQ(window.GetCheck(ids::kGammaJC), 2);
}

// A field that does not parse stops the exchange: its message, the focus on it, fields before
// it already new, it and every later field unchanged.
struct FailingFieldCase {
  const char* name;
  int id;
  const char* text;
  const char* message;
};

TEST(AnalysisFormTest, FailingFieldStopsTheExchange) {
  const std::vector<FailingFieldCase> cases = {
      {"p-value letters", ids::kPValue, "abc", kPleaseEnterNumber},
      {"empty first lnL", ids::kLnLF81, "", kPleaseEnterNumber},
      {"taxa with a fraction", ids::kTaxa, "1.5", kPleaseEnterInteger},
      {"last float with a comma", ids::kLnLNoGamma, "-12,5", kPleaseEnterNumber},
  };
  for (const FailingFieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The window holds new entries everywhere; the form still holds the old ones.
    AnalysisForm form;
    FakeWindow window;
    SampleForm().UpdateData(window, false);
    window.SetControlText(c.id, c.text);

    EXPECT_FALSE(form.UpdateData(window, true));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], (FakeWindow::Message{c.message, ""}));
    EXPECT_EQ(window.focus, c.id);
    EXPECT_EQ(window.selected, c.id);

    // The first field of the binding order is always read before any failure.
    EXPECT_EQ(form.m_bTestClock, 1);
    // The last one never is.
    EXPECT_EQ(form.m_bSaveWork, 0);
    if (c.id == ids::kPValue) {
      EXPECT_EQ(form.m_fPValue, 0.05);
      EXPECT_EQ(form[Model::GTR].m_bSelected, 0);
    }
    if (c.id == ids::kLnLF81) {
      EXPECT_EQ(form.m_fPValue, 0.01);
      EXPECT_EQ(form[Model::GTR].m_bSelected, 1);  // selected flags come before the lnL values
      EXPECT_EQ(form[Model::GTR].m_fLnL, 0.0f);
    }
    if (c.id == ids::kTaxa) {
      EXPECT_EQ(form[Model::JC].m_strResult, "Rejected      (p 0.000276)");
      EXPECT_EQ(form.m_nTaxa, 0);
      EXPECT_EQ(form.m_fLnLClock, 0.0f);
      EXPECT_EQ(form.m_bTestGamma, 0);
    }
    if (c.id == ids::kLnLNoGamma) {
      EXPECT_EQ(form.m_bTestGamma, 1);
      EXPECT_EQ(form.m_fLnLGamma, -1.0e-5);
      EXPECT_EQ(form.m_fLnLNoGamma, 0.0f);
    }
  }
}

TEST(AnalysisFormTest, ZeroIsAcceptedOnlyWhenTypedWithALeadingZeroDigit) {
  struct Row {
    const char* text;
    bool accepted;
    double value;
  };
  const std::vector<Row> rows = {
      {".05", true, 0.05}, {" \t0.05 ", true, 0.05}, {"0", true, 0.0},
      {"0.0", true, 0.0},  {".0", false, 0},         {"-0", false, 0},
      {"", false, 0},      {"0,05", false, 0},       {"5e-2", true, 0.05},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("p-value typed as \"") + row.text + "\"");
    AnalysisForm form;
    form.m_fPValue = 0.5;
    FakeWindow window;
    form.UpdateData(window, false);
    window.SetControlText(ids::kPValue, row.text);
    EXPECT_EQ(form.UpdateData(window, true), row.accepted);
    EXPECT_EQ(form.m_fPValue, row.accepted ? row.value : 0.5);
    EXPECT_EQ(window.messages.size(), row.accepted ? 0u : 1u);
  }
}

// A calculation takes a box as ticked only when it holds exactly 1: a third check state or a
// stray value neither selects a model nor counts as gamma.
TEST(AnalysisFormTest, OnlyATickOfExactlyOneCountsInTheCalculation) {
  AnalysisForm form;
  form.m_bTestModels = 1;
  form[Model::GTR].m_bSelected = 2;
  form[Model::HKY85].m_bSelected = 1;
  form[Model::HKY85].m_bGamma = 2;
  form[Model::JC].m_bSelected = 1;
  form.m_bTestClock = 2;
  const AnalysisInput in = InputFromForm(form);
  EXPECT_FALSE(in[Model::GTR].ticked);
  EXPECT_TRUE(in[Model::HKY85].ticked);
  EXPECT_FALSE(in[Model::HKY85].gamma);
  EXPECT_TRUE(in.testModels);
  EXPECT_FALSE(in.testClock);
  // A box in its third state runs nothing, but is no empty choice either.
  EXPECT_FALSE(in.nothingChosen);
}

}  // namespace
}  // namespace quillet
