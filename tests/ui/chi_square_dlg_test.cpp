#include "ui/chi_square_dlg.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/scripted_host.h"

namespace quillet {
namespace {

using testing::FakeWindow;
using testing::ScriptedHost;

constexpr int kChi = CChiSquareDlg::kIdChiSquare;
constexpr int kDf = CChiSquareDlg::kIdDf;
constexpr int kP = CChiSquareDlg::kIdPValue;
constexpr int kCalcChi = CChiSquareDlg::kIdCalcChiSquare;
constexpr int kCalcP = CChiSquareDlg::kIdCalcPValue;

struct CalcCase {
  const char* name;
  const char* chi;
  const char* df;
  const char* p;
  int button;
  int shownIn;
  const char* expected;
};

void PrintTo(const CalcCase& c, std::ostream* os) { *os << c.name; }

class CalculatorTest : public ::testing::TestWithParam<CalcCase> {};

// The user types into the three fields and presses one button; the computed field shows the
// documented value with six significant digits.
TEST_P(CalculatorTest, ShowsTheDocumentedValue) {
  const CalcCase& c = GetParam();
  CChiSquareDlg dlg;
  FakeWindow window;
  dlg.OnInitDialog(window);
  window.SetControlText(kChi, c.chi);
  window.SetControlText(kDf, c.df);
  window.SetControlText(kP, c.p);
  EXPECT_EQ(dlg.OnCommand(window, c.button), std::nullopt);
  EXPECT_EQ(window.GetControlText(c.shownIn), c.expected);
  EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, CalculatorTest,
    ::testing::Values(CalcCase{"Crit_p005_df1", "0", "1", "0.05", kCalcChi, kChi, "3.84147"},
                      CalcCase{"Crit_p005_df2", "0", "2", "0.05", kCalcChi, kChi, "5.99153"},
                      CalcCase{"Crit_p001_df1", "0", "1", "0.01", kCalcChi, kChi, "6.635"},
                      CalcCase{"Crit_p005_df1000", "0", "1000", "0.05", kCalcChi, kChi, "1075.57"},
                      CalcCase{"Crit_p1_df3", "0", "3", "1", kCalcChi, kChi, "1.90735e-006"},
                      CalcCase{"P_chi3841459_df1", "3.841459", "1", "0", kCalcP, kP, "0.0500001"},
                      CalcCase{"P_chi384146_df1", "3.84146", "1", "0", kCalcP, kP, "0.05"},
                      CalcCase{"P_chi0_df1", "0", "1", "0", kCalcP, kP, "1"},
                      // The accurate tail (the series alone gave 3.49275e-007).
                      CalcCase{"P_chi30_df1", "30", "1", "0", kCalcP, kP, "4.32046e-008"},
                      CalcCase{"Crit_p1e6_df1", "0", "1", "1e-6", kCalcChi, kChi, "23.9293"},
                      CalcCase{"Crit_p1e30_df1", "0", "1", "1e-30", kCalcChi, kChi, "132.781"},
                      // The smallest p-value the field holds is still taken.
                      CalcCase{"Crit_pSmallest_df1", "0", "1", "1e-038", kCalcChi, kChi,
                               "169.389"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculator, FirstOpeningShowsZerosAndPValueOfZeroIsZero) {
  CChiSquareDlg dlg;
  FakeWindow window;
  dlg.OnInitDialog(window);
  EXPECT_EQ(window.GetControlText(kChi), "0");
  EXPECT_EQ(window.GetControlText(kDf), "0");
  EXPECT_EQ(window.GetControlText(kP), "0");
  dlg.OnCommand(window, kCalcP);
  EXPECT_EQ(window.GetControlText(kP), "0");
}

// The second command reads the critical value as shown, at six digits, not as computed.
TEST(Calculator, BackAndForthReadsTheShownValue) {
  CChiSquareDlg dlg;
  FakeWindow window;
  dlg.OnInitDialog(window);
  window.SetControlText(kDf, "1");
  window.SetControlText(kP, "0.05");
  dlg.OnCommand(window, kCalcChi);
  ASSERT_EQ(window.GetControlText(kChi), "3.84147");
  dlg.OnCommand(window, kCalcP);
  EXPECT_EQ(window.GetControlText(kP), "0.0499997");
}

// A field that does not parse stops the command: nothing is computed and what the user typed
// stays in all three fields.
TEST(Calculator, AFieldThatDoesNotParseStopsTheCommand) {
  for (int button : {kCalcChi, kCalcP}) {
    SCOPED_TRACE(button);
    CChiSquareDlg dlg;
    dlg.m_nDf = 1;
    dlg.m_fPValue = 0.05f;
    FakeWindow window;
    dlg.OnInitDialog(window);
    window.SetControlText(kChi, "");
    window.SetControlText(kDf, "5");
    window.SetControlText(kP, "0.5");
    dlg.OnCommand(window, button);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "Please enter a number.");
    EXPECT_EQ(window.focus, kChi);
    EXPECT_EQ(window.GetControlText(kChi), "");
    EXPECT_EQ(window.GetControlText(kDf), "5");
    EXPECT_EQ(window.GetControlText(kP), "0.5");
  }
}

TEST(Calculator, EmptyDegreesOfFreedomAsksForAnInteger) {
  CChiSquareDlg dlg;
  FakeWindow window;
  dlg.OnInitDialog(window);
  window.SetControlText(kDf, "");
  dlg.OnCommand(window, kCalcP);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter an integer.");
  EXPECT_EQ(window.focus, kDf);
}

// Operands for which the distribution has no meaning are refused with a message naming the
// field and what it accepts; the cursor goes there and nothing is computed.
TEST(Calculator, OperandsWithoutMeaningAreRefused) {
  struct Row {
    const char* name;
    const char* chi;
    const char* df;
    const char* p;
    int button;
    int field;
    const char* message;
  };
  const Row rows[] = {
      {"CritDfZero", "0", "0", "0.05", kCalcChi, kDf, kCalculatorDfRangeText},
      {"CritDfNegative", "0", "-5", "0.05", kCalcChi, kDf, kCalculatorDfRangeText},
      {"CritPZero", "0", "7", "0", kCalcChi, kP, kCalculatorPValueRangeText},
      {"CritPNegative", "0", "1", "-0.5", kCalcChi, kP, kCalculatorPValueRangeText},
      {"CritPAboveOne", "0", "1", "1.5", kCalcChi, kP, kCalculatorPValueRangeText},
      {"PDfZero", "1", "0", "0", kCalcP, kDf, kCalculatorDfRangeText},
      {"PDfMinusTwo", "0", "-2", "0", kCalcP, kDf, kCalculatorDfRangeText},
      {"PChiNegative", "-5", "2", "0", kCalcP, kChi, kCalculatorChiSquareRangeText},
      {"PChiNegativeOddDf", "-3", "5", "0", kCalcP, kChi, kCalculatorChiSquareRangeText},
      {"PChiBeyondTheFloatRange", "1e39", "1", "0", kCalcP, kChi, kCalculatorChiSquareTooLargeText},
      {"PChiBeyondTheDoubleRange", "1e400", "1", "0", kCalcP, kChi,
       kCalculatorChiSquareTooLargeText},
      {"PChiJustBeyondTheFloatRange", "4e38", "1", "0", kCalcP, kChi,
       kCalculatorChiSquareTooLargeText},
      {"PChiNegativeBeyondTheFloatRange", "-4e38", "1", "0", kCalcP, kChi,
       kCalculatorChiSquareRangeText},
      {"CritPBelowTheFloatRange", "0", "1", "1e-300", kCalcChi, kP, kCalculatorPValueTooSmallText},
      {"CritPSubnormalFloat", "0", "1", "1e-40", kCalcChi, kP, kCalculatorPValueTooSmallText},
      {"CritPJustBelowTheSmallest", "0", "1", "9.99999e-39", kCalcChi, kP,
       kCalculatorPValueTooSmallText},
      {"CritPNegativeTiny", "0", "1", "-1e-300", kCalcChi, kP, kCalculatorPValueRangeText},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CChiSquareDlg dlg;
    FakeWindow window;
    dlg.OnInitDialog(window);
    window.SetControlText(kChi, row.chi);
    window.SetControlText(kDf, row.df);
    window.SetControlText(kP, row.p);
    dlg.OnCommand(window, row.button);
    EXPECT_EQ(window.messages, (std::vector<FakeWindow::Message>{{row.message, ""}}));
    EXPECT_EQ(window.focus, row.field);
    EXPECT_EQ(window.GetControlText(kChi), row.chi);
    EXPECT_EQ(window.GetControlText(kP), row.p);
  }
}

// A computed p-value below what single precision holds shows as 0, and the user is told.
TEST(Calculator, APValueBelowSinglePrecisionIsShownAsZeroAndSaidSo) {
  struct Row {
    const char* name;
    const char* chi;
    const char* df;
  };
  const Row rows[] = {
      {"tail 1.2e-271 (chi-square 1240, one df)", "1240", "1"},
      {"tail below every double (once 6.37926e-006)", "2000", "1"},
      {"largest chi-square", "3.40282e+038", "1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CChiSquareDlg dlg;
    FakeWindow window;
    dlg.OnInitDialog(window);
    window.SetControlText(kChi, row.chi);
    window.SetControlText(kDf, row.df);
    window.SetControlText(kP, "0.5");
    dlg.OnCommand(window, kCalcP);
    EXPECT_EQ(window.GetControlText(kP), "0");
    EXPECT_EQ(dlg.m_fPValue, 0.0f);
    EXPECT_EQ(window.messages,
              (std::vector<FakeWindow::Message>{{kCalculatorPValueBelowRangeText, ""}}));
    EXPECT_EQ(window.focus, kP);
  }
}

TEST(Calculator, OkWithAFieldThatDoesNotParseStaysOpen) {
  CChiSquareDlg dlg;
  FakeWindow window;
  dlg.OnInitDialog(window);
  window.SetControlText(kP, ".0");
  EXPECT_EQ(dlg.OnCommand(window, kIdOk), std::nullopt);
  EXPECT_EQ(window.focus, kP);
}

// OK keeps what was typed; Cancel keeps only what the last button press stored.
TEST(Calculator, ValuesSurviveBetweenOpenings) {
  CChiSquareDlg dlg;
  ScriptedHost host;
  std::string shown;
  auto remember = [&shown](Dialog&, FakeWindow& window) {
    shown = window.GetControlText(kChi) + "|" + window.GetControlText(kDf) + "|" +
            window.GetControlText(kP);
    return kIdCancel;
  };
  host.dialogSteps.push_back([](Dialog& d, FakeWindow& window) {
    window.SetControlText(kDf, "2");
    window.SetControlText(kP, "0.05");
    ScriptedHost::Press(d, window, kCalcChi);
    window.SetControlText(kP, "0.01");  // typed, then OK: kept
    return ScriptedHost::Press(d, window, kIdOk).value_or(0);
  });
  host.dialogSteps.push_back(remember);
  host.dialogSteps.push_back([](Dialog& d, FakeWindow& window) {
    window.SetControlText(kDf, "1");
    window.SetControlText(kP, "0.05");
    ScriptedHost::Press(d, window, kCalcChi);
    window.SetControlText(kChi, "99");  // typed, then the close box: dropped
    window.SetControlText(kDf, "7");
    return d.OnCancel(window).value_or(0);
  });
  host.dialogSteps.push_back(remember);

  EXPECT_EQ(host.DoModal(dlg), kIdOk);
  EXPECT_EQ(host.DoModal(dlg), kIdCancel);
  EXPECT_EQ(shown, "5.99153|2|0.01");
  host.DoModal(dlg);
  host.DoModal(dlg);
  EXPECT_EQ(shown, "3.84147|1|0.05");
}

}  // namespace
}  // namespace quillet
