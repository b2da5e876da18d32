#include "ui/import_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/control_ids.h"
#include "support/fake_window.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "ui/quillet_dlg.h"

namespace quillet {
namespace {

using testing::FakeWindow;
using testing::ScriptedHost;
using testing::TempDir;
using testing::WriteWholeFile;

constexpr int kGtrList = CImportDlg::kIdFirstRowChoice;  // screen row 0
constexpr int kHkyList = CImportDlg::kIdFirstRowChoice + 2;
constexpr int kJcList = CImportDlg::kIdFirstRowChoice + 5;

ClassicModel M(const char* name) { return *ParseCanonicalName(name); }

// A PhyML run of a model with gamma on 9 taxa, cut down to the lines that matter.
std::string PhymlStats(const char* model, const char* lnL) {
  return std::string(" ---  PhyML 3.3.20200621  ---\n. Model of nucleotides substitution: \t") +
         model + "\n. Number of taxa: \t9\n. Log-likelihood: \t" + lnL +
         "\n. Discrete gamma model: \tYes\n  - Number of classes: \t4\n";
}

class ImportCommandTest : public ::testing::Test {
 protected:
  ImportCommandTest() : dlg(host, clock, help, [] { return std::string("/data"); }) {
    dlg.OnInitDialog(window);
  }

  std::string Put(const std::string& name, const std::string& content) {
    WriteWholeFile(dir.File(name), content);
    return dir.File(name);
  }

  // The step that plays the user in the import dialog: looks, chooses, presses a button.
  void InDialog(std::function<void(CImportDlg&, FakeWindow&)> act, int button) {
    host.dialogSteps.push_back([act, button](Dialog& d, FakeWindow& w) {
      act(static_cast<CImportDlg&>(d), w);
      return ScriptedHost::Press(d, w, button).value_or(-1);
    });
  }

  struct NoClock : Clock {
    std::tm LocalNow() const override { return {}; }
  } clock;
  struct NoHelp : HelpViewer {
    bool ShowHelp(const std::string&, int) override { return true; }
  } help;
  ScriptedHost host;
  FakeWindow window;
  CQuilletDlg dlg;
  TempDir dir;
};

// The dialog shows every value found with the number of its file, a conflict as such, a dash
// where nothing was found, and lists the files with what was said about them.
TEST_F(ImportCommandTest, TheDialogShowsWhatTheFilesHold) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.75\nK2P,-1020\n");
  const std::string b = Put("b.txt", PhymlStats("HKY85", "-1000.125"));
  const std::string c = Put("c.csv", "Model,lnL\nK2P,-1021\nGTR+G,-905.25\n");
  const std::string missing = dir.File("missing.txt");
  InDialog(
      [&](CImportDlg&, FakeWindow& w) {
        struct Cell {
          int row, column;
          std::string text;
        };
        const Cell cells[] = {
            {0, 0, "-950.75 [1]"},   {0, 2, "-905.25 [3]"},    {0, 1, "\xe2\x80\x94"},
            {2, 2, "-1000.125 [2]"}, {4, 0, "conflict [1,3]"}, {5, 3, "\xe2\x80\x94"},
        };
        for (const Cell& cell : cells) {
          EXPECT_EQ(w.GetControlText(CImportDlg::CellId(cell.row, cell.column)), cell.text)
              << cell.row << "," << cell.column;
        }
        EXPECT_EQ(w.comboItems[kGtrList],
                  (std::vector<std::string>{"Leave as it is", "GTR", "GTR+G"}));
        EXPECT_EQ(w.ComboText(kGtrList), "GTR");             // the row has no ticks: plain
        EXPECT_EQ(w.ComboText(kHkyList), "Leave as it is");  // only HKY85+G was found
        EXPECT_EQ(w.comboItems[kJcList], std::vector<std::string>{"Leave as it is"});
        EXPECT_EQ(w.comboItems[CImportDlg::kIdGammaPair],
                  (std::vector<std::string>{"Leave the gamma test as it is", "GTR+G against GTR"}));
        EXPECT_EQ(w.GetControlText(CImportDlg::kIdTaxa), "Fill in the number of taxa: 9");
        EXPECT_EQ(w.GetCheck(CImportDlg::kIdTaxa), 1);
        EXPECT_EQ(w.GetControlText(CImportDlg::kIdMessages),
                  "Files:\n[1] " + a + " (table (comma-separated))\n[2] " + b +
                      " (PhyML 3.3.20200621 statistics)\n[3] " + c +
                      " (table (comma-separated))\n[4] " + missing + " (not read)\n\n" + missing +
                      ": no such file\ndifferent values for K2P: -1020 (" + a + "), -1021 (" + c +
                      "); that model is left unfilled");
      },
      kIdCancel);
  dlg.OnImport(window, {a, b, c, missing});
  EXPECT_EQ(host.events, std::vector<std::string>{"dialog:132"});
  EXPECT_TRUE(window.messages.empty()) << "refusals are shown in the dialog";
}

// Nothing in the window changes before Apply; Cancel leaves every control as it was.
TEST_F(ImportCommandTest, CancelChangesNothing) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.75\nJC,-1100\n");
  window.SetControlText(ids::kLnLGTR, "-3.25");
  const FakeWindow before = window;
  InDialog([](CImportDlg&, FakeWindow&) {}, kIdCancel);
  dlg.OnImport(window, {a});
  EXPECT_EQ(window.texts, before.texts);
  EXPECT_EQ(window.checks, before.checks);
  EXPECT_EQ(window.enabled, before.enabled);
}

