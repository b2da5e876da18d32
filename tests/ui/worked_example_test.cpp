// The report of two analyses that the program's documentation works through, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/file_name.h"
#include "ui/form_data.h"
#include "ui/save_report.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::TempDir;

// Lines 9, 21 and 22 end with blanks (one, five and five); line 42 has no line feed.
constexpr char kWorkedExample[] = R"(Quillet v. 2.0 (see help file for details)
-------------------------------------------

Analyses done: Tue Nov 14 09:05:03 2000


Primate cytb alignment, 12 taxa/work/primates

Analysis number 1 
---------------
p-value used: 0.050000


*** Clock test results ***

Number of taxa: 12
without clock: -3050.25
with clock:    -3062.80  LRT = 25.10     crit. value = 18.3072   Result: Rejected      (p 0.005159)

*** Model test results ***
GTR   lnL = -3040.10  with gamma     
HKY85 lnL = -3045.55  LRT = 10.90     crit. value = 9.4876    Result: Rejected      (p 0.027713)  with gamma     
K2P   lnL = -3050.20  LRT = 20.20     crit. value = 15.5073   Result: Rejected      (p 0.009607)


Analysis number 2
---------------
p-value used: 0.010000


*** Gamma test results ***
------------------

with gamma:    -3040.10
without gamma: -3044.35  LRT = 8.50      crit. value = 6.6350    Result: Rejected      (p 0.003552)

*** Model test results ***
------------------

TrN   lnL = -3046.00  with invariants
HKY85 lnL = -3046.90  LRT = 1.80      crit. value = 6.6350    Result: NOT rejected  (p 0.179736)  with invariants
JC    lnL = -3058.75  LRT = 25.50     crit. value = 16.8117   Result: Rejected      (p 0.000276))";

TEST(WorkedExampleTest, TheLiteralIsIntact) {
  std::string text = kWorkedExample;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 41);  // 42 lines, no final line feed
  EXPECT_NE(text.find("Analysis number 1 \n"), std::string::npos);
  EXPECT_NE(text.find("-3040.10  with gamma     \n"), std::string::npos);
  EXPECT_NE(text.find("(p 0.027713)  with gamma     \n"), std::string::npos);
}

void FirstAnalysisEntries(AnalysisForm& f) {
  f.m_bSaveWork = 1;
  f.m_fPValue = 0.05f;
  f.m_bTestClock = 1;
  f.m_nTaxa = 12;
  f.m_fLnLNoClock = -3050.25f;
  f.m_fLnLClock = -3062.80f;
  f.m_bTestModels = 1;
  f[Model::GTR].m_bSelected = f[Model::HKY85].m_bSelected = f[Model::K2P].m_bSelected = 1;
  f[Model::GTR].m_bGamma = f[Model::HKY85].m_bGamma = 1;
  f[Model::GTR].m_fLnL = -3040.10f;
  f[Model::HKY85].m_fLnL = -3045.55f;
  f[Model::K2P].m_fLnL = -3050.20f;
}

void SecondAnalysisEntries(AnalysisForm& f) {
  f.m_fPValue = 0.01f;
  f.m_bTestClock = 0;
  f.m_bTestGamma = 1;
  f.m_fLnLGamma = -3040.10f;
  f.m_fLnLNoGamma = -3044.35f;
  f[Model::GTR].m_bSelected = f[Model::K2P].m_bSelected = 0;
  f[Model::GTR].m_bGamma = f[Model::HKY85].m_bGamma = 0;
  f[Model::TrN].m_bSelected = f[Model::HKY85].m_bSelected = f[Model::JC].m_bSelected = 1;
  f[Model::TrN].m_bInvar = f[Model::HKY85].m_bInvar = 1;
  f[Model::TrN].m_fLnL = -3046.00f;
  f[Model::HKY85].m_fLnL = -3046.90f;
  f[Model::JC].m_fLnL = -3058.75f;
}

// The documented numbers of one test, which print as the documented texts.
LrtOutcome Documented(float statistic, int df, float critical, float p, bool rejected) {
  LrtOutcome o;
  o.statistic = statistic;
  o.df = df;
  o.critical = critical;
  o.pValue = p;
  o.rejected = rejected;
  return o;
}

// The writer alone, given the results as documented.
TEST(WorkedExampleTest, ReportWriterReproducesTheFile) {
  TempDir dir;
  const std::string path = dir.File("primates.txt");
  testing::WriteWholeFile(path, "an earlier report that the first analysis replaces");
  CommandRig rig;
  rig.report.m_szStartDir = "/work/primates";
  rig.host.askAnswers.push_back(1);  // replace what the file holds
  rig.ChooseReportFile(path, "Primate cytb alignment, 12 taxa");

  AnalysisForm& f = rig.form;
  FirstAnalysisEntries(f);
  AnalysisResult first;
  first.clock = Documented(25.10f, 10, 18.3072f, 0.005159f, true);
  first.models.reference = Model::GTR;
  first.models.referenceLnL = -3040.10f;
  first.models.compared = {
      {Model::HKY85, -3045.55f, Documented(10.90f, 4, 9.4876f, 0.027713f, true)},
      {Model::K2P, -3050.20f, Documented(20.20f, 8, 15.5073f, 0.009607f, true)}};
  EXPECT_EQ(SaveReport(InputFromForm(f), first, TextsOf(first), f, rig.report, rig.ctx),
            std::nullopt);
  rig.report.m_nAnalysis = 2;

  SecondAnalysisEntries(f);
  AnalysisResult second;
  second.gamma = Documented(8.50f, 1, 6.6350f, 0.003552f, true);
  second.models.reference = Model::TrN;
  second.models.referenceLnL = -3046.00f;
  second.models.compared = {
      {Model::HKY85, -3046.90f, Documented(1.80f, 1, 6.6350f, 0.179736f, false)},
      {Model::JC, -3058.75f, Documented(25.50f, 6, 16.8117f, 0.000276f, true)}};
  EXPECT_EQ(SaveReport(InputFromForm(f), second, TextsOf(second), f, rig.report, rig.ctx),
            std::nullopt);

  EXPECT_EQ(testing::ReadTextFile(path), kWorkedExample);
  EXPECT_EQ(rig.report.m_strSavePath, path);
  EXPECT_EQ(rig.report.m_strComments, "Primate cytb alignment, 12 taxa");
  EXPECT_TRUE(rig.window.messages.empty());
}

// The whole way: entries typed in the window, two presses of Calculate.
TEST(WorkedExampleTest, TwoCalculationsReproduceTheFile) {
  TempDir dir;
  const std::string path = dir.File("primates.txt");
  CommandRig rig;
  rig.report.m_szStartDir = "/work/primates";
  rig.ChooseReportFile(path, "Primate cytb alignment, 12 taxa");

  FirstAnalysisEntries(rig.form);
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_nAnalysis, 2);

  SecondAnalysisEntries(rig.form);
  rig.Show();
  OnCalculate(rig.form, rig.report, rig.ctx);
  EXPECT_EQ(rig.report.m_nAnalysis, 3);

  EXPECT_EQ(testing::ReadTextFile(path), kWorkedExample);
  EXPECT_TRUE(rig.window.messages.empty());
}

}  // namespace
}  // namespace quillet
