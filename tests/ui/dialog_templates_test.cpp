#include "ui/dialog_templates.h"

#include <gtest/gtest.h>

#include <ostream>

#include <map>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "ui/about_dlg.h"
#include "ui/analysis_form.h"
#include "ui/chi_square_dlg.h"
#include "ui/comments_dlg.h"
#include "ui/control_groups.h"
#include "ui/control_ids.h"
#include "ui/import_dlg.h"
#include "ui/model_selection_dlg.h"

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
  for (const auto& [id, items] : window.comboItems) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "list " << id;
    EXPECT_EQ(c->kind, ControlKind::kComboBox) << id;
  }
  for (const auto& [id, state] : window.checks) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "check box " << id;
    EXPECT_EQ(c->kind, ControlKind::kCheckBox) << id;
  }
  for (const auto& [id, text] : window.texts) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "text control " << id;
    // A check box's text is its caption, which a dialog may set as it opens.
    const bool caption = c->kind == ControlKind::kCheckBox;
    EXPECT_TRUE(c->kind == ControlKind::kEdit || c->kind == ControlKind::kStatic || caption) << id;
  }
  for (const auto& [id, content] : window.tables) {
    const ControlTemplate* c = Find(t, id);
    ASSERT_NE(c, nullptr) << "table " << id;
    EXPECT_EQ(c->kind, ControlKind::kTable) << id;
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
                                                       }},
                                           BindingCase{"Import", &ImportTemplate,
                                                       [](FakeWindow& w) {
                                                         CImportDlg dlg({}, {}, {});
                                                         dlg.OnInitDialog(w);
                                                       }},
                                           BindingCase{"ModelSelection", &ModelSelectionTemplate,
                                                       [](FakeWindow& w) {
                                                         CModelSelectionDlg dlg({});
                                                         dlg.OnInitDialog(w);
                                                       }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Twice the vertical centre of a control, so that it stays a whole number.
int CentreLine2(const ControlTemplate& c) { return 2 * c.y + c.cy; }

// A label and the field or result it names share a centre line, so that their texts, each
// centred on its own line, stand on one baseline.
TEST(MainWindowTemplate, LabelsShareTheLineOfWhatTheyName) {
  struct Row {
    const char* name;
    int label;
    int value;
  };
  const Row rows[] = {
      {"with gamma", 1077, ids::kLnLGamma},      {"without gamma", 1078, ids::kLnLNoGamma},
      {"gamma LRT", 1084, ids::kGammaLrt},       {"gamma crit", 1086, ids::kGammaCrit},
      {"gamma result", 1082, ids::kGammaResult}, {"taxa", 1047, ids::kTaxa},
      {"with clock", 1048, ids::kLnLClock},      {"without clock", 1049, ids::kLnLNoClock},
      {"clock result", 1051, ids::kClockResult}, {"clock LRT", 1065, ids::kClockLrt},
      {"clock crit", 1067, ids::kClockCrit},
  };
  const DialogTemplate& t = MainWindowTemplate();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ControlTemplate* label = Find(t, row.label);
    const ControlTemplate* value = Find(t, row.value);
    ASSERT_TRUE(label && value);
    EXPECT_EQ(CentreLine2(*label), CentreLine2(*value));
    EXPECT_LT(label->x, value->x) << "the label stands before its value";
  }
}

// Each model row is one line: box, field, the two check boxes and the three results share its
// centre line; the column headings share one line above the first row.
TEST(MainWindowTemplate, ModelRowsAndHeadingsAreStraightLines) {
  using namespace ids;
  struct Row {
    const char* name;
    std::vector<int> controls;
  };
  const Row rows[] = {
      {"GTR", {kGTR, kLnLGTR, kGammaGTR, kInvarGTR}},
      {"TrN", {kTrN, kLnLTrN, kGammaTrN, kInvarTrN, kLrtTrN, kCritTrN, kResultTrN}},
      {"HKY85", {kHKY85, kLnLHKY85, kGammaHKY85, kInvarHKY85, kLrtHKY85, kCritHKY85, kResultHKY85}},
      {"F81", {kF81, kLnLF81, kGammaF81, kInvarF81, kLrtF81, kCritF81, kResultF81}},
      {"K2P", {kK2P, kLnLK2P, kGammaK2P, kInvarK2P, kLrtK2P, kCritK2P, kResultK2P}},
      {"JC", {kJC, kLnLJC, kGammaJC, kInvarJC, kLrtJC, kCritJC, kResultJC}},
      {"headings", {1052, 1053, 1054, 1055, 1056, 1057}},
  };
  const DialogTemplate& t = MainWindowTemplate();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ControlTemplate* first = Find(t, row.controls.front());
    ASSERT_NE(first, nullptr);
    for (int id : row.controls) {
      const ControlTemplate* c = Find(t, id);
      ASSERT_NE(c, nullptr) << id;
      EXPECT_EQ(CentreLine2(*c), CentreLine2(*first)) << id;
    }
  }
}

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
                      WindowCase{"About", &AboutTemplate, 100, "About Quillet", 1, 1},
                      WindowCase{"Import", &ImportTemplate, 132, "Import log-likelihoods", 1,
                                 CImportDlg::kIdFirstRowChoice},
                      WindowCase{"ModelSelection", &ModelSelectionTemplate, 133, "Model selection",
                                 CModelSelectionDlg::kIdRank, CModelSelectionDlg::kIdSites}),
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
