#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "gui_driver.h"
#include "ui/control_ids.h"
#include "ui/qt/eliding_label.h"
#include "ui/qt/eliding_line_edit.h"

namespace quillet::qt::testing {
namespace {

bool IsElided(QWidget* widget) {
  if (auto* label = dynamic_cast<ElidingLabel*>(widget)) return label->IsElided();
  if (auto* edit = dynamic_cast<ElidingLineEdit*>(widget)) return edit->IsElided();
  ADD_FAILURE() << "not a one-line text control";
  return false;
}

// What the tooltip shows when the mouse rests on the control; empty for none.
QString ToolTipOf(QWidget* widget) {
  QToolTip::hideText();
  QPoint pos = widget->rect().center();
  QHelpEvent event(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
  QApplication::sendEvent(widget, &event);
  QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
  QToolTip::hideText();
  return text;
}

struct TextCase {
  const char* name;
  int id;
  const char* text;
  bool whole;  // shown whole; otherwise shortened with the whole text as its tooltip
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class WholeTextTest : public ::testing::TestWithParam<TextCase> {
 protected:
  MainWindowHarness ui;
};

// Every result text and field shows all of its text, or visibly less of it with the whole text
// in its tooltip; none is cut off silently, and none reaches into a neighbour.
TEST_P(WholeTextTest, ShowsAllOfItOrSaysItIsShortened) {
  const TextCase& c = GetParam();
  QWidget* control = ui.Control(c.id);
  ASSERT_NE(control, nullptr);
  ui.window().SetControlText(c.id, c.text);
  ui.Control(ids::kCalculate)->setFocus();  // a field shows its whole text while it has the focus
  EXPECT_EQ(ui.Text(c.id), c.text) << "the program reads back the whole text";
  EXPECT_EQ(IsElided(control), !c.whole);
  EXPECT_EQ(ToolTipOf(control), c.whole ? QString() : QString::fromUtf8(c.text));

  for (QWidget* other : ui.window().findChildren<QWidget*>()) {
    bool isControl = qobject_cast<QLabel*>(other) || qobject_cast<QLineEdit*>(other) ||
                     qobject_cast<QAbstractButton*>(other);
    if (other == control || !isControl || other->parentWidget() != &ui.window()) continue;
    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
        << "overlaps " << ui.window().ControlId(other) << " "
        << other->property("text").toString().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, WholeTextTest,
    ::testing::Values(
        // The largest critical value there is, in each of the three places it can appear.
        TextCase{"GridCritValue", ids::kCritJC, "524287.0000", true},
        TextCase{"GammaCritValue", ids::kGammaCrit, "524287.0000", true},
        TextCase{"ClockCritValue", ids::kClockCrit, "524287.0000", true},
        TextCase{"GridStatistic", ids::kLrtTrN, "123456.78", true},
        TextCase{"GridVerdict", ids::kResultHKY85, "NOT rejected  (p 0.179736)", true},
        TextCase{"ClockVerdict", ids::kClockResult, "NOT rejected  (p 0.179736)", true},
        // Statistics of ln L values far beyond any alignment's.
        TextCase{"GridHugeStatistic", ids::kLrtJC, "6805646932770577400000000000000000000.00",
                 false},
        TextCase{"GammaHugeStatistic", ids::kGammaLrt, "123456789012345.00", false},
        TextCase{"ClockHugeStatistic", ids::kClockLrt, "123456789012345.00", false},
        TextCase{"Taxa", ids::kTaxa, "1234567", true},
        TextCase{"LargestTaxa", ids::kTaxa, "2147483647", false},
        TextCase{"LnL", ids::kLnLGTR, "-12345.7", true},
        TextCase{"PValue", ids::kPValue, "1.90735e-006", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet::qt::testing
