#include <gtest/gtest.h>

#include <ostream>

#include <set>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include "gui_driver.h"
#include "ui/control_ids.h"

namespace quillet::qt::testing {
namespace {

std::set<int> Range(int first, int last) {
  std::set<int> ids;
  for (int id = first; id <= last; ++id) ids.insert(id);
  return ids;
}

std::set<int> DisabledIds(QtDialogWindow& window) {
  std::set<int> ids;
  for (int id = 0; id < 60000; ++id) {
    if (QWidget* w = window.Control(id); w && !w->isEnabled()) ids.insert(id);
  }
  return ids;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowHarness ui;
  std::vector<MessageSeen> messages;
};

TEST_F(MainWindowTest, OpensWithAnalysesTickedEverythingEnabledAndFocusOnGtr) {
  EXPECT_EQ(ui.window().windowTitle(), "Quillet");
  for (int id : {ids::kTestModels, ids::kTestClock, ids::kTestGamma}) {
    EXPECT_TRUE(qobject_cast<QCheckBox*>(ui.Control(id))->isChecked()) << id;
  }
  EXPECT_TRUE(DisabledIds(ui.window()).empty());
  EXPECT_EQ(ui.Text(ids::kPValue), "0.05");
  EXPECT_EQ(ui.Text(ids::kLnLJC), "0");
  EXPECT_EQ(QApplication::focusWidget(), ui.Control(ids::kLnLGTR));
  EXPECT_FALSE(ui.window().windowIcon().isNull());
  // Fixed size: the smallest and largest sizes are the same.
  EXPECT_EQ(ui.window().minimumSize(), ui.window().maximumSize());
}

TEST_F(MainWindowTest, TabStepsThroughTheControlsInTheirOrder) {
  const std::vector<int> expected = {
      1014, 1013, 1012, 1011, 1010, 1009, 1020, 1019, 1018,  1017, 1016, 1015, 1027, 1026,
      1025, 1024, 1023, 1022, 1008, 1007, 1006, 1005, 1004,  1003, 1079, 1080, 1045, 1043,
      1044, 1058, 1059, 1062, 1021, 1060, 1000, 1001, 57671, 8,    1069, 1002, 1014};
  std::vector<int> seen = {ui.window().ControlId(QApplication::focusWidget())};
  for (std::size_t i = 1; i < expected.size(); ++i) {
    PressKey(Qt::Key_Tab);
    seen.push_back(ui.window().ControlId(QApplication::focusWidget()));
  }
  EXPECT_EQ(seen, expected);
}

struct RuleCase {
  const char* name;
  int box;
  std::set<int> group;
  const char* frame;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class EnablingRuleTest : public MainWindowTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(EnablingRuleTest, ClickingTheBoxDisablesAndEnablesExactlyItsGroup) {
  const RuleCase& rule = GetParam();
  Click(ui.Control(rule.box));
  EXPECT_EQ(DisabledIds(ui.window()), rule.group);
  for (QGroupBox* frame : ui.window().findChildren<QGroupBox*>()) {
    EXPECT_TRUE(frame->isEnabled()) << frame->title().toStdString();
  }
  Click(ui.Control(rule.box));
  EXPECT_TRUE(DisabledIds(ui.window()).empty());
}

std::set<int> Union(std::initializer_list<std::set<int>> parts) {
  std::set<int> all;
  for (const auto& p : parts) all.insert(p.begin(), p.end());
  return all;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, EnablingRuleTest,
    ::testing::Values(RuleCase{"Models", ids::kTestModels,
                               Union({Range(1003, 1020), Range(1022, 1042), Range(1052, 1057)}),
                               "Models"},
                      RuleCase{"Clock", ids::kTestClock,
                               Union({Range(1043, 1051), Range(1065, 1068)}), "Clock test"},
                      RuleCase{"Gamma", ids::kTestGamma, Range(1077, 1087), "Gamma/ Invar test"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ClearAllReplacesLettersWithoutAMessage) {
  Click(ui.Control(ids::kTestClock));  // clock group disabled, stays so after Clear All
  Type(ui.Control(ids::kLnLK2P), "abc");
  Type(ui.Control(ids::kPValue), "0.01");
  ModalScript script;  // no message expected
  Click(ui.Control(ids::kClearAll));
  EXPECT_EQ(ui.Text(ids::kLnLK2P), "0");
  EXPECT_EQ(ui.Text(ids::kPValue), "0.05");
  for (int id : {ids::kTestModels, ids::kTestClock, ids::kTestGamma}) {
    EXPECT_FALSE(qobject_cast<QCheckBox*>(ui.Control(id))->isChecked()) << id;
  }
  EXPECT_FALSE(ui.Control(ids::kLnLClock)->isEnabled());
  EXPECT_TRUE(ui.Control(ids::kLnLK2P)->isEnabled());
}

TEST_F(MainWindowTest, ExitWithAnEmptyFieldSaysSoAndStaysOpen) {
  Type(ui.Control(ids::kLnLHKY85), "");
  ModalScript script;
  script.Then(AnswerMessage(messages));
  Click(ui.Control(ids::kExit));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Please enter a number.");
  EXPECT_EQ(messages[0].title, "Quillet");
  EXPECT_TRUE(messages[0].noIcon);
  EXPECT_EQ(messages[0].buttons, 1);
  EXPECT_TRUE(ui.window().isVisible());
  EXPECT_EQ(ui.finishedWith, 0);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&ui.window()));
  EXPECT_EQ(QApplication::focusWidget(), ui.Control(ids::kLnLHKY85));
}

// The small windows' Escape is the logic's, tested without a display; here Qt must not turn
// Escape into the close box of the main window.
TEST_F(MainWindowTest, EscapeLeavesTheMainWindowOpenWithWhatWasTyped) {
  Type(ui.Control(ids::kLnLHKY85), "-12.5x");
  ModalScript script;  // no message expected
  PressKey(Qt::Key_Escape);
  EXPECT_TRUE(ui.window().isVisible());
  EXPECT_EQ(ui.finishedWith, 0);
  EXPECT_EQ(ui.Text(ids::kLnLHKY85), "-12.5x");
}

TEST_F(MainWindowTest, CloseBoxClosesAtOnce) {
  Type(ui.Control(ids::kTaxa), "x");
  ModalScript script;
  ui.window().close();
  EXPECT_FALSE(ui.window().isVisible());
  EXPECT_EQ(ui.finishedWith, 2);
}

TEST_F(MainWindowTest, ExitWithValidFieldsClosesWithOk) {
  Click(ui.Control(ids::kExit));
  EXPECT_FALSE(ui.window().isVisible());
  EXPECT_EQ(ui.finishedWith, 1);
}

// Enter in a field runs Calculate, the first of the default buttons.
TEST_F(MainWindowTest, EnterInAFieldCalculates) {
  Click(ui.Control(ids::kTestClock));
  Click(ui.Control(ids::kTestGamma));
  Click(ui.Control(ids::kGTR));
  Click(ui.Control(ids::kJC));
  Type(ui.Control(ids::kLnLGTR), "-1000");
  Type(ui.Control(ids::kLnLJC), "-1010");
  PressKey(Qt::Key_Return);
  EXPECT_EQ(ui.Text(ids::kLrtJC), "20.00");
  EXPECT_TRUE(ui.window().isVisible());
}

struct MnemonicCase {
  const char* name;
  Qt::Key key;
};

void PrintTo(const MnemonicCase& c, std::ostream* os) { *os << c.name; }

class MnemonicTest : public MainWindowTest, public ::testing::WithParamInterface<MnemonicCase> {};

// Each Alt key does what its button does; the observable effect is checked per button.
TEST_P(MnemonicTest, AltKeyPressesItsButton) {
  const MnemonicCase& m = GetParam();
  ModalScript script;
  bool sawSaveAs = false;
  switch (m.key) {
    case Qt::Key_C:  // Calculate with no analysis ticked says so
      Click(ui.Control(ids::kTestModels));
      Click(ui.Control(ids::kTestClock));
      Click(ui.Control(ids::kTestGamma));
      script.Then(AnswerMessage(messages));
      break;
    case Qt::Key_F:
      script.Then([&sawSaveAs](QWidget* modal) {
        sawSaveAs = modal->inherits("QFileDialog");
        static_cast<QDialog*>(modal)->reject();
      });
      break;
    case Qt::Key_H:  // no help file anywhere: a message
      script.Then(AnswerMessage(messages));
      break;
    default:
      break;
  }
  Type(ui.Control(ids::kLnLTrN), "-7");
  PressKey(m.key, Qt::AltModifier);
  QTest::qWait(300);  // a mnemonic presses its button with a short animated click
  switch (m.key) {
    case Qt::Key_C:
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(messages[0].text.startsWith("Calculate what?"));
      break;
    case Qt::Key_A:
      EXPECT_EQ(ui.Text(ids::kLnLTrN), "0");
      break;
    case Qt::Key_F:
      EXPECT_TRUE(sawSaveAs);
      break;
    case Qt::Key_H:
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(messages[0].text.contains("Quillet.hlp"));
      break;
    case Qt::Key_X:
      EXPECT_EQ(ui.finishedWith, 1);
      break;
    default:
      FAIL();
  }
  EXPECT_TRUE(script.Done());
}

INSTANTIATE_TEST_SUITE_P(Buttons, MnemonicTest,
                         ::testing::Values(MnemonicCase{"AltC_Calculate", Qt::Key_C},
                                           MnemonicCase{"AltA_ClearAll", Qt::Key_A},
                                           MnemonicCase{"AltF_FileName", Qt::Key_F},
                                           MnemonicCase{"AltH_Help", Qt::Key_H},
                                           MnemonicCase{"AltX_Exit", Qt::Key_X}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet::qt::testing
