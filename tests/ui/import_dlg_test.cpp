#include "ui/import_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_window.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "ui/control_ids.h"
#include "ui/quillet_dlg.h"

namespace quillet {
namespace {

using testing::FakeWindow;
using testing::ScriptedHost;

constexpr int kGtrList = CImportDlg::kIdFirstRowChoice, kHkyList = kGtrList + 2,
              kJcList = kGtrList + 5, kPairList = CImportDlg::kIdGammaPair;

// A PhyML run of HKY85+G on 9 taxa, cut down to the lines that matter.
constexpr char kPhymlStats[] =
    " ---  PhyML 3.3.20200621  ---\n. Model of nucleotides substitution: \tHKY85\n"
    ". Number of taxa: \t9\n. Log-likelihood: \t-1000.125\n. Discrete gamma model: \tYes\n"
    "  - Number of classes: \t4\n";

class ImportCommandTest : public ::testing::Test {
 protected:
  ImportCommandTest() : dlg(host, clock, help, [] { return std::string("/data"); }) {
    dlg.OnInitDialog(window);
  }

  std::string Put(const std::string& name, const std::string& content) {
    testing::WriteWholeFile(dir.File(name), content);
    return dir.File(name);
  }

  // Plays the user in the import dialog: looks, chooses, presses a button.
  void InDialog(std::function<void(FakeWindow&)> act, int button) {
    host.dialogSteps.push_back([act, button](Dialog& d, FakeWindow& w) {
      act(w);
      return ScriptedHost::Press(d, w, button).value_or(-1);
    });
  }

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

// Each cell shows the value found with its file's number, a conflict as such, a dash where
// nothing was found; the files are listed with what was said about them. Cancel changes nothing.
TEST_F(ImportCommandTest, TheDialogShowsWhatTheFilesHoldAndCancelChangesNothing) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.75\nK2P,-1020\n");
  const std::string b = Put("b.txt", kPhymlStats);
  const std::string c = Put("c.csv", "Model,lnL\nK2P,-1021\n");
  const std::string missing = dir.File("missing.txt");
  InDialog(
      [&](FakeWindow& w) {
        EXPECT_EQ(w.GetControlText(CImportDlg::CellId(0, 0)), "-950.75 [1]");
        EXPECT_EQ(w.GetControlText(CImportDlg::CellId(2, 2)), "-1000.125 [2]");
        EXPECT_EQ(w.GetControlText(CImportDlg::CellId(4, 0)), "conflict [1,3]");
        EXPECT_EQ(w.GetControlText(CImportDlg::CellId(0, 1)), "\xe2\x80\x94");
        EXPECT_EQ(w.comboItems[kGtrList], (std::vector<std::string>{"Leave as it is", "GTR"}));
        EXPECT_EQ(w.ComboText(kGtrList), "GTR");             // the row has no ticks: plain
        EXPECT_EQ(w.ComboText(kHkyList), "Leave as it is");  // only HKY85+G was found
        EXPECT_EQ(w.comboItems[kPairList].size(), 1u);
        EXPECT_EQ(w.GetControlText(CImportDlg::kIdTaxa), "Fill in the number of taxa: 9");
        EXPECT_EQ(w.GetControlText(CImportDlg::kIdMessages),
                  "Files:\n[1] " + a + " (table (comma-separated))\n[2] " + b +
                      " (PhyML 3.3.20200621 statistics, 9 taxa)\n[3] " + c +
                      " (table (comma-separated))\n[4] " + missing + " (not read)\n\n" + missing +
                      ": no such file\ndifferent values for K2P: -1020 (" + a + "), -1021 (" + c +
                      "); that model is left unfilled");
      },
      kIdCancel);
  const FakeWindow before = window;
  dlg.OnImport(window, {a, b, c, missing});
  EXPECT_EQ(host.events, std::vector<std::string>{"dialog:132"});
  EXPECT_EQ(window.texts, before.texts);
  EXPECT_EQ(window.checks, before.checks);
  EXPECT_TRUE(window.messages.empty()) << "refusals are told in the dialog";
}

TEST_F(ImportCommandTest, ApplyFillsWhatWasChosenAndShowsItAsTheFileWroteIt) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.753456\nGTR+G,-905.25\nJC,-1100\n");
  const std::string b = Put("b.txt", kPhymlStats);
  window.SetCheck(ids::kGammaGTR, 1);  // GTR's list opens on GTR+G
  window.SetCheck(ids::kTestGamma, 0);
  dlg.OnCommand(window, ids::kTestGamma);  // the gamma group greyed out
  InDialog(
      [](FakeWindow& w) {
        EXPECT_EQ(w.ComboText(kGtrList), "GTR+G");
        w.SetComboSelection(kHkyList, 1);  // HKY85+G
        w.SetComboSelection(kJcList, 0);   // leave JC as it is
        w.SetComboSelection(kPairList, 1);
        EXPECT_EQ(w.ComboText(kPairList), "GTR+G against GTR");
      },
      kIdOk);
  dlg.OnImport(window, {a, b});
  for (auto [id, text] : {std::pair{ids::kLnLGTR, "-905.25"},
                          {ids::kLnLHKY85, "-1000.125"},
                          {ids::kLnLJC, "0"},
                          {ids::kLnLGamma, "-905.25"},
                          {ids::kLnLNoGamma, "-950.753456"},
                          {ids::kTaxa, "9"}}) {
    EXPECT_EQ(window.GetControlText(id), text) << id;
  }
  for (auto [id, check] : {std::pair{ids::kGTR, 1},
                           {ids::kGammaGTR, 1},
                           {ids::kHKY85, 1},
                           {ids::kGammaHKY85, 1},
                           {ids::kJC, 0},
                           {ids::kTestGamma, 1}}) {
    EXPECT_EQ(window.GetCheck(id), check) << id;
  }
  EXPECT_TRUE(window.IsEnabled(ids::kLnLGamma)) << "the group follows the box Apply ticked";
}

// When nothing can be imported a message names each file and its reason, and nothing changes.
TEST_F(ImportCommandTest, NothingFoundIsToldFileByFile) {
  const std::string gone = dir.File("gone.txt"), empty = Put("empty.txt", "");
  const FakeWindow before = window;
  dlg.OnImport(window, {gone, empty});
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Nothing was imported.\n\n" + gone + ": no such file\n" +
                                         empty + ": the file is empty");
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(window.texts, before.texts);
}

