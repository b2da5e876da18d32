#include "ui/file_name.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/data_exchange.h"
#include "stats/lrt.h"
#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/save_report.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::FakeWindow;
using testing::ReadTextFile;
using testing::TempDir;
using Events = std::vector<std::string>;

constexpr int kCommentsEdit = CCommentsDlg::kIdComments;
constexpr int kCommentsOk = CCommentsDlg::kIdOkButton;

// A dialog step that checks what the comments edit opened with, then types and presses.
testing::ScriptedHost::Step ExpectCommentThen(std::string shown, std::string typed, int button) {
  return [shown = std::move(shown), typed = std::move(typed), button](Dialog& dialog,
                                                                      FakeWindow& window) {
    EXPECT_EQ(window.GetControlText(kCommentsEdit), shown);
    window.SetControlText(kCommentsEdit, typed);
    return testing::ScriptedHost::Press(dialog, window, button).value_or(kIdCancel);
  };
}

void Accept(CommandRig& rig, const std::string& path, const std::string& comment) {
  rig.host.saveAsAnswers.push_back(path);
  rig.host.dialogSteps.push_back(testing::TypeAndPress(kCommentsEdit, comment, kCommentsOk));
  OnFileName(rig.form, rig.report, rig.ctx);
}

TEST(FileNameTest, NoReportFileAtStart) {
  ReportSession report;
  EXPECT_EQ(report.m_nAnalysis, 1);
  EXPECT_EQ(report.m_strComments, "");
  EXPECT_EQ(report.m_strSavePath, "");
  EXPECT_EQ(report.m_dlgSave.GetPathName(), "");
}

TEST(FileNameTest, SaveAsDialogHasTheReportSettings) {
  CommandRig rig;
  rig.Show();
  rig.host.saveAsAnswers.push_back(std::nullopt);
  OnFileName(rig.form, rig.report, rig.ctx);
  ASSERT_EQ(rig.host.saveAsSettingsSeen.size(), 1u);
  EXPECT_EQ(rig.host.saveAsSettingsSeen[0].defaultExtension, "txt");
  // The dialog's own overwrite prompt would only offer to replace; the question below it
  // offers adding to the file as well.
  EXPECT_FALSE(rig.host.saveAsSettingsSeen[0].overwritePrompt);
  EXPECT_TRUE(rig.host.saveAsSettingsSeen[0].hideReadOnly);
}

