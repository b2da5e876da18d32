#include "ui/dialog_templates.h"

#include <gtest/gtest.h>

#include <ostream>

#include <map>
#include <string>
#include <vector>

#include "analysis/analysis_form.h"
#include "support/fake_window.h"
#include "ui/about_dlg.h"
#include "ui/chi_square_dlg.h"
#include "ui/comments_dlg.h"
#include "ui/control_groups.h"

namespace quillet {
namespace {

using testing::FakeWindow;

std::vector<int> TabOrder(const DialogTemplate& t) {
  std::vector<int> order;
  for (const ControlTemplate& c : t.controls) {
    if (c.styles & style::kTabStop) order.push_back(c.id);
  }
  return order;
}

const ControlTemplate* Find(const DialogTemplate& t, int id) {
  const ControlTemplate* found = nullptr;
  for (const ControlTemplate& c : t.controls) {
    if (c.id == id) {
      EXPECT_EQ(found, nullptr) << "id " << id << " appears twice";
      found = &c;
    }
  }
  return found;
}

TEST(MainWindowTemplate, TabOrderRunsDownTheModelColumnsThenTheTestsAndButtons) {
  EXPECT_EQ(TabOrder(MainWindowTemplate()),
            (std::vector<int>{1014, 1013, 1012, 1011, 1010, 1009, 1020,  1019, 1018, 1017,
                              1016, 1015, 1027, 1026, 1025, 1024, 1023,  1022, 1008, 1007,
                              1006, 1005, 1004, 1003, 1079, 1080, 1045,  1043, 1044, 1058,
                              1059, 1062, 1021, 1060, 1000, 1001, 57671, 8,    1069, 1002}));
}

TEST(MainWindowTemplate, OnlyTheFiveCommandButtonsHaveMnemonics) {
  std::map<int, std::string> withMnemonic;
  for (const ControlTemplate& c : MainWindowTemplate().controls) {
    if (c.caption.find('&') != std::string_view::npos) withMnemonic[c.id] = c.caption;
  }
  EXPECT_EQ(withMnemonic, (std::map<int, std::string>{{1000, "&Calculate"},
                                                      {1001, "Clear &All"},
                                                      {1002, "&File Name"},
                                                      {57671, "&Help"},
                                                      {8, "E&xit"}}));
}

// Every control the form writes must exist in the template with a matching kind, or the
// window would silently drop that field.
struct BindingCase {
  const char* name;
  const DialogTemplate& (*tmpl)();
  void (*fill)(FakeWindow&);
};

void PrintTo(const BindingCase& c, std::ostream* os) { *os << c.name; }

class BindingTest : public ::testing::TestWithParam<BindingCase> {};

TEST_P(BindingTest, EveryBoundControlExistsWithAMatchingKind) {
  FakeWindow window;
  GetParam().fill(window);
  const DialogTemplate& t = GetParam().tmpl();
  ASSERT_FALSE(window.checks.empty() && window.texts.empty());
  for (const auto& [id, state] : window.checks) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "check box " << id;
    EXPECT_EQ(c->kind, ControlKind::kCheckBox) << id;
  }
  for (const auto& [id, text] : window.texts) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "text control " << id;
    EXPECT_TRUE(c->kind == ControlKind::kEdit || c->kind == ControlKind::kStatic) << id;
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, BindingTest,
                         ::testing::Values(BindingCase{"Main", &MainWindowTemplate,
                                                       [](FakeWindow& w) {
                                                         AnalysisForm form;
                                                         form.UpdateData(w, false);
                                                       }},
                                           BindingCase{"Calculator", &ChiSquareTemplate,
                                                       [](FakeWindow& w) {
                                                         CChiSquareDlg dlg;
                                                         dlg.DoDataExchange(w, false);
                                                       }},
                                           BindingCase{"Comments", &CommentsTemplate,
                                                       [](FakeWindow& w) {
                                                         CCommentsDlg dlg;
                                                         dlg.DoDataExchange(w, false);
                                                       }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowTemplate, EnablingGroupsNameExistingControls) {
  const DialogTemplate& t = MainWindowTemplate();
  for (int id : kModelGroup) EXPECT_NE(Find(t, id), nullptr) << id;
  for (int id : kClockGroup) EXPECT_NE(Find(t, id), nullptr) << id;
  for (int id : kGammaGroup) EXPECT_NE(Find(t, id), nullptr) << id;
}

struct WindowCase {
  const char* name;
  const DialogTemplate& (*tmpl)();
  int id;
  const char* caption;
  int defaultButton;
  int firstTabStop;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }

class WindowTemplateTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowTemplateTest, HasItsCaptionDefaultButtonAndControlsInside) {
  const WindowCase& w = GetParam();
  const DialogTemplate& t = w.tmpl();
  EXPECT_EQ(t.id, w.id);
  EXPECT_EQ(FindDialogTemplate(w.id), &t);
  EXPECT_EQ(t.caption, w.caption);
  std::vector<int> defaults;
  for (const ControlTemplate& c : t.controls) {
    if (c.styles & style::kDefault) defaults.push_back(c.id);
    EXPECT_GE(c.x, 0) << c.id << " " << c.caption;
    EXPECT_GE(c.y, 0) << c.id << " " << c.caption;
    EXPECT_LE(c.x + c.cx, t.cx) << c.id << " " << c.caption;
    EXPECT_LE(c.y + c.cy, t.cy) << c.id << " " << c.caption;
  }
  ASSERT_FALSE(defaults.empty());
  EXPECT_EQ(defaults.front(), w.defaultButton);
  EXPECT_EQ(TabOrder(t).front(), w.firstTabStop);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowTemplateTest,
    ::testing::Values(WindowCase{"Main", &MainWindowTemplate, 102, "Quillet", 1000, 1014},
                      WindowCase{"Calculator", &ChiSquareTemplate, 129, "Chi Square Calculator", 1,
                                 1},
                      WindowCase{"Comments", &CommentsTemplate, 130, "Comments", 1072, 2},
                      WindowCase{"About", &AboutTemplate, 100, "About Quillet", 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AboutTemplate, ShowsTheVersionAsTyped) {
  bool found = false;
  for (const ControlTemplate& c : AboutTemplate().controls) {
    if (c.caption == "Quillet v. 2.1  (11/2000)") {
      found = true;
      EXPECT_TRUE(c.styles & style::kNoPrefix);
    }
  }
  EXPECT_TRUE(found);
}

TEST(FindDialogTemplate, UnknownIdGivesNothing) { EXPECT_EQ(FindDialogTemplate(101), nullptr); }

}  // namespace
}  // namespace quillet