// Files that state different numbers of taxa are no one data set: the dialog names them and
// fills nothing until the files of one data set are shown. A file that states no number (a
// table) belongs to each set.
class DataSetTest : public ImportCommandTest {
 protected:
  DataSetTest() {
    std::string other = kPhymlStats;
    other.replace(other.find("\t9"), 2, "\t12").replace(other.find("-1000.125"), 9, "-2000.5");
    p9 = Put("p9.txt", kPhymlStats);
    p12 = Put("p12.txt", other);
    table = Put("t.csv", "Model,lnL\nGTR,-950.75\n");
  }

  // Plays the user in the dialog; returns the code it ends with.
  void InDialog(std::function<int(Dialog&, FakeWindow&)> act) { host.dialogSteps.push_back(act); }

  static constexpr int kDataSet = CImportDlg::kIdDataSet, kShow = CImportDlg::kIdShowDataSet,
                       kHkyGamma = CImportDlg::CellId(2, 2);
  std::string p9, p12, table;
};

TEST_F(DataSetTest, NothingIsOfferedUntilTheFilesOfOneDataSetAreShown) {
  InDialog([&](Dialog& d, FakeWindow& w) {
    EXPECT_EQ(w.comboItems[kDataSet],
              (std::vector<std::string>{"Choose the files of one data set", "files 1, 3: 9 taxa",
                                        "files 2, 3: 12 taxa"}));
    EXPECT_EQ(w.GetComboSelection(kDataSet), 0);
    EXPECT_EQ(w.focus, kDataSet);
    EXPECT_EQ(w.GetControlText(kHkyGamma), "conflict [1,2]");
    EXPECT_EQ(w.comboItems[kGtrList], std::vector<std::string>{"Leave as it is"});
    EXPECT_EQ(w.comboItems[kPairList].size(), 1u);
    EXPECT_FALSE(w.IsEnabled(CImportDlg::kIdTaxa));
    EXPECT_EQ(w.GetControlText(CImportDlg::kIdTaxa),
              "Number of taxa: the files are not one data set (see below)");
    EXPECT_EQ(w.GetControlText(CImportDlg::kIdMessages),
              "Files:\n[1] " + p9 + " (PhyML 3.3.20200621 statistics, 9 taxa)\n[2] " + p12 +
                  " (PhyML 3.3.20200621 statistics, 12 taxa)\n[3] " + table +
                  " (table (comma-separated))\n\nChoose the files of one data set under Data set "
                  "and press Show: these state different numbers of taxa or sites. Until then "
                  "Apply fills nothing.\nthe files are not one data set: 9 taxa in " +
                  p9 + "; 12 taxa in " + p12);

    w.SetComboSelection(kDataSet, 2);
    EXPECT_FALSE(ScriptedHost::Press(d, w, kShow));
    EXPECT_EQ(w.GetControlText(kHkyGamma), "-2000.5 [2]");
    EXPECT_EQ(w.GetControlText(CImportDlg::CellId(0, 0)), "-950.75 [3]");
    EXPECT_EQ(w.ComboText(kGtrList), "GTR");
    EXPECT_EQ(w.GetControlText(CImportDlg::kIdTaxa), "Fill in the number of taxa: 12");
    EXPECT_EQ(w.GetCheck(CImportDlg::kIdTaxa), 1);
    const std::string messages = w.GetControlText(CImportDlg::kIdMessages);
    EXPECT_NE(messages.find("\n\nData set shown: files 2, 3: 12 taxa. The other files are left "
                            "out."),
              std::string::npos)
        << messages;
    w.SetComboSelection(kHkyList, 1);
    return ScriptedHost::Press(d, w, kIdOk).value_or(-1);
  });
  dlg.OnImport(window, {p9, p12, table});
  EXPECT_EQ(window.GetControlText(ids::kLnLHKY85), "-2000.5");
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-950.75");
  EXPECT_EQ(window.GetControlText(ids::kTaxa), "12");
}

