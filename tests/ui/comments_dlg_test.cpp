#include "report/comments_dlg.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "ui/dialog_templates.h"

namespace quillet {
namespace {

using testing::FakeWindow;

struct OpeningCase {
  const char* name;
  const char* previous;  // the comment accepted last
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }

class CommentsOpeningTest : public ::testing::TestWithParam<OpeningCase> {};

// The dialog opens for typing: the focus in the text box, the caret after the old comment and
// nothing selected, so neither a first space (which would press Cancel, the first tab stop)
// nor a first letter (which would replace a selected comment) loses the text.
TEST_P(CommentsOpeningTest, FocusIsInTheTextBoxAfterTheOldComment) {
  CCommentsDlg dlg;
  dlg.m_strComments = GetParam().previous;
  FakeWindow window;
  dlg.OnInitDialog(window);
  EXPECT_EQ(window.GetControlText(CCommentsDlg::kIdComments), GetParam().previous);
  EXPECT_EQ(window.focus, CCommentsDlg::kIdComments);
  EXPECT_EQ(window.selected, 0);
  EXPECT_EQ(window.events, std::vector<std::string>{"caret:1070"});
}

INSTANTIATE_TEST_SUITE_P(
    Comments, CommentsOpeningTest,
    ::testing::Values(OpeningCase{"FirstOpening", ""}, OpeningCase{"OneLine", "cytb alignment"},
                      OpeningCase{"SeveralLines", "cytb alignment\nPAUP* lnL values\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Starting in the text box is the dialog's doing: the tab order stays Cancel, text, OK.
TEST(CommentsTemplate, TabOrderIsCancelTextOk) {
  std::vector<int> order;
  for (const ControlTemplate& c : CommentsTemplate().controls) {
    if (c.styles & style::kTabStop) order.push_back(c.id);
  }
  EXPECT_EQ(order,
            (std::vector<int>{kIdCancel, CCommentsDlg::kIdComments, CCommentsDlg::kIdOkButton}));
}

}  // namespace
}  // namespace quillet
