#include "ui/quillet_dlg.h"

#include <gtest/gtest.h>

#include <ostream>

#include <set>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/scripted_host.h"
#include "support/scripted_steps.h"
#include "ui/about_dlg.h"
#include "ui/control_ids.h"
#include "ui/help_topics.h"

namespace quillet {
namespace {

using testing::FakeWindow;
using testing::ScriptedHost;

class FixedClock : public Clock {
 public:
  std::tm LocalNow() const override {
    std::tm t{};
    t.tm_year = 100;
    t.tm_mon = 10;
    t.tm_mday = 1;
    return t;
  }
};

class RecordingHelp : public HelpViewer {
 public:
  bool ShowHelp(const std::string& fileName, int topic) override {
    calls.push_back({fileName, topic});
    return found;
  }
  struct Call {
    std::string fileName;
    int topic;
    bool operator==(const Call&) const = default;
  };
  std::vector<Call> calls;
  bool found = true;
};

std::set<int> Range(int first, int last) {
  std::set<int> ids;
  for (int id = first; id <= last; ++id) ids.insert(id);
  return ids;
}

std::set<int> Union(std::initializer_list<std::set<int>> parts) {
  std::set<int> all;
  for (const auto& part : parts) all.insert(part.begin(), part.end());
  return all;
}

std::set<int> DisabledIds(const FakeWindow& window) {
  std::set<int> ids;
  for (const auto& [id, enabled] : window.enabled) {
    if (!enabled) ids.insert(id);
  }
  return ids;
}

class QuilletDlgTest : public ::testing::Test {
 protected:
  QuilletDlgTest() : dlg(host, clock, help, [] { return std::string("/data/run"); }) {}

  void Open() { dlg.OnInitDialog(window); }

  // A click on a check box toggles it before the window hears of it.
  void ClickBox(int id) {
    window.SetCheck(id, window.GetCheck(id) == 1 ? 0 : 1);
    dlg.OnCommand(window, id);
  }