// A chosen file that already holds text is not silently replaced: the user adds to it (a new
// header block after three line feeds, as after Clear All), replaces it, or chooses again.
TEST(FileNameTest, AFileThatHoldsTextAsksWhetherToAddOrReplace) {
  struct Row {
    const char* name;
    const char* before;                        // the file's text when chosen; null: no file
    std::optional<std::optional<int>> answer;  // nothing: no question asked
    bool accepted;
    const char* after;  // the file after one calculation; null: as before
  };
  const std::string kStart = "Quillet v. 2.0 (see help file for details)\n";
  const Row rows[] = {
      {"NewFile", nullptr, std::nullopt, true, ""},
      {"EmptyFile", "", std::nullopt, true, ""},
      {"Add", "old analyses", std::optional<int>(0), true, "old analyses\n\n\n"},
      {"Replace", "old analyses", std::optional<int>(1), true, ""},
      {"ChooseAgain", "old analyses", std::optional<int>(2), false, nullptr},
      {"BoxClosed", "old analyses", std::optional<int>(), false, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    const std::string path = dir.File("r.txt");
    if (row.before) testing::WriteWholeFile(path, row.before);
    CommandRig rig;
    rig.form.m_bSaveWork = rig.form.m_bTestGamma = 1;
    rig.form.m_fLnLGamma = -10.0f;
    rig.form.m_fLnLNoGamma = -12.5f;
    rig.Show();
    rig.report.m_nAnalysis = 5;
    rig.host.saveAsAnswers.push_back(path);
    if (row.answer) rig.host.askAnswers.push_back(*row.answer);
    if (row.accepted) rig.host.dialogSteps.push_back(testing::PressOk(kCommentsOk));
    OnFileName(rig.form, rig.report, rig.ctx);

    EXPECT_EQ(rig.host.questionsSeen.size(), row.answer ? 1u : 0u);
    EXPECT_EQ(rig.report.m_dlgSave.GetPathName(), row.accepted ? path : "");
    EXPECT_EQ(rig.report.m_nAnalysis, row.accepted ? 1 : 5);
    if (!row.accepted) continue;
    OnCalculate(rig.form, rig.report, rig.ctx);
    EXPECT_EQ(ReadTextFile(path).substr(0, std::string(row.after).size() + kStart.size()),
              row.after + kStart);
  }
}

TEST(FileNameTest, CancelInSaveAsChangesNothing) {
  CommandRig rig;
  rig.Show();
  rig.report.m_nAnalysis = 4;
  rig.host.saveAsAnswers.push_back(std::nullopt);
  OnFileName(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_dlgSave.GetPathName(), "");
  EXPECT_EQ(rig.report.m_nAnalysis, 4);
  EXPECT_EQ(rig.host.events, (Events{"saveas:"}));  // no comments dialog
  EXPECT_TRUE(rig.window.messages.empty());

  // A file accepted earlier stays the report file; the dialog opens on it.
  Accept(rig, "/reports/a.txt", "x");
  rig.report.m_nAnalysis = 6;
  rig.host.saveAsAnswers.push_back(std::nullopt);
  OnFileName(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_dlgSave.GetPathName(), "/reports/a.txt");
  EXPECT_EQ(rig.report.m_nAnalysis, 6);
  EXPECT_EQ(rig.host.events.back(), "saveas:/reports/a.txt");
}

TEST(FileNameTest, AcceptedFileThenCommentsCancelled) {
  CommandRig rig;
  rig.Show();
  rig.report.m_nAnalysis = 5;
  rig.window.SetControlText(ids::kLnLGTR, "-1.2345678");
  rig.host.saveAsAnswers.push_back("/reports/b.txt");
  rig.host.dialogSteps.push_back(ExpectCommentThen("", "typed then dropped", kIdCancel));
  OnFileName(rig.form, rig.report, rig.ctx);

  EXPECT_EQ(rig.report.m_dlgSave.GetPathName(), "/reports/b.txt");
  EXPECT_EQ(rig.report.m_nAnalysis, 1);
  EXPECT_EQ(rig.report.m_dlgComments.m_strComments, "");
  // The window was read but not refreshed: it still shows what was typed.
  EXPECT_EQ(rig.form[Model::GTR].m_fLnL, -1.2345678);
  EXPECT_EQ(rig.window.GetControlText(ids::kLnLGTR), "-1.2345678");
}

TEST(FileNameTest, AcceptedFileAndCommentRefreshTheWindow) {
  CommandRig rig;
  rig.Show();
  rig.window.SetControlText(ids::kLnLGTR, "-1.2345678");
  Accept(rig, "/reports/c.txt", "my alignment");
  EXPECT_EQ(rig.report.m_dlgComments.m_strComments, "my alignment");
  EXPECT_EQ(rig.host.events, (Events{"saveas:", "dialog:130"}));
  // Refreshed from the form: every digit typed comes back.
  EXPECT_EQ(rig.window.GetControlText(ids::kLnLGTR), "-1.2345678");
  // The form's own copy of the comment is taken only when a first analysis is written.
  EXPECT_EQ(rig.report.m_strComments, "");
}

TEST(FileNameTest, CommentsDialogReopensWithTheTextAcceptedLast) {
  CommandRig rig;
  rig.Show();
  for (auto [shown, typed, button] :
       std::vector<std::tuple<const char*, const char*, int>>{{"", "first", kCommentsOk},
                                                              {"first", "second", kIdCancel},
                                                              {"first", "", kCommentsOk},
                                                              {"", "", kIdCancel}}) {
    rig.host.saveAsAnswers.push_back("/reports/d.txt");
    rig.host.dialogSteps.push_back(ExpectCommentThen(shown, typed, button));
    OnFileName(rig.form, rig.report, rig.ctx);
  }
  EXPECT_EQ(rig.report.m_dlgComments.m_strComments, "");
}

TEST(FileNameTest, FieldThatDoesNotParseDoesNotStopTheSetup) {
  CommandRig rig;
  rig.Show();
  rig.report.m_nAnalysis = 3;
  rig.window.SetControlText(ids::kLnLHKY85, "abc");
  Accept(rig, "/reports/e.txt", "kept");
  EXPECT_EQ(rig.window.messages, (std::vector<FakeWindow::Message>{{kPleaseEnterNumber, ""}}));
  EXPECT_EQ(rig.report.m_nAnalysis, 1);
  EXPECT_EQ(rig.report.m_dlgComments.m_strComments, "kept");
  // Refreshing the window puts the form's value back into the field.
  EXPECT_EQ(rig.window.GetControlText(ids::kLnLHKY85), "0");
}

// The save setup that the report writer opens in the middle of a calculation.
class SaveSetupDuringCalculationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AnalysisForm& f = rig.form;
    rig.report.m_szStartDir = "/d";
    f.m_bSaveWork = 1;
    f.m_bTestClock = 1;
    f.m_nTaxa = 5;
    f.m_fLnLNoClock = -100.0f;
    f.m_fLnLClock = -104.0f;
    f.m_bTestModels = 1;
    f[Model::GTR].m_bSelected = f[Model::JC].m_bSelected = 1;
    f[Model::GTR].m_fLnL = -90.0f;
    f[Model::JC].m_fLnL = -95.0f;
    EvaluateLrt(-100.0f, -104.0f, clockLrt, clockCrit, clockResult, 3, 0.05f);
    std::string unused;
    EvaluateLrt(-95.0f, -90.0f, jcLrt, unused, unused, 8, 0.05f);
    rig.Show();
  }

  void ExpectResultsShown() {
    EXPECT_EQ(rig.form.m_strClockLrt, clockLrt);
    EXPECT_EQ(rig.window.GetControlText(ids::kClockLrt), clockLrt);
    EXPECT_EQ(rig.window.GetControlText(ids::kClockCrit), clockCrit);
    EXPECT_EQ(rig.window.GetControlText(ids::kClockResult), clockResult);
    EXPECT_EQ(rig.window.GetControlText(ids::kLrtJC), jcLrt);
    EXPECT_EQ(rig.form.m_bClockValid, 1);
  }

  TempDir dir;
  std::string path = dir.File("report.txt");
  CommandRig rig;
  std::string clockLrt, clockCrit, clockResult, jcLrt;
  const FakeWindow::Message noFile{kNoFileNameText, kNoFileNameCaption};
};