TEST_F(ImportCommandTest, ApplyFillsWhatWasChosenAndShowsItAsTypedValuesAre) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.753456\nGTR+G,-905.25\nJC,-1100\n");
  const std::string b = Put("b.txt", PhymlStats("HKY85", "-1000.125"));
  window.SetCheck(ids::kGammaGTR, 1);  // GTR's list opens on GTR+G
  window.SetCheck(ids::kTestGamma, 0);
  dlg.OnCommand(window, ids::kTestGamma);  // the gamma group greyed out
  window.SetControlText(ids::kLnLK2P, "-1010.5");
  InDialog(
      [](CImportDlg&, FakeWindow& w) {
        EXPECT_EQ(w.ComboText(kGtrList), "GTR+G");
        w.SetComboSelection(kHkyList, 1);  // HKY85+G
        w.SetComboSelection(kJcList, 0);   // leave JC as it is
        w.SetComboSelection(CImportDlg::kIdGammaPair, 1);
        EXPECT_EQ(w.ComboText(CImportDlg::kIdGammaPair), "GTR+G against GTR");
      },
      kIdOk);
  dlg.OnImport(window, {a, b});

  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-905.25");
  EXPECT_EQ(window.GetCheck(ids::kGTR), 1);
  EXPECT_EQ(window.GetCheck(ids::kGammaGTR), 1);
  EXPECT_EQ(window.GetControlText(ids::kLnLHKY85), "-1000.13");  // six significant digits
  EXPECT_EQ(window.GetCheck(ids::kHKY85), 1);
  EXPECT_EQ(window.GetCheck(ids::kGammaHKY85), 1);
  EXPECT_EQ(window.GetControlText(ids::kLnLJC), "0");
  EXPECT_EQ(window.GetCheck(ids::kJC), 0);
  EXPECT_EQ(window.GetControlText(ids::kLnLK2P), "-1010.5") << "typed, not imported";
  EXPECT_EQ(window.GetControlText(ids::kLnLGamma), "-905.25");
  EXPECT_EQ(window.GetControlText(ids::kLnLNoGamma), "-950.753");
  EXPECT_EQ(window.GetCheck(ids::kTestGamma), 1);
  EXPECT_TRUE(window.IsEnabled(ids::kLnLGamma)) << "the group follows the box Apply ticked";
  EXPECT_EQ(window.GetControlText(ids::kTaxa), "9");
  EXPECT_TRUE(window.messages.empty());
}

struct NothingCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> files;  // name, content; null: absent
  std::vector<std::string> reasons;                        // after each file's path and ": "
};

void PrintTo(const NothingCase& c, std::ostream* os) { *os << c.name; }

class NothingFoundTest : public ImportCommandTest,
                         public ::testing::WithParamInterface<NothingCase> {};

