// The window and quillet-lrt write the same report bytes for the same typed values, comment
// and start-up folder.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/classic_model.h"
#include "analysis/control_ids.h"
#include "cli/lrt_command.h"
#include "support/command_rig.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/file_name.h"
#include "ui/save_report.h"

namespace quillet {
namespace {

using testing::CommandRig;
using testing::ReadWholeFile;
using testing::TempDir;

struct Typed {
  const char* name;
  const char* p;
  std::optional<std::vector<const char*>> clock;            // with, without, taxa
  std::optional<std::vector<const char*>> gamma;            // with, without
  std::vector<std::pair<const char*, const char*>> models;  // canonical name, ln L
  const char* comment;
  const char* startDir;
};

int LnLControl(Model m) {
  switch (m) {
    case Model::JC:
      return ids::kLnLJC;
    case Model::K2P:
      return ids::kLnLK2P;
    case Model::F81:
      return ids::kLnLF81;
    case Model::HKY85:
      return ids::kLnLHKY85;
    case Model::TrN:
      return ids::kLnLTrN;
    case Model::GTR:
      break;
  }
  return ids::kLnLGTR;
}

// The window's model row controls: selected, gamma and invariants boxes, found from the ln L
// field's position in the grid (boxes 1003-1008, gamma 1015-1020, invar 1022-1027).
void TickRow(testing::FakeWindow& window, const ClassicModel& model) {
  const int row = LnLControl(model.base) - ids::kLnLJC;
  window.SetCheck(ids::kJC + row, 1);
  window.SetCheck(ids::kGammaJC + row, model.gamma ? 1 : 0);
  window.SetCheck(ids::kInvarJC + row, model.invariants ? 1 : 0);
}

// Types the values into the main window, chooses the report file with the comment and presses
// Calculate, with saving on. `append`: the file already holds a report and the user adds to it.
void WithTheWindow(const Typed& t, const std::string& path, bool append) {
  CommandRig rig;
  rig.report.m_szStartDir = t.startDir;
  rig.form.m_bSaveWork = 1;
  rig.Show();
  rig.host.saveAsAnswers.push_back(path);
  if (append) rig.host.askAnswers.push_back(0);
  rig.host.dialogSteps.push_back(
      testing::TypeAndPress(CCommentsDlg::kIdComments, t.comment, CCommentsDlg::kIdOkButton));
  OnFileName(rig.form, rig.report, rig.ctx);

  rig.window.SetControlText(ids::kPValue, t.p);
  rig.window.SetCheck(ids::kTestClock, t.clock ? 1 : 0);
  if (t.clock) {
    rig.window.SetControlText(ids::kLnLClock, (*t.clock)[0]);
    rig.window.SetControlText(ids::kLnLNoClock, (*t.clock)[1]);
    rig.window.SetControlText(ids::kTaxa, (*t.clock)[2]);
  }
  rig.window.SetCheck(ids::kTestGamma, t.gamma ? 1 : 0);
  if (t.gamma) {
    rig.window.SetControlText(ids::kLnLGamma, (*t.gamma)[0]);
    rig.window.SetControlText(ids::kLnLNoGamma, (*t.gamma)[1]);
  }
  rig.window.SetCheck(ids::kTestModels, t.models.empty() ? 0 : 1);
  for (const auto& [name, lnL] : t.models) {
    const ClassicModel model = *ParseCanonicalName(name);
    TickRow(rig.window, model);
    rig.window.SetControlText(LnLControl(model.base), lnL);
  }
  OnCalculate(rig.form, rig.report, rig.ctx);
}

void WithTheCommandLine(const Typed& t, const std::string& path) {
  std::vector<std::string> args = {"-p", t.p, "--report", path, "--comment", t.comment};
  if (t.clock) {
    args.insert(args.end(), {"--clock", std::string((*t.clock)[0]) + "," + (*t.clock)[1], "--taxa",
                             (*t.clock)[2]});
  }
  if (t.gamma) {
    args.insert(args.end(), {"--gamma", std::string((*t.gamma)[0]) + "," + (*t.gamma)[1]});
  }
  for (const auto& [name, lnL] : t.models) {
    args.insert(args.end(), {"--model", std::string(name) + "=" + lnL});
  }
  std::ostringstream out, err;
  testing::FixedClock clock(testing::MakeTime(2000, 11, 14, 9, 5, 3, 2));
  const std::string dir = t.startDir;
  cli::LrtEnvironment env{out, err, clock, [dir] { return dir; }};
  cli::LrtMain(args, env);
}

const Typed kForms[] = {
    {"WorkedExampleFirst",
     "0.05",
     std::vector<const char*>{"-3062.80", "-3050.25", "12"},
     std::nullopt,
     {{"GTR+G", "-3040.10"}, {"HKY85+G", "-3045.55"}, {"K2P", "-3050.20"}},
     "Primate cytb alignment, 12 taxa",
     "/work/primates"},
    {"WorkedExampleSecondAsAFirst",
     "0.01",
     std::nullopt,
     std::vector<const char*>{"-3040.10", "-3044.35"},
     {{"TrN+I", "-3046.00"}, {"HKY85+I", "-3046.90"}, {"JC", "-3058.75"}},
     "",
     "/work/primates"},
    {"F81AgainstK2PWithNote",
     "0.05",
     std::nullopt,
     std::nullopt,
     {{"F81+I+G", "-1011"}, {"K2P", "-1020.5"}, {"JC+G", "-1030.75"}},
     "50% of sites\nsecond line",
     "/home/a user/runs"},
    {"AllSixWithAModelLeftOut",
     "0.001",
     std::vector<const char*>{"-12062.8", "-12050.2", "40"},
     std::vector<const char*>{"-12040.1", "-12044.4"},
     {{"GTR+I+G", "-12040.1"},
      {"TrN", "-12046"},
      {"HKY85+G", "0"},
      {"F81+I", "-12048.7"},
      {"K2P", "-12050.2"},
      {"JC", "-12058.8"}},
     "%s %d",
     "C:\\Users\\me"},
    {"LongNumbersAndExponents",
     "5e-2",
     std::vector<const char*>{"-123456.789", "-1.2345e4", "2147483647"},
     std::nullopt,
     {{"GTR", "-99999.5"}, {"JC", "-100200.25"}},
     "",
     ""},
};

void PrintTo(const Typed& t, std::ostream* os) { *os << t.name; }

class SameReportTest : public ::testing::TestWithParam<Typed> {};

TEST_P(SameReportTest, WindowAndCommandLineWriteTheSameBytes) {
  const Typed& t = GetParam();
  for (bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "file holding a report" : "new file");
    TempDir dir;
    const std::string fromWindow = dir.File("window.txt");
    const std::string fromCli = dir.File("cli.txt");
    if (existing) {
      testing::WriteWholeFile(fromWindow, "an earlier report");
      testing::WriteWholeFile(fromCli, "an earlier report");
    }
    WithTheWindow(t, fromWindow, existing);
    WithTheCommandLine(t, fromCli);
    const std::string expected = ReadWholeFile(fromWindow);
    EXPECT_NE(testing::ReadTextFile(fromWindow).find("Analysis number 1 \n"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(fromCli), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, SameReportTest, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
