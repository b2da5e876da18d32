#include "ui/save_report.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/control_ids.h"
#include "stats/lrt.h"
#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/file_name.h"

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

// What a later analysis numbered 3 writes before its sections.
constexpr char kLaterStart[] = "\n\n\nAnalysis number 3\n---------------\np-value used: 0.050000\n";

struct SectionCase {
  const char* name;
  std::function<void(AnalysisForm&)> setup;
  const char* firstBody;  // written after the header of a first analysis
  const char* laterBody;  // written after the start of a later analysis; null: as firstBody
};

void PrintTo(const SectionCase& c, std::ostream* os) { *os << c.name; }

// Gives each compared model recognisable texts: "L<name>", "C<name>", "R<name>".
void MarkTexts(AnalysisForm& f) {
  f.m_strLrtTrN = "LTrN", f.m_strCritTrN = "CTrN", f.m_strResultTrN = "RTrN";
  f.m_strLrtHKY85 = "LHKY", f.m_strCritHKY85 = "CHKY", f.m_strResultHKY85 = "RHKY";
  f.m_strLrtF81 = "LF81", f.m_strCritF81 = "CF81", f.m_strResultF81 = "RF81";
  f.m_strLrtK2P = "LK2P", f.m_strCritK2P = "CK2P", f.m_strResultK2P = "RK2P";
  f.m_strLrtJC = "LJC", f.m_strCritJC = "CJC", f.m_strResultJC = "RJC";
  f.m_fLnLGTR = -1.0f;
  f.m_fLnLTrN = -2.0f;
  f.m_fLnLHKY85 = -3.0f;
  f.m_fLnLF81 = -4.0f;
  f.m_fLnLK2P = -5.0f;
  f.m_fLnLJC = -6.0f;
}

void Clock(AnalysisForm& f, float noClock, float clock) {
  f.m_bTestClock = 1;
  f.m_nTaxa = 7;
  f.m_fLnLNoClock = noClock;
  f.m_fLnLClock = clock;
  f.m_strClockLrt = "1.5";
  f.m_strClockCrit = "2.25";
  f.m_strClockResult = "verdict";
}

void Gamma(AnalysisForm& f) {
  f.m_bTestGamma = 1;
  f.m_fLnLGamma = -10.0f;
  f.m_fLnLNoGamma = -12.5f;
  f.m_strGammaLrt = "5.00";
  f.m_strGammaCrit = "3.8415";
  f.m_strGammaResult = "Rejected      (p 0.025347)";
}

class SectionTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(SectionTest, FirstAnalysis) {
  const SectionCase& c = GetParam();
  TempDir dir;
  CommandRig rig;
  rig.report.m_szStartDir = "/d";
  rig.ChooseReportFile(dir.File("r.txt"), "C");
  rig.form.m_bSaveWork = 1;
  c.setup(rig.form);
  EXPECT_EQ(SaveReport(rig.form, rig.report, rig.ctx), std::nullopt);
  EXPECT_EQ(ReadTextFile(dir.File("r.txt")), std::string(kHeader) + c.firstBody);
}