// When nothing can be imported a message names each file and its reason, no dialog opens and
// the window is left alone.
TEST_P(NothingFoundTest, SaysWhyAndChangesNothing) {
  const NothingCase& c = GetParam();
  std::vector<std::string> paths;
  std::string expected = "Nothing was imported.\n";
  for (std::size_t i = 0; i < c.files.size(); ++i) {
    const std::string path =
        c.files[i].second ? Put(c.files[i].first, c.files[i].second) : dir.File(c.files[i].first);
    paths.push_back(path);
    expected += "\n" + path + ": " + c.reasons[i];
  }
  const FakeWindow before = window;
  dlg.OnImport(window, paths);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, expected);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(window.texts, before.texts);
  EXPECT_EQ(window.checks, before.checks);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NothingFoundTest,
    ::testing::Values(
        NothingCase{"Missing", {{"gone.txt", nullptr}}, {"no such file"}},
        NothingCase{"EmptyAndBinary",
                    {{"empty.txt", ""}, {"image.png", "\x89PNG\r\n\x1a\n\0\0\0"}},
                    {"the file is empty", "binary data, not text"}},
        NothingCase{"NotAFormatRead",
                    {{"notes.txt", "my alignment has 12 taxa\n"}},
                    {"not a format Quillet reads (an IQ-TREE report or log, PhyML statistics, a "
                     "RAxML-NG log, PAML baseml output, a PAUP* log, or a table with a model and "
                     "a log-likelihood column)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A field that does not parse stops the import before any file is read, as it stops
// Calculate: writing the form back would otherwise overwrite what the user typed.
TEST_F(ImportCommandTest, AFieldThatDoesNotParseStopsBeforeReading) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.75\n");
  window.SetControlText(ids::kLnLTrN, "-96o.5");
  dlg.OnImport(window, {a});
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, "Please enter a number.");
  EXPECT_EQ(window.focus, ids::kLnLTrN);
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(window.GetControlText(ids::kLnLTrN), "-96o.5");
}

// Ctrl+O and the menu entry ask for files first; the Open dialog then opens where the last
// import came from, and cancelling it does nothing.
TEST_F(ImportCommandTest, OpenAsksForFilesAndRemembersTheirFolder) {
  const std::string a = Put("a.csv", "Model,lnL\nGTR,-950.75\n");
  host.openFilesAnswers.push_back({a});
  InDialog([](CImportDlg&, FakeWindow&) {}, kIdOk);
  dlg.OnCommand(window, CQuilletDlg::kIdFileOpen);
  EXPECT_EQ(window.GetControlText(ids::kLnLGTR), "-950.75");

  host.openFilesAnswers.push_back({});
  dlg.OnSysCommand(window, CQuilletDlg::kIdmImport);
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"open:", "dialog:132", "open:" + dir.path().string()}));
  EXPECT_TRUE(window.messages.empty());
}

// The dialog's own exchange: what the user picks becomes the choices, and a list left with
// nothing selected counts as "leave as it is".
TEST(CImportDlg, TheListsSelectionsBecomeTheChoices) {
  ImportTable table;
  for (const char* name : {"GTR", "GTR+I", "GTR+G", "GTR+I+G", "JC"}) {
    table.values.push_back({M(name), "-1", -1.0, "a.txt"});
  }
  CImportDlg dialog(table, {{"a.txt", "test", true}}, {});
  FakeWindow window;
  dialog.OnInitDialog(window);
  EXPECT_EQ(window.GetControlText(CImportDlg::kIdTaxa), "Number of taxa: not stated in the files");
  EXPECT_FALSE(window.IsEnabled(CImportDlg::kIdTaxa));
  window.SetComboSelection(kGtrList, 4);
  window.SetComboSelection(kJcList, -1);
  window.SetComboSelection(CImportDlg::kIdGammaPair, 4);
  ASSERT_EQ(window.ComboText(CImportDlg::kIdGammaPair), "GTR+I+G against GTR+I");
  EXPECT_EQ(ScriptedHost::Press(dialog, window, kIdOk), kIdOk);
  EXPECT_EQ(dialog.m_choices.rows[int(Model::GTR)], M("GTR+I+G"));
  EXPECT_FALSE(dialog.m_choices.rows[int(Model::JC)]);
  ASSERT_TRUE(dialog.m_choices.gamma);
  EXPECT_EQ(DescribePair(*dialog.m_choices.gamma), "GTR+I+G against GTR+I");
}

}  // namespace
}  // namespace quillet
