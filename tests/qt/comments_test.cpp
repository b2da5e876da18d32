#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include "gui_driver.h"
#include "ui/comments_dlg.h"

namespace quillet::qt::testing {
namespace {

struct TypingCase {
  const char* name;
  const char* previous;  // the comment accepted last
  const char* typed;     // keys pressed as soon as the dialog is up
  const char* accepted;  // the comment after Enter
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class CommentsTypingTest : public ::testing::TestWithParam<TypingCase> {
 protected:
  MainWindowHarness ui;
};

// What the user types at once goes into the text box after the old comment: a space no longer
// presses Cancel and a letter no longer replaces a selected comment.
TEST_P(CommentsTypingTest, TypingAtOnceAddsToTheComment) {
  const TypingCase& c = GetParam();
  CCommentsDlg& comments = ui.dlg.m_report.m_dlgComments;
  comments.m_strComments = c.previous;
  ModalScript script;
  script.Then([&c](QWidget* modal) {
    QtDialogWindow* window = AsDialog(modal, CCommentsDlg::kTemplateId);
    if (!window) return;
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    auto* edit = qobject_cast<QPlainTextEdit*>(window->Control(CCommentsDlg::kIdComments));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_FALSE(edit->textCursor().hasSelection());
    EXPECT_TRUE(edit->textCursor().atEnd());
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(c.typed));
    PressKey(Qt::Key_Return);  // OK
    if (window->isVisible()) window->done(kIdCancel);
  });
  EXPECT_EQ(ui.host.DoModal(comments), kIdOk);
  EXPECT_EQ(comments.m_strComments, c.accepted);
  EXPECT_TRUE(script.Done());
}

INSTANTIATE_TEST_SUITE_P(
    Comments, CommentsTypingTest,
    ::testing::Values(TypingCase{"FirstOpeningStartsWithASpace", "", " cytb", " cytb"},
                      TypingCase{"AddsToOneLine", "cytb alignment", ", 12 taxa",
                                 "cytb alignment, 12 taxa"},
                      TypingCase{"AddsAfterTheLastLine", "cytb\nPAUP*", " 4.0", "cytb\nPAUP* 4.0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet::qt::testing