TEST_P(SectionTest, LaterAnalysis) {
  const SectionCase& c = GetParam();
  TempDir dir;
  CommandRig rig;
  rig.ChooseReportFile(dir.File("r.txt"), "C");
  WriteWholeFile(dir.File("r.txt"), "before");
  rig.form.m_bSaveWork = 1;
  rig.report.m_nAnalysis = 3;
  c.setup(rig.form);
  EXPECT_EQ(SaveReport(rig.form, rig.report, rig.ctx), std::nullopt);
  EXPECT_EQ(ReadTextFile(dir.File("r.txt")),
            std::string("before") + kLaterStart + (c.laterBody ? c.laterBody : c.firstBody));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SectionTest,
    ::testing::Values(
        SectionCase{"NothingTicked", [](AnalysisForm&) {}, "", nullptr},
        SectionCase{"ClockWithMissingValue",
                    [](AnalysisForm& f) {
                      Clock(f, -1, -2);
                      f.m_bClockValid = 0;
                    },
                    "", nullptr},
        SectionCase{"GammaWithMissingValue",
                    [](AnalysisForm& f) {
                      Gamma(f);
                      f.m_bGammaValid = 0;
                    },
                    "", nullptr},
        SectionCase{"ValidButNotTicked",
                    [](AnalysisForm& f) {
                      Clock(f, -1, -2);
                      Gamma(f);
                      f.m_bTestClock = f.m_bTestGamma = 0;
                    },
                    "", nullptr},
        SectionCase{"ClockPadsSevenCharactersAndKeepsNine",
                    [](AnalysisForm& f) { Clock(f, -123.45f, -12345.68f); },
                    "\n\n*** Clock test results ***\n\nNumber of taxa: 7"
                    "\nwithout clock: -123.45 \nwith clock:    -12345.68"
                    "  LRT = 1.5       crit. value = 2.25      Result: verdict",
                    nullptr},
        SectionCase{"GammaHasItsDashLineOnlyWhenLater", [](AnalysisForm& f) { Gamma(f); },
                    "\n\n*** Gamma test results ***"
                    "\n\nwith gamma:    -10.00  \nwithout gamma: -12.50  "
                    "  LRT = 5.00      crit. value = 3.8415    Result: Rejected      (p 0.025347)",
                    "\n\n*** Gamma test results ***\n------------------"
                    "\n\nwith gamma:    -10.00  \nwithout gamma: -12.50  "
                    "  LRT = 5.00      crit. value = 3.8415    Result: Rejected      (p 0.025347)"},
        SectionCase{"OnlyJCSelected",
                    [](AnalysisForm& f) {
                      f.m_bTestModels = 1;
                      f.m_bJC = 1;
                    },
                    "\n\n*** Model test results ***",
                    "\n\n*** Model test results ***\n------------------\n"},
        SectionCase{"NoModelSelected", [](AnalysisForm& f) { f.m_bTestModels = 1; },
                    "\n\n*** Model test results ***",
                    "\n\n*** Model test results ***\n------------------\n"},
        SectionCase{"ModelsSelectedButTestNotTicked",
                    [](AnalysisForm& f) {
                      MarkTexts(f);
                      f.m_bGTR = f.m_bJC = 1;
                    },
                    "", nullptr},
        SectionCase{"OnlyGTRWithBothExtras",
                    [](AnalysisForm& f) {
                      MarkTexts(f);
                      f.m_bTestModels = f.m_bGTR = f.m_bGammaGTR = f.m_bInvarGTR = 1;
                    },
                    "\n\n*** Model test results ***"
                    "\nGTR   lnL = -1.00     with gamma       with invariants",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nGTR   lnL = -1.00     with gamma       with invariants"},
        SectionCase{"RowsInFixedOrderAfterTheReference",
                    [](AnalysisForm& f) {
                      MarkTexts(f);
                      f.m_bTestModels = 1;
                      f.m_bTrN = f.m_bF81 = f.m_bK2P = f.m_bJC = 1;
                      f.m_bInvarTrN = f.m_bGammaK2P = f.m_bInvarJC = f.m_bGammaJC = 1;
                      f.m_bGammaGTR = 1;  // not selected: no row, no remark
                    },
                    "\n\n*** Model test results ***"
                    "\nTrN   lnL = -2.00     with invariants"
                    "\nF81   lnL = -4.00     LRT = LF81      crit. value = CF81      Result: RF81"
                    "\nK2P   lnL = -5.00     LRT = LK2P      crit. value = CK2P      Result: RK2P"
                    "  with gamma     "
                    "\nJC    lnL = -6.00     LRT = LJC       crit. value = CJC       Result: RJC"
                    "  with gamma       with invariants",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nTrN   lnL = -2.00     with invariants"
                    "\nF81   lnL = -4.00     LRT = LF81      crit. value = CF81      Result: RF81"
                    "\nK2P   lnL = -5.00     LRT = LK2P      crit. value = CK2P      Result: RK2P"
                    "  with gamma     "
                    "\nJC    lnL = -6.00     LRT = LJC       crit. value = CJC       Result: RJC"
                    "  with gamma       with invariants"},
        SectionCase{"F81ReferenceWithK2PHasNoNote",
                    [](AnalysisForm& f) {
                      MarkTexts(f);
                      f.m_bTestModels = f.m_bF81 = f.m_bK2P = 1;
                    },
                    "\n\n*** Model test results ***"
                    "\nF81   lnL = -4.00   "
                    "\nK2P   lnL = -5.00     LRT = LK2P      crit. value = CK2P      Result: RK2P",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nF81   lnL = -4.00   "
                    "\nK2P   lnL = -5.00     LRT = LK2P      crit. value = CK2P      Result: RK2P"},
        SectionCase{
            "LongResultTextsTakeTheirRoom",
            [](AnalysisForm& f) {
              MarkTexts(f);
              f.m_bTestModels = f.m_bK2P = f.m_bJC = 1;
              f.m_strLrtJC = "123456789";
              f.m_strCritJC = "12345678";
            },
            "\n\n*** Model test results ***"
            "\nK2P   lnL = -5.00   "
            "\nJC    lnL = -6.00     LRT = 123456789  crit. value = 12345678  Result: RJC",
            "\n\n*** Model test results ***\n------------------\n"
            "\nK2P   lnL = -5.00   "
            "\nJC    lnL = -6.00     LRT = 123456789  crit. value = 12345678  Result: RJC"}),
    [](const ::testing::TestParamInfo<SectionCase>& info) { return info.param.name; });

TEST(SaveReportTest, TinyPValueIsWrittenAsSixZeros) {
  TempDir dir;
  CommandRig rig;
  rig.ChooseReportFile(dir.File("r.txt"), "");
  rig.form.m_bSaveWork = 1;
  rig.form.m_fPValue = 0.0000001f;
  SaveReport(rig.form, rig.report, rig.ctx);
  EXPECT_NE(ReadTextFile(dir.File("r.txt")).find("\np-value used: 0.000000\n"), std::string::npos);
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
    SaveReport(rig.form, rig.report, rig.ctx);
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
  SaveReport(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_strComments, "C");
  rig.report.m_nAnalysis = 2;
  rig.report.m_dlgComments.m_strComments = "changed";
  SaveReport(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_strComments, "C");
}

TEST(SaveReportTest, SavingOffWritesAndShowsNothing) {
  TempDir dir;
  CommandRig rig;
  rig.ChooseReportFile(dir.File("r.txt"), "C");
  rig.form.m_bSaveWork = 0;
  EXPECT_EQ(SaveReport(rig.form, rig.report, rig.ctx), std::nullopt);
  rig.form.m_bSaveWork = 2;  // only exactly 1 means ticked
  EXPECT_EQ(SaveReport(rig.form, rig.report, rig.ctx), std::nullopt);
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
      RunLrt(-12.5f, -10.0f, 1, 0.05f).resultText;
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
