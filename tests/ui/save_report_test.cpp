#include "ui/save_report.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "report/report_writer.h"
#include "stats/lrt.h"
#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/file_name.h"
#include "ui/form_data.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::FakeWindow;
using testing::ReadTextFile;
using testing::TempDir;
using testing::WriteWholeFile;

// Header of a first analysis with comment "C" and start-up directory "/d".
constexpr char kHeader[] =
    "Quillet v. 2.0 (see help file for details)\n"
    "-------------------------------------------\n\n"
    "Analyses done: Tue Nov 14 09:05:03 2000\n\n\n"
    "C/d\n\nAnalysis number 1 \n"
    "---------------\np-value used: 0.050000\n";

// Records the form's calculation with nothing computed: the header and the analysis's start.
std::optional<std::string> Save(CommandRig& rig) {
  return SaveReport(InputFromForm(rig.form), AnalysisResult{}, ResultTexts{}, rig.form, rig.report,
                    rig.ctx);
}

TEST(SaveReportTest, HeaderWritesCommentAndDirectoryVerbatim) {
  struct Row {
    const char* name;
    std::string comment;
    std::string startDir;
  };
  const std::vector<Row> rows = {
      {"empty comment", "", "/work/primates"},
      {"percent signs", "50% of sites, %d %s %n %%", "/tmp/100%s"},
      {"comment over several lines", "line one\nline two\n", "/x"},
      {"directory beyond 255 characters", "c", "/" + std::string(300, 'd') + "/end"},
      {"empty directory", "only a comment", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    CommandRig rig;
    rig.report.m_szStartDir = row.startDir;
    rig.ChooseReportFile(dir.File("r.txt"), row.comment);
    rig.form.m_bSaveWork = 1;
    Save(rig);
    EXPECT_EQ(ReadTextFile(dir.File("r.txt")),
              "Quillet v. 2.0 (see help file for details)\n"
              "-------------------------------------------\n\n"
              "Analyses done: Tue Nov 14 09:05:03 2000\n\n\n" +
                  row.comment + row.startDir +
                  "\n\nAnalysis number 1 \n---------------\np-value used: 0.050000\n");
  }
}

TEST(SaveReportTest, CommentIsTakenFromTheDialogOnlyByAFirstAnalysis) {
  TempDir dir;
  CommandRig rig;
  rig.report.m_szStartDir = "/d";
  rig.ChooseReportFile(dir.File("r.txt"), "C");
  rig.form.m_bSaveWork = 1;
  Save(rig);
  EXPECT_EQ(rig.report.m_strComments, "C");
  rig.report.m_nAnalysis = 2;
  rig.report.m_dlgComments.m_strComments = "changed";
  Save(rig);
  EXPECT_EQ(rig.report.m_strComments, "C");
}

TEST(SaveReportTest, SavingOffWritesAndShowsNothing) {
  TempDir dir;
  CommandRig rig;
  rig.ChooseReportFile(dir.File("r.txt"), "C");
  rig.form.m_bSaveWork = 0;
  EXPECT_EQ(Save(rig), std::nullopt);
  rig.form.m_bSaveWork = 2;  // only exactly 1 means ticked
  EXPECT_EQ(Save(rig), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(dir.File("r.txt")));
  EXPECT_TRUE(rig.window.messages.empty());
}

// The file is emptied only by the first analysis after a file was accepted in the Save As
// dialog. A restart of the numbering (Clear All) appends a new header block, set off by the
// three line feeds that begin every later analysis when the file already holds text.
class ReportNumberingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.report.m_szStartDir = "/d";
    rig.ChooseReportFile(path, "C");
    rig.form.m_bSaveWork = 1;
  }
  // One calculation with the gamma test, through the command, as the user would run it.
  void Calculate() {
    rig.form.m_bTestGamma = 1;
    rig.form.m_fLnLGamma = -10.0f;
    rig.form.m_fLnLNoGamma = -12.5f;
    rig.Show();
    OnCalculate(rig.form, rig.report, rig.ctx);
  }

  TempDir dir;
  std::string path = dir.File("r.txt");
  CommandRig rig;
  const std::string gamma =
      "\n\nwith gamma:    -10.00  \nwithout gamma: -12.50    LRT = 5.00    "
      "  crit. value = 3.8415    Result: " +
      TextsOf(RunLrt(-12.5f, -10.0f, 1, 0.05f)).result;
  const std::string first = std::string(kHeader) + "\n\n*** Gamma test results ***" + gamma;
  const std::string later2 =
      "\n\n\nAnalysis number 2\n---------------\np-value used: 0.050000\n"
      "\n\n*** Gamma test results ***\n------------------" +
      gamma;
};

TEST_F(ReportNumberingTest, AcceptedFileIsEmptiedByItsFirstAnalysis) {
  WriteWholeFile(path, "an older report");
  Calculate();
  EXPECT_EQ(ReadTextFile(path), first);
  EXPECT_EQ(rig.report.m_nAnalysis, 2);
}

TEST_F(ReportNumberingTest, RestartAppendsANewHeaderBlock) {
  Calculate();
  Calculate();
  ASSERT_EQ(ReadTextFile(path), first + later2);
  RestartReportNumbering(rig.report);
  Calculate();
  EXPECT_EQ(ReadTextFile(path), first + later2 + "\n\n\n" + first);
  EXPECT_EQ(rig.report.m_nAnalysis, 2);
  Calculate();
  EXPECT_EQ(ReadTextFile(path), first + later2 + "\n\n\n" + first + later2);
}

