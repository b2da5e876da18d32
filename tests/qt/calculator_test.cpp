#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "gui_driver.h"
#include "ui/chi_square_dlg.h"
#include "ui/control_ids.h"

namespace quillet::qt::testing {
namespace {

constexpr int kChi = CChiSquareDlg::kIdChiSquare;
constexpr int kDf = CChiSquareDlg::kIdDf;
constexpr int kP = CChiSquareDlg::kIdPValue;
constexpr int kCalcChi = CChiSquareDlg::kIdCalcChiSquare;
constexpr int kCalcP = CChiSquareDlg::kIdCalcPValue;

QString Text(QtDialogWindow* w, int id) { return QString::fromStdString(w->GetControlText(id)); }

class CalculatorTest : public ::testing::Test {
 protected:
  // Opens the calculator from the main window and hands it to `play`.
  void WithCalculator(std::function<void(QtDialogWindow*)> play) {
    script.Then([play](QWidget* modal) {
      if (QtDialogWindow* calc = AsDialog(modal, 129)) {
        if (!calc->isVisible() || !QTest::qWaitForWindowActive(calc)) {
          ADD_FAILURE() << "calculator not active";
        }
        play(calc);
        if (calc->isVisible()) calc->done(kIdCancel);  // a failed play must not hang the test
      }
    });
    Click(ui.Control(ids::kChiSquareCalc));
  }

  MainWindowHarness ui;
  ModalScript script;
  std::vector<MessageSeen> messages;
};

TEST_F(CalculatorTest, OpensOnZerosWithFocusOnOk) {
  WithCalculator([](QtDialogWindow* calc) {
    EXPECT_EQ(calc->windowTitle(), "Chi Square Calculator");
    EXPECT_EQ(Text(calc, kChi), "0");
    EXPECT_EQ(Text(calc, kDf), "0");
    EXPECT_EQ(Text(calc, kP), "0");
    EXPECT_EQ(QApplication::focusWidget(), calc->Control(kIdOk));
    PressKey(Qt::Key_Escape);
  });
}

struct Row {
  const char* chi;
  const char* df;
  const char* p;
  int button;
  int shownIn;
  const char* expected;
};

TEST_F(CalculatorTest, TypingAndClickingShowsTheDocumentedValues) {
  const Row rows[] = {
      {"0", "1", "0.05", kCalcChi, kChi, "3.84147"},
      {"0", "2", "0.05", kCalcChi, kChi, "5.99153"},
      {"0", "1000", "0.05", kCalcChi, kChi, "1075.57"},
      {"0", "3", "1", kCalcChi, kChi, "1.90735e-006"},
      {"3.841459", "1", "0", kCalcP, kP, "0.0500001"},
      {"30", "1", "0", kCalcP, kP, "4.32046e-008"},
  };
  WithCalculator([&rows](QtDialogWindow* calc) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.chi) + " / " + row.df + " / " + row.p);
      Type(calc->Control(kChi), row.chi);
      Type(calc->Control(kDf), row.df);
      Type(calc->Control(kP), row.p);
      Click(calc->Control(row.button));
      EXPECT_EQ(Text(calc, row.shownIn), row.expected);
    }
    Click(calc->Control(kIdOk));
  });
}

// Enter in a field presses OK, which keeps what was typed; the close box keeps only what the
// last button press stored. The main window keeps what was typed into it either way.
TEST_F(CalculatorTest, ValuesSurviveBetweenOpenings) {
  Type(ui.Control(ids::kLnLTrN), "-55.5");
  WithCalculator([](QtDialogWindow* calc) {
    Type(calc->Control(kDf), "1");
    Type(calc->Control(kP), "0.05");
    Click(calc->Control(kCalcChi));
    Type(calc->Control(kP), "0.01");
    PressKey(Qt::Key_Return);
    EXPECT_FALSE(calc->isVisible());
  });
  EXPECT_EQ(ui.Text(ids::kLnLTrN), "-55.5");

  WithCalculator([](QtDialogWindow* calc) {
    EXPECT_EQ(Text(calc, kChi), "3.84147");
    EXPECT_EQ(Text(calc, kP), "0.01");
    Type(calc->Control(kChi), "99");
    calc->close();
  });
  WithCalculator([](QtDialogWindow* calc) {
    EXPECT_EQ(Text(calc, kChi), "3.84147");
    PressKey(Qt::Key_Escape);
  });
}

TEST_F(CalculatorTest, AnEmptyFieldIsReportedAndNothingIsComputed) {
  std::vector<MessageSeen>& seen = messages;
  WithCalculator([](QtDialogWindow* calc) {
    Type(calc->Control(kDf), "1");
    Type(calc->Control(kP), "0.05");
    Click(calc->Control(kIdOk));  // stores 0, 1, 0.05 and closes
    EXPECT_FALSE(calc->isVisible());
  });
  WithCalculator([this, &seen](QtDialogWindow* calc) {
    Type(calc->Control(kChi), "");
    Type(calc->Control(kDf), "9");
    script.Then(AnswerMessage(seen));
    Click(calc->Control(kCalcChi));
    EXPECT_EQ(Text(calc, kChi), "");
    EXPECT_EQ(Text(calc, kDf), "9");
    // OK with a field that does not parse keeps the window open.
    Type(calc->Control(kP), "");
    script.Then(AnswerMessage(seen));
    Click(calc->Control(kIdOk));
    EXPECT_TRUE(calc->isVisible());
    PressKey(Qt::Key_Escape);
  });
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, "Please enter a number.");
  EXPECT_EQ(seen[1].text, "Please enter a number.");
}

}  // namespace
}  // namespace quillet::qt::testing
