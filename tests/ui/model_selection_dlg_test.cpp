#include "ui/model_selection_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "report/criteria_text.h"
#include "support/fake_window.h"
#include "support/scripted_host.h"
#include "support/scripted_steps.h"
#include "support/temp_dir.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/quillet_dlg.h"

#include "support/model_name.h"

namespace quillet {
namespace {

using D = CModelSelectionDlg;
using testing::FakeWindow;
using testing::ScriptedHost;

using testing::M;

std::vector<std::string> Row(const FakeWindow& w, std::size_t row) {
  std::vector<std::string> texts;
  for (const TableCell& cell : w.tables.at(D::kIdTable).rows.at(row)) texts.push_back(cell.text);
  return texts;
}
std::vector<std::string> Column(const FakeWindow& w, std::size_t column) {
  std::vector<std::string> texts;
  for (const auto& row : w.tables.at(D::kIdTable).rows) texts.push_back(row[column].text);
  return texts;
}

// JC at -1000 and K2P at -990 on 3 taxa (3 branch lengths) and 100 sites. By hand: AIC 2006 and
// 1988; AICc adds 24/96 and 40/95; BIC adds 3 and 4 times ln 100. JC's weights are exp(-9),
// exp(-8.9145) and exp(-7.6974) over one more.
const ModelsAtHand kTwo = {{{M("JC"), -1000, "-1000"}, {M("K2P"), -990, "-990"}}, 3, 100, "", {}};

TEST(ModelSelectionDlg, TheTableMarksTheBestAndTheConfidenceSets) {
  CModelSelectionDlg dlg(kTwo);
  FakeWindow w;
  dlg.OnInitDialog(w);
  EXPECT_EQ(w.tables.at(D::kIdTable).columns.at(4), std::string("\xce\x94") + "AIC");
  EXPECT_EQ(Row(w, 0), (std::vector<std::string>{"JC", "-1000", "3", "2006.0000", "18.0000",
                                                 "0.0001", "2006.2500", "17.8289", "0.0001",
                                                 "2013.8155", "15.3948", "0.0005"}));
  EXPECT_EQ(Row(w, 1), (std::vector<std::string>{"K2P", "-990", "4", "1988.0000*", "0.0000",
                                                 "0.9999+", "1988.4211*", "0.0000", "0.9999+",
                                                 "1998.4207*", "0.0000", "0.9995+"}));
  EXPECT_EQ(w.tables.at(D::kIdTable).rows[0][1].sortKey, -1000.0);
  EXPECT_EQ(w.GetControlText(D::kIdSummary) + "\n",
            FormatCriteriaSummary(RankModels(kTwo.models, 3, 100)));
  EXPECT_EQ(w.GetControlText(D::kIdNotes), "No model has a lower ln L than a model nested in it.");
}

const char kTaxaRefused[] =
    "The number of taxa must be 3 or more: the branch lengths of an unrooted tree count among "
    "the free parameters.";

// What Rank does with the two fields: a new ranking, or the field's message with the cursor in
// it. A field that does not parse keeps the ranking shown; a refused one empties the table.
TEST(ModelSelectionDlg, RankReadsTheFieldsAndRanksAgain) {
  const std::string kInt = "Please enter an integer.",
                    kNoSites = "The number of sites must be 1 or more.";
  struct Case {
    const char* name;
    const char* sites;
    const char* taxa;
    std::string message;  // empty: none
    int focus;
    std::vector<std::string> k;  // the k column afterwards
    std::string aicc;            // JC's AICc afterwards
  };
  const Case cases[] = {
      // 2000 + 2 * 7 + 2 * 7 * 8 / (100 - 7 - 1)
      {"MoreTaxaMoreBranches", "100", "5", "", 0, {"7", "8"}, "2015.2174"},
      {"SitesUnknown", " ", "3", "", 0, {"3", "4"}, "-"},
      {"TooFewSitesForAnyAicc", "4", "3", "", 0, {"3", "4"}, "-"},
      // JC's 2006 + 24 / (5 - 3 - 1) is the only AICc: K2P's n - k - 1 is 0.
      {"TooFewSitesForK2PsAicc", "5", "3", "", 0, {"3", "4"}, "2030.0000*"},
      {"TooFewTaxa", "100", "2", kTaxaRefused, D::kIdTaxa, {}, ""},
      {"NoSites", "0", "3", kNoSites, D::kIdSites, {}, ""},
      {"SitesNotANumber", "many", "5", kInt, D::kIdSites, {"3", "4"}, "2006.2500"},
      {"TaxaNotANumber", "100", "x", kInt, D::kIdTaxa, {"3", "4"}, "2006.2500"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CModelSelectionDlg dlg(kTwo);
    FakeWindow w;
    dlg.OnInitDialog(w);
    w.SetControlText(D::kIdSites, c.sites);
    w.SetControlText(D::kIdTaxa, c.taxa);
    dlg.OnCommand(w, D::kIdRank);
    EXPECT_EQ(w.messages.empty() ? "" : w.messages.front().text, c.message);
    EXPECT_EQ(w.focus, c.focus);
    EXPECT_EQ(Column(w, 2), c.k);
    EXPECT_EQ(w.IsEnabled(D::kIdCopy), !c.k.empty());
    EXPECT_EQ(c.k.empty() ? "" : Column(w, 6).front(), c.aicc);
  }
}

// Opened with too few taxa, the window says why without a box and waits in the field.
TEST(ModelSelectionDlg, ARefusalOnOpeningIsShownInTheWindow) {
  CModelSelectionDlg dlg({kTwo.models, 0, 100, "", {}});
  FakeWindow w;
  dlg.OnInitDialog(w);
  EXPECT_EQ(w.GetControlText(D::kIdSummary), kTaxaRefused);
  EXPECT_TRUE(w.messages.empty());
  EXPECT_EQ(w.focus, D::kIdTaxa);
  EXPECT_TRUE(w.tables.at(D::kIdTable).rows.empty());
}

// Copy ranks with the numbers the fields hold, typed or not yet ranked with.
TEST(ModelSelectionDlg, CopyPutsTheTabSeparatedTableOnTheClipboard) {
  CModelSelectionDlg dlg(kTwo);
  FakeWindow w;
  dlg.OnInitDialog(w);
  w.SetControlText(D::kIdSites, "250");
  dlg.OnCommand(w, D::kIdCopy);
  EXPECT_EQ(w.clipboard, CriteriaTsvHeader() + CriteriaTsvRows(RankModels(kTwo.models, 3, 250)));
}

// Ctrl+M in the main window.
class ModelSelectionCommandTest : public ::testing::Test {
 protected:
  ModelSelectionCommandTest() : dlg(host, clock, help, [] { return std::string("/data"); }) {
    dlg.OnInitDialog(window);
    window.SetControlText(ids::kTaxa, "8");
  }

  void Tick(int box, int lnL, const char* value) {
    window.SetCheck(box, 1);
    window.SetControlText(lnL, value);
  }
  // `act` plays the user in the model selection window, then closes it.
  void InWindow(std::function<void(D&, FakeWindow&)> act) {
    host.dialogSteps.push_back([act](Dialog& d, FakeWindow& w) {
      act(static_cast<D&>(d), w);
      return ScriptedHost::Press(d, w, kIdCancel).value_or(-1);
    });
  }
  void CtrlM() { dlg.OnSysCommand(window, CQuilletDlg::kIdmModelSelection); }

  struct : Clock {
    std::tm LocalNow() const override { return {}; }
  } clock;
  struct : HelpViewer {
    bool ShowHelp(const std::string&, int) override { return true; }
  } help;
  ScriptedHost host;
  FakeWindow window;
  CQuilletDlg dlg;
  testing::TempDir dir;
};

// The ticked rows as their boxes name them, then every model the last import found, whether
// applied or not, with the nested pairs fitted worse; after Clear All nothing is at hand.
TEST_F(ModelSelectionCommandTest, RanksTheTickedRowsUntilAnImportFoundModels) {
  Tick(ids::kGTR, ids::kLnLGTR, "-950.50");
  window.SetCheck(ids::kGammaGTR, 1);
  Tick(ids::kK2P, ids::kLnLK2P, "0");
  Tick(ids::kJC, ids::kLnLJC, "-1100");
  InWindow([](D&, FakeWindow& w) {
    EXPECT_EQ(Column(w, 0), (std::vector<std::string>{"JC", "GTR+G"}));
    EXPECT_EQ(Column(w, 1), (std::vector<std::string>{"-1100", "-950.50"}));
    EXPECT_EQ(w.GetControlText(D::kIdTaxa), "8");
    EXPECT_EQ(w.GetControlText(D::kIdSites), "");
    EXPECT_EQ(w.GetControlText(D::kIdNotes).rfind("Left out, ticked without a ln L: K2P.\n", 0),
              0u);
  });
  CtrlM();

  const std::string file = dir.File("fits.csv");
  testing::WriteWholeFile(file, "Model,lnL\nGTR,-1050.75\nHKY85,-1020\nK2P,-1\nK2P,-2\n");
  host.dialogSteps.push_back(testing::PressOk());
  dlg.OnImport(window, {file});
  InWindow([](D&, FakeWindow& w) {
    EXPECT_EQ(Column(w, 0), (std::vector<std::string>{"HKY85", "GTR"}));
    EXPECT_EQ(w.GetControlText(D::kIdNotes),
              "Left out, the files disagree on its value: K2P.\nFitted worse than a model nested "
              "in it, so the fit did not reach its maximum (fit it again before relying on the "
              "ranking):\nGTR (ln L -1050.75) below HKY85 (ln L -1020)");
  });
  CtrlM();

  dlg.OnCommand(window, ids::kClearAll);
  CtrlM();
  EXPECT_EQ(host.events, (std::vector<std::string>{"dialog:133", "dialog:132", "dialog:133"}));
  EXPECT_EQ(window.messages, (std::vector<FakeWindow::Message>{{kNoModelsText, ""}}));
}

TEST_F(ModelSelectionCommandTest, AFieldThatDoesNotParseStopsIt) {
  Tick(ids::kGTR, ids::kLnLGTR, "-950.5");
  window.SetControlText(ids::kLnLClock, "abc");
  CtrlM();
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(window.messages.at(0).text, "Please enter a number.");
  EXPECT_EQ(window.focus, ids::kLnLClock);
}

// With no report file chosen, Add to report asks for one over the model selection window, and
// the main window's form survives the save setup; each ranking is the next analysis.
TEST_F(ModelSelectionCommandTest, AddToReportWritesTheRankingAsTheNextAnalysis) {
  Tick(ids::kGTR, ids::kLnLGTR, "-950.50");
  Tick(ids::kJC, ids::kLnLJC, "-1100");
  const std::string report = dir.File("report.txt");
  host.saveAsAnswers.push_back(report);
  std::vector<FakeWindow::Message> seen;
  InWindow([&](D& d, FakeWindow& w) {
    w.SetControlText(D::kIdSites, "500");
    d.OnCommand(w, D::kIdAddToReport);
    d.OnCommand(w, D::kIdAddToReport);
    seen = w.messages;
  });
  host.dialogSteps.push_back(
      testing::TypeAndPress(CCommentsDlg::kIdComments, "cytb", CCommentsDlg::kIdOkButton));
  CtrlM();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, "No File name entered");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-950.50");
  const std::string text = testing::ReadTextFile(report);
  const std::vector<FittedModel> models = {{M("JC"), -1100, "-1100"},
                                           {M("GTR"), -950.5, "-950.50"}};
  const std::size_t first = text.find("cytb");
  EXPECT_NE(
      text.find("*** Model selection ***\n\n" + FormatCriteriaTable(RankModels(models, 8, 500)),
                first),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("Analysis number 2", first), std::string::npos) << text;
}

}  // namespace
}  // namespace quillet