  ScriptedHost host;
  FixedClock clock;
  RecordingHelp help;
  FakeWindow window;
  CQuilletDlg dlg;
};

TEST_F(QuilletDlgTest, OpensWithTheThreeAnalysesTickedAndEverythingEnabled) {
  Open();
  EXPECT_EQ(window.GetCheck(ids::kTestModels), 1);
  EXPECT_EQ(window.GetCheck(ids::kTestClock), 1);
  EXPECT_EQ(window.GetCheck(ids::kTestGamma), 1);
  EXPECT_EQ(window.GetControlText(ids::kPValue), "0.05");
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "0");
  EXPECT_EQ(window.GetControlText(ids::kTaxa), "0");
  EXPECT_EQ(window.GetCheck(ids::kSaveWork), 0);
  EXPECT_TRUE(DisabledIds(window).empty());
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(dlg.m_report.m_szStartDir, "/data/run");
}

struct RuleCase {
  const char* name;
  int box;
  std::set<int> group;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class EnablingRuleTest : public QuilletDlgTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(EnablingRuleTest, ClearingTheBoxDisablesExactlyItsGroupAndTickingEnablesIt) {
  const RuleCase& rule = GetParam();
  Open();
  ClickBox(rule.box);
  EXPECT_EQ(DisabledIds(window), rule.group);
  ClickBox(rule.box);
  EXPECT_TRUE(DisabledIds(window).empty());
  EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Groups, EnablingRuleTest,
                         ::testing::Values(RuleCase{"Models", ids::kTestModels,
                                                    Union({Range(1003, 1020), Range(1022, 1042),
                                                           Range(1052, 1057)})},
                                           RuleCase{"Clock", ids::kTestClock,
                                                    Union({Range(1043, 1051), Range(1065, 1068)})},
                                           RuleCase{"Gamma", ids::kTestGamma, Range(1077, 1087)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnablingRuleGroups, HaveTheirDocumentedSizes) {
  EXPECT_EQ(Union({Range(1003, 1020), Range(1022, 1042), Range(1052, 1057)}).size(), 45u);
  EXPECT_EQ(Union({Range(1043, 1051), Range(1065, 1068)}).size(), 13u);
  EXPECT_EQ(Range(1077, 1087).size(), 11u);
}

// The gamma flag is read after the p-value, so an unreadable p-value leaves it at its old
// value; the clock flag comes first and always follows the box.
TEST_F(QuilletDlgTest, GammaRuleUsesTheOldFlagWhenAnEarlierFieldFails) {
  Open();
  window.SetControlText(ids::kPValue, "");
  ClickBox(ids::kTestGamma);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter a number.");
  EXPECT_EQ(window.focus, ids::kPValue);
  EXPECT_TRUE(DisabledIds(window).empty());

  ClickBox(ids::kTestClock);
  EXPECT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(DisabledIds(window), Union({Range(1043, 1051), Range(1065, 1068)}));
}

TEST_F(QuilletDlgTest, ClearAllResetsValuesWithoutReadingTheWindow) {
  Open();
  dlg.m_report.m_nAnalysis = 4;
  dlg.m_report.m_strComments = "alignment 7";
  dlg.m_report.m_dlgComments.m_strComments = "alignment 7";
  dlg.m_dlgChiSquare.m_fChiSquare = 3.5f;
  dlg.m_dlgChiSquare.m_nDf = 2;
  dlg.m_form.m_strClockResult = "Rejected      (p 0.000001)";
  dlg.m_form[Model::JC].m_strLrt = "12.00";
  ClickBox(ids::kTestClock);                   // the clock group is now disabled
  window.SetControlText(ids::kLnLGTR, "abc");  // never read, so no message
  window.SetControlText(ids::kPValue, "0.01");
  window.SetControlText(ids::kTaxa, "12");
  window.SetCheck(ids::kGTR, 1);
  window.SetCheck(ids::kSaveWork, 1);  // ticked in the window, still clear in the form

  dlg.OnCommand(window, ids::kClearAll);

  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(dlg.m_report.m_nAnalysis, 1);
  for (int id : {ids::kTestModels, ids::kTestClock, ids::kTestGamma, ids::kGTR, ids::kJC,
                 ids::kGammaHKY85, ids::kInvarTrN, ids::kSaveWork}) {
    EXPECT_EQ(window.GetCheck(id), 0) << "check box " << id;
  }
  for (int id : {ids::kLnLGTR, ids::kLnLJC, ids::kTaxa, ids::kLnLClock, ids::kLnLNoClock,
                 ids::kLnLGamma, ids::kLnLNoGamma}) {
    EXPECT_EQ(window.GetControlText(id), "0") << "field " << id;
  }
  EXPECT_EQ(window.GetControlText(ids::kPValue), "0.05");
  for (int id : {ids::kLrtJC, ids::kCritJC, ids::kResultJC, ids::kClockResult, ids::kClockLrt,
                 ids::kGammaCrit}) {
    EXPECT_EQ(window.GetControlText(id), "") << "result " << id;
  }
  // Left alone: the comment, the calculator and the enabled state of the groups.
  EXPECT_EQ(dlg.m_report.m_dlgComments.m_strComments, "alignment 7");
  EXPECT_EQ(dlg.m_report.m_strComments, "alignment 7");
  EXPECT_EQ(dlg.m_dlgChiSquare.m_fChiSquare, 3.5f);
  EXPECT_EQ(dlg.m_dlgChiSquare.m_nDf, 2);
  EXPECT_EQ(DisabledIds(window), Union({Range(1043, 1051), Range(1065, 1068)}));
}

TEST_F(QuilletDlgTest, ClearAllKeepsSaveWorkAndTheReportFileAsTheFormHasThem) {
  Open();
  host.saveAsAnswers.push_back("/tmp/report.txt");
  host.dialogSteps.push_back(testing::PressOk(1072));
  window.SetCheck(ids::kSaveWork, 1);
  dlg.OnCommand(window, ids::kFileName);  // reads the window: saving is on in the form
  ASSERT_EQ(dlg.m_form.m_bSaveWork, 1);

  dlg.OnCommand(window, ids::kClearAll);
  EXPECT_EQ(window.GetCheck(ids::kSaveWork), 1);
  EXPECT_EQ(dlg.m_report.m_dlgSave.GetPathName(), "/tmp/report.txt");
}

TEST_F(QuilletDlgTest, ExitWithAFieldThatDoesNotParseStaysOpen) {
  Open();
  window.SetControlText(ids::kLnLHKY85, "");
  EXPECT_EQ(dlg.OnCommand(window, ids::kExit), std::nullopt);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter a number.");
  EXPECT_EQ(window.focus, ids::kLnLHKY85);
}

TEST_F(QuilletDlgTest, ExitWithValidFieldsClosesWithOk) {
  Open();
  window.SetControlText(ids::kLnLGTR, "-1234.5");
  EXPECT_EQ(dlg.OnCommand(window, ids::kExit), kIdOk);
  EXPECT_EQ(dlg.m_form[Model::GTR].m_fLnL, -1234.5f);
  EXPECT_TRUE(host.events.empty());
}

TEST_F(QuilletDlgTest, CancelClosesAtOnceWithoutReadingTheForm) {
  Open();
  window.SetControlText(ids::kTaxa, "many");
  EXPECT_EQ(dlg.OnCancel(window), kIdCancel);
  EXPECT_TRUE(window.messages.empty());
}

struct SysCommandCase {
  const char* name;
  int command;
  const char* opens;  // what the host was asked for; empty when the command is not ours
};

void PrintTo(const SysCommandCase& c, std::ostream* os) { *os << c.name; }

class SysCommandTest : public QuilletDlgTest,
                       public ::testing::WithParamInterface<SysCommandCase> {};

TEST_P(SysCommandTest, OnlyTheAboutImportAndModelSelectionEntriesAreOurs) {
  Open();
  // A model to rank, so that Model selection opens its window.
  window.SetCheck(ids::kGTR, 1);
  window.SetControlText(ids::kLnLGTR, "-10");
  host.dialogSteps.push_back(testing::PressOk());
  host.openFilesAnswers.push_back({});  // the Open dialog cancelled
  const SysCommandCase& c = GetParam();
  const bool ours = *c.opens != '\0';
  EXPECT_EQ(dlg.OnSysCommand(window, c.command), ours);
  EXPECT_EQ(host.events, ours ? std::vector<std::string>{c.opens} : std::vector<std::string>{});
  host.dialogSteps.clear();
  host.openFilesAnswers.clear();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SysCommandTest,
    ::testing::Values(SysCommandCase{"About", 16, "dialog:100"},
                      SysCommandCase{"AboutWithLowBits17", 17, "dialog:100"},
                      SysCommandCase{"AboutWithLowBits31", 31, "dialog:100"},
                      SysCommandCase{"Import", 32, "open:"},
                      SysCommandCase{"ImportWithLowBits47", 47, "open:"},
                      SysCommandCase{"ModelSelection", 48, "dialog:133"},
                      SysCommandCase{"ModelSelectionWithLowBits63", 63, "dialog:133"},
                      SysCommandCase{"Next64", 64, ""}, SysCommandCase{"Zero", 0, ""},
                      SysCommandCase{"Close", 0xF060, ""}, SysCommandCase{"Minimize", 0xF020, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuilletDlgTest, HelpButtonOpensTheHelpFileAtItsBeginning) {
  Open();
  dlg.OnCommand(window, ids::kHelp);
  EXPECT_EQ(help.calls, (std::vector<RecordingHelp::Call>{{"Quillet.hlp", 0}}));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(QuilletDlgTest, MissingHelpIsToldInAMessage) {
  Open();
  help.found = false;
  dlg.OnCommand(window, ids::kHelp);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_NE(window.messages[0].text.find("Quillet.hlp"), std::string::npos);
  EXPECT_EQ(window.messages[0].caption, "");
}

struct F1Case {
  const char* name;
  int templateId;  // of the window that has the focus
  int topic;       // 0: F1 opens nothing
};

void PrintTo(const F1Case& c, std::ostream* os) { *os << c.name; }

class F1HelpTest : public QuilletDlgTest, public ::testing::WithParamInterface<F1Case> {};

// Every window of the program opens the help at its own topic, 0x20000 plus its template.
TEST_P(F1HelpTest, OpensTheTopicOfTheFocusedWindow) {
  const F1Case& c = GetParam();
  Open();
  dlg.OnHelpKey(window, c.templateId);
  if (c.topic == 0) {
    EXPECT_TRUE(help.calls.empty());
  } else {
    EXPECT_EQ(help.calls, (std::vector<RecordingHelp::Call>{{"Quillet.hlp", c.topic}}));
  }
  EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Windows, F1HelpTest,
    ::testing::Values(F1Case{"MainWindow", 102, 131174}, F1Case{"About", 100, 131172},
                      F1Case{"Calculator", 129, 131201}, F1Case{"Comments", 130, 131202},
                      F1Case{"SaveAs", kSaveAsHelpId, 131203}, F1Case{"Import", 132, 131204},
                      F1Case{"ModelSelection", 133, 131205}, F1Case{"NoSuchWindow", 101, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Nothing passes between the calculator and the main window: text typed into the main
// window that no command has taken in yet stays, however the calculator is closed.
TEST_F(QuilletDlgTest, CalculatorOkLeavesTheWindowAlone) {
  Open();
  host.dialogSteps.push_back(testing::PressOk());
  window.SetControlText(ids::kLnLTrN, "-55.5");  // typed, not yet taken into the form
  dlg.OnCommand(window, ids::kChiSquareCalc);
  EXPECT_EQ(host.events, std::vector<std::string>{"dialog:129"});
  EXPECT_EQ(window.GetControlText(ids::kLnLTrN), "-55.5");
}

TEST_F(QuilletDlgTest, CalculatorClosedWithCancelLeavesTheWindowAlone) {
  Open();
  host.dialogSteps.push_back(testing::Cancel());
  window.SetControlText(ids::kLnLTrN, "-55.5");
  dlg.OnCommand(window, ids::kChiSquareCalc);
  EXPECT_EQ(window.GetControlText(ids::kLnLTrN), "-55.5");
}

// 2 * (-1000 - -1010) = 20 with 8 degrees of freedom (GTR against JC) is far beyond the 5%
// critical value of about 15.5.
TEST_F(QuilletDlgTest, CalculateButtonRunsTheModelTest) {
  Open();
  window.SetCheck(ids::kTestClock, 0);
  window.SetCheck(ids::kTestGamma, 0);
  window.SetCheck(ids::kGTR, 1);
  window.SetCheck(ids::kJC, 1);
  window.SetControlText(ids::kLnLGTR, "-1000");
  window.SetControlText(ids::kLnLJC, "-1010");
  dlg.OnCommand(window, ids::kCalculate);
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.GetControlText(ids::kLrtJC), "20.00");
  EXPECT_EQ(window.GetControlText(ids::kResultJC).rfind("Rejected", 0), 0u)
      << window.GetControlText(ids::kResultJC);
}

}  // namespace
}  // namespace quillet