// Apply with another data set chosen than the one shown shows it, so that nothing is filled
// unseen.
TEST_F(DataSetTest, ApplyShowsADataSetChosenButNotShown) {
  InDialog([&](Dialog& d, FakeWindow& w) {
    w.SetComboSelection(kDataSet, 1);
    EXPECT_FALSE(ScriptedHost::Press(d, w, kIdOk)) << "the dialog stays open";
    EXPECT_EQ(w.GetControlText(kHkyGamma), "-1000.125 [1]");
    return ScriptedHost::Press(d, w, kIdOk).value_or(-1);
  });
  dlg.OnImport(window, {p9, p12, table});
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-950.75");
  EXPECT_EQ(window.GetControlText(ids::kTaxa), "9");
}

TEST_F(DataSetTest, ApplyBeforeADataSetIsShownFillsNothing) {
  const FakeWindow before = window;
  InDialog([](Dialog& d, FakeWindow& w) { return ScriptedHost::Press(d, w, kIdOk).value_or(-1); });
  dlg.OnImport(window, {p9, p12, table});
  EXPECT_EQ(window.texts, before.texts);
  EXPECT_EQ(window.checks, before.checks);
}

// A field that does not parse stops the import before any file is read, as it stops
// Calculate: writing the form back would otherwise overwrite what the user typed.
TEST_F(ImportCommandTest, AFieldThatDoesNotParseStopsBeforeReading) {
  window.SetControlText(ids::kLnLTrN, "-96o.5");
  dlg.OnImport(window, {Put("a.csv", "Model,lnL\nGTR,-950.75\n")});
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter a number.");
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(window.GetControlText(ids::kLnLTrN), "-96o.5");
}

// Ctrl+O with such a field says so on that field before the Open dialog, rather than dropping
// the files chosen afterwards.
TEST_F(ImportCommandTest, OpenWithAFieldThatDoesNotParseAsksForNoFile) {
  window.SetControlText(ids::kLnLTrN, "-96o.5");
  dlg.OnCommand(window, CQuilletDlg::kIdFileOpen);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter a number.");
  EXPECT_EQ(window.focus, ids::kLnLTrN);
  EXPECT_TRUE(host.events.empty()) << "no Open dialog";
  EXPECT_EQ(window.GetControlText(ids::kLnLTrN), "-96o.5");
}

// Ctrl+O and the menu entry ask for files; the Open dialog then opens where the last import
// came from, and cancelling it does nothing.
TEST_F(ImportCommandTest, OpenAsksForFilesAndRemembersTheirFolder) {
  host.openFilesAnswers = {{Put("a.csv", "Model,lnL\nGTR,-950.75\n")}, {}};
  InDialog([](FakeWindow&) {}, kIdOk);
  dlg.OnCommand(window, CQuilletDlg::kIdFileOpen);
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-950.75");
  dlg.OnSysCommand(window, CQuilletDlg::kIdmImport);
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"open:", "dialog:132", "open:" + dir.path().string()}));
}

// The exchange: what the user picks becomes the choices; a list with nothing selected counts as
// "leave as it is".
TEST(CImportDlg, TheListsSelectionsBecomeTheChoices) {
  ImportTable table;
  for (const char* name : {"GTR", "GTR+I", "GTR+G", "GTR+I+G", "JC"}) {
    table.values.push_back({*ParseCanonicalName(name), "-1", -1.0, "a.txt"});
  }
  CImportDlg dialog(table, {{"a.txt", "test", true, {}, {}}}, {});
  FakeWindow window;
  dialog.OnInitDialog(window);
  EXPECT_FALSE(window.IsEnabled(CImportDlg::kIdTaxa)) << "no file states the taxa";
  window.SetComboSelection(kGtrList, 4);
  window.SetComboSelection(kJcList, -1);
  window.SetComboSelection(kPairList, 4);
  EXPECT_EQ(ScriptedHost::Press(dialog, window, kIdOk), kIdOk);
  EXPECT_EQ(dialog.m_choices.rows[int(Model::GTR)], ParseCanonicalName("GTR+I+G"));
  EXPECT_FALSE(dialog.m_choices.rows[int(Model::JC)]);
  ASSERT_TRUE(dialog.m_choices.gamma);
  EXPECT_EQ(DescribePair(*dialog.m_choices.gamma), "GTR+I+G against GTR+I");
}

}  // namespace
}  // namespace quillet