TEST_F(ReportNumberingTest, RestartOnAMissingOrEmptyFileStartsItWithoutBlankLines) {
  Calculate();
  for (bool remove : {true, false}) {
    SCOPED_TRACE(remove ? "file removed" : "file emptied");
    if (remove) {
      std::filesystem::remove(path);
    } else {
      WriteWholeFile(path, "");
    }
    RestartReportNumbering(rig.report);
    Calculate();
    EXPECT_EQ(ReadTextFile(path), first);
  }
}

// A script added to the report after the window's last analysis: the window's next one does not
// land under the script's header (its comment, its folder), but opens a block of its own, its
// number going on; after that it continues its own block again.
TEST_F(ReportNumberingTest, AnotherWritersBlockIsNotContinued) {
  Calculate();
  const std::string script = "Quillet v. 2.0 (see help file for details)\nby a script";
  ASSERT_EQ(WriteReport(path, script, {false, true, "", nullptr}), std::nullopt);
  Calculate();
  Calculate();
  const std::string second = first;
  const std::string numbered2 =
      second.substr(0, second.find("Analysis number 1 ")) + "Analysis number 2 " +
      second.substr(second.find("Analysis number 1 ") + std::string("Analysis number 1 ").size());
  const std::string later3 =
      "\n\n\nAnalysis number 3\n---------------\np-value used: 0.050000\n"
      "\n\n*** Gamma test results ***\n------------------" +
      gamma;
  EXPECT_EQ(ReadTextFile(path), first + "\n\n\n" + script + "\n\n\n" + numbered2 + later3);
  EXPECT_EQ(rig.report.m_nAnalysis, 4);
}

TEST_F(ReportNumberingTest, SameFileAcceptedAgainIsEmptiedAgain) {
  Calculate();
  Calculate();
  rig.host.askAnswers.push_back(1);  // replace what the file holds
  rig.ChooseReportFile(path, "C");
  EXPECT_EQ(rig.report.m_nAnalysis, 1);
  Calculate();
  EXPECT_EQ(ReadTextFile(path), first);
}

TEST_F(ReportNumberingTest, RestartBeforeTheFirstWriteStillEmptiesTheAcceptedFile) {
  WriteWholeFile(path, "an older report");
  RestartReportNumbering(rig.report);
  Calculate();
  EXPECT_EQ(ReadTextFile(path), first);
}

// A report that cannot be opened or written: the calculation completes and its results are
// shown, then one box names the file and the system's reason. The analysis did not reach the
// file, so its number is not used up: the next try is again the file's first analysis.
TEST(ReportFailureTest, TheUserIsToldAfterTheResultsAreShown) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder");
  struct Row {
    const char* name;
    std::string path;
    int error;
  };
  std::vector<Row> rows = {
      {"missing folder", dir.File("no such folder/r.txt"), ENOENT},
      {"path is a folder", dir.File("folder"), EISDIR},
  };
  if (std::filesystem::exists("/dev/full")) rows.push_back({"disk full", "/dev/full", ENOSPC});

  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CommandRig rig;
    rig.ChooseReportFile(row.path, "C");
    AnalysisForm& f = rig.form;
    f.m_bSaveWork = 1;
    f.m_bTestGamma = 1;
    f.m_fLnLGamma = -10.0f;
    f.m_fLnLNoGamma = -12.5f;
    for (int analysis : {1, 2}) {
      SCOPED_TRACE(analysis == 1 ? "first analysis" : "later analysis");
      rig.Show();
      rig.window.messages.clear();
      std::string lrtShownAtMessage;
      rig.window.onMessageBox = [&](const FakeWindow::Message&) {
        lrtShownAtMessage = rig.window.GetControlText(ids::kGammaLrt);
      };
      OnCalculate(f, rig.report, rig.ctx);

      ASSERT_EQ(rig.window.messages.size(), 1u);
      const FakeWindow::Message& message = rig.window.messages[0];
      EXPECT_EQ(message.caption, kReportNotWrittenCaption);
      EXPECT_NE(message.text.find(row.path), std::string::npos) << message.text;
#if defined(_WIN32)
      // Windows gives its own words for the reason; there must be some.
      EXPECT_LT(message.text.find("\n\n") + 2, message.text.size()) << message.text;
#else
      EXPECT_NE(message.text.find(std::strerror(row.error)), std::string::npos) << message.text;
#endif
      EXPECT_EQ(lrtShownAtMessage, "5.00");
      EXPECT_EQ(rig.report.m_nAnalysis, 1);
    }
  }
}

// Once the file can be written, it starts with its header and analysis number 1, whatever
// failed before: a missing folder created later, a new file replaced after a failed first try.
TEST(ReportFailureTest, TheFirstAnalysisThatReachesTheFileBringsTheHeader) {
  TempDir dir;
  const std::string path = dir.File("later/r.txt");
  CommandRig rig;
  rig.report.m_szStartDir = "/d";
  rig.ChooseReportFile(path, "C");
  AnalysisForm& f = rig.form;
  f.m_bSaveWork = 1;
  f.m_bTestGamma = 1;
  f.m_fLnLGamma = -10.0f;
  f.m_fLnLNoGamma = -12.5f;
  for (int attempt = 0; attempt < 2; ++attempt) {
    rig.Show();
    OnCalculate(f, rig.report, rig.ctx);
  }
  ASSERT_FALSE(std::filesystem::exists(path));
  std::filesystem::create_directory(dir.path() / "later");
  rig.window.messages.clear();
  rig.Show();
  OnCalculate(f, rig.report, rig.ctx);
  EXPECT_TRUE(rig.window.messages.empty());
  const std::string report = ReadTextFile(path);
  EXPECT_EQ(report.rfind(kHeader, 0), 0u) << report;
  EXPECT_EQ(rig.report.m_nAnalysis, 2);
}

}  // namespace
}  // namespace quillet