TEST_F(SaveSetupDuringCalculationTest, FileChosenIsStartedByTheNextCalculation) {
  rig.host.saveAsAnswers.push_back(path);
  rig.host.dialogSteps.push_back(testing::TypeAndPress(kCommentsEdit, "cmt ", kCommentsOk));
  OnCalculate(rig.form, rig.report, rig.ctx);

  EXPECT_EQ(rig.window.messages, (std::vector<FakeWindow::Message>{noFile}));
  ExpectResultsShown();
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(rig.report.m_nAnalysis, 1);

  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.window.messages.size(), 1u);
  EXPECT_EQ(rig.report.m_nAnalysis, 2);
  const std::string header =
      "Quillet v. 2.0 (see help file for details)\n"
      "-------------------------------------------\n\n"
      "Analyses done: Tue Nov 14 09:05:03 2000\n\n\n"
      "cmt /d\n\nAnalysis number 1 \n---------------\n";
  EXPECT_EQ(ReadTextFile(path).substr(0, header.size()), header);
}

TEST_F(SaveSetupDuringCalculationTest, CancelledSetupAsksAgainNextTime) {
  rig.host.saveAsAnswers.push_back(std::nullopt);
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.window.messages, (std::vector<FakeWindow::Message>{noFile}));
  ExpectResultsShown();
  EXPECT_EQ(rig.report.m_nAnalysis, 1);

  rig.host.saveAsAnswers.push_back(std::nullopt);
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.window.messages, (std::vector<FakeWindow::Message>{noFile, noFile}));
  EXPECT_EQ(rig.host.events, (Events{"saveas:", "saveas:"}));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// A calculation that ran no test has nothing to write, so it asks for no file either.
TEST_F(SaveSetupDuringCalculationTest, NothingTickedAsksForNoFile) {
  rig.form.m_bTestClock = rig.form.m_bTestModels = 0;
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.window.messages,
            (std::vector<FakeWindow::Message>{{"Calculate what? \nPlease choose some type of "
                                               "analysis!",
                                               ""}}));
  EXPECT_TRUE(rig.host.events.empty());
}

TEST_F(SaveSetupDuringCalculationTest, SavingOffLeavesNumberAndFileAlone) {
  rig.Show();
  Accept(rig, path, "c");
  rig.form.m_bSaveWork = 0;
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_nAnalysis, 1);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(rig.window.messages.empty());
}

}  // namespace
}  // namespace quillet
