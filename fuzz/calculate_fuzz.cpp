// Whole calculations: a script of things a user does to the main window (ticks, typing, any
// text at all in the edits, choosing the report file, Clear All) with the Calculate command
// after them, saving on or off and the report in a temporary folder. After every command the
// messages came in the command's order, the window shows the form, the analysis number moved
// as it should, and the report file holds exactly a header and well-formed analyses.
//
// Input: lines of text, each a step.
//   c<id><state>   set check box <id> (4 digits) to <state> (one digit)
//   e<id> <text>   type <text> into edit <id> (4 digits); "\n" in the text is a line break
//   m<text>        the comment in the comments dialog ("\n" as above)
//   d<text>        the start-up directory
//   s<save><ok>    how the user answers the save setup from now on: <save> 0 cancels the Save As
//                  dialog, 1 picks the report file, 2 picks a file in a folder that does not
//                  exist; <ok> 0 cancels the comments dialog, 1 presses OK
//   C              the Calculate command
//   F              the File Name command
//   R              Clear All as far as the report is concerned (numbering restarts)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_form.h"
#include "ui/calculate.h"
#include "analysis/compare_models.h"
#include "analysis/control_ids.h"
#include "analysis/models.h"
#include "fuzz_check.h"
#include "platform/data_exchange.h"
#include "platform/format.h"
#include "ui/file_name.h"
#include "ui/save_report.h"
#include "stats/lrt.h"
#include "support/fake_window.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

namespace quillet::fuzz {
namespace {

using quillet::testing::FakeWindow;
using quillet::testing::FixedClock;
using quillet::testing::MakeTime;
using quillet::testing::ReadWholeFile;
using quillet::testing::TempDir;

constexpr int kMaxCommands = 8;
constexpr int kMaxSteps = 64;

const std::vector<int>& CheckIds() {
  using namespace ids;
  static const std::vector<int> v = {
      kTestClock, kTestModels, kTestGamma,  kSaveWork, kF81,        kGTR,     kHKY85,    kJC,
      kK2P,       kTrN,        kGammaF81,   kGammaGTR, kGammaHKY85, kGammaJC, kGammaK2P, kGammaTrN,
      kInvarF81,  kInvarGTR,   kInvarHKY85, kInvarJC,  kInvarK2P,   kInvarTrN};
  return v;
}

// Edits, and the static result texts: the user cannot type into those, but whatever they
// hold must never reach the report as a result of this calculation.
const std::vector<int>& TextIds() {
  using namespace ids;
  static const std::vector<int> v = {
      kPValue,      kLnLF81,   kLnLGTR,     kLnLHKY85,    kLnLJC,      kLnLK2P,   kLnLTrN,
      kTaxa,        kLnLClock, kLnLNoClock, kLnLGamma,    kLnLNoGamma, kClockLrt, kClockCrit,
      kClockResult, kGammaLrt, kGammaCrit,  kGammaResult, kLrtJC,      kCritK2P,  kResultHKY85};
  return v;
}

class FuzzHost : public ModalHost {
 public:
  std::optional<std::string> saveAsAnswer;
  int commentsAnswer = kIdOk;
  int DoModal(Dialog&) override { return commentsAnswer; }
  std::optional<std::string> RunSaveAs(const SaveAsSettings&, const std::string&) override {
    return saveAsAnswer;
  }
};

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

int Wrapping(int value, int delta) {
  return static_cast<int>(static_cast<unsigned>(value) + static_cast<unsigned>(delta));
}

bool Missing(float v) { return !(v < 0.0f || v > 0.0f); }

bool HasF81Reference(const AnalysisForm& f) {
  return f.m_bF81 == 1 && f.m_bGTR != 1 && f.m_bTrN != 1 && f.m_bHKY85 != 1;
}

// The report as its format table describes it, written here a second time from the form.
std::string ExpectedAnalysis(AnalysisForm& f, int number, bool first) {
  std::string out;
  if (first) {
    out += "Quillet v. 2.0 (see help file for details)\n";
    out += "-------------------------------------------\n\n";
    out += "Analyses done: Tue Nov 14 09:05:03 2000\n\n\n";
    out += f.m_dlgComments.m_strComments;
    out += f.m_szStartDir;
    out += "\n\nAnalysis number " + std::to_string(number) + " \n";
  } else {
    out += "\n\n\nAnalysis number " + std::to_string(number) + "\n";
  }
  out += "---------------\n";
  out += "p-value used: " + FormatFixed(f.m_fPValue, 6) + "\n";
  auto lnL = [](float v) { return FormatFixedLeft(v, 2, 8); };
  auto texts = [](const std::string& lrt, const std::string& crit, const std::string& result) {
    return "  LRT = " + PadRight(lrt, 8) + "  crit. value = " + PadRight(crit, 8) +
           "  Result: " + result;
  };
  if (f.m_bTestClock == 1 && f.m_bClockValid == 1) {
    out += "\n\n*** Clock test results ***\n\nNumber of taxa: " + std::to_string(f.m_nTaxa);
    out += "\nwithout clock: " + lnL(f.m_fLnLNoClock);
    out += "\nwith clock:    " + lnL(f.m_fLnLClock);
    out += texts(f.m_strClockLrt, f.m_strClockCrit, f.m_strClockResult);
  }
  if (f.m_bTestGamma == 1 && f.m_bGammaValid == 1) {
    out += "\n\n*** Gamma test results ***";
    if (!first) out += "\n------------------";
    out += "\n\nwith gamma:    " + lnL(f.m_fLnLGamma);
    out += "\nwithout gamma: " + lnL(f.m_fLnLNoGamma);
    out += texts(f.m_strGammaLrt, f.m_strGammaCrit, f.m_strGammaResult);
  }
  if (f.m_bTestModels == 1) {
    out += "\n\n*** Model test results ***";
    if (!first) out += "\n------------------\n";
    struct Row {
      const char* line;
      int selected;
      float lnL;
      int gamma, invar;
      const std::string* lrt;
      const std::string* crit;
      const std::string* result;
    };
    const Row rows[] = {
        {"\nGTR   lnL = ", f.m_bGTR, f.m_fLnLGTR, f.m_bGammaGTR, f.m_bInvarGTR, nullptr, nullptr,
         nullptr},
        {"\nTrN   lnL = ", f.m_bTrN, f.m_fLnLTrN, f.m_bGammaTrN, f.m_bInvarTrN, &f.m_strLrtTrN,
         &f.m_strCritTrN, &f.m_strResultTrN},
        {"\nHKY85 lnL = ", f.m_bHKY85, f.m_fLnLHKY85, f.m_bGammaHKY85, f.m_bInvarHKY85,
         &f.m_strLrtHKY85, &f.m_strCritHKY85, &f.m_strResultHKY85},
        {"\nF81   lnL = ", f.m_bF81, f.m_fLnLF81, f.m_bGammaF81, f.m_bInvarF81, &f.m_strLrtF81,
         &f.m_strCritF81, &f.m_strResultF81},
        {"\nK2P   lnL = ", f.m_bK2P, f.m_fLnLK2P, f.m_bGammaK2P, f.m_bInvarK2P, &f.m_strLrtK2P,
         &f.m_strCritK2P, &f.m_strResultK2P},
        {"\nJC    lnL = ", f.m_bJC, f.m_fLnLJC, f.m_bGammaJC, f.m_bInvarJC, &f.m_strLrtJC,
         &f.m_strCritJC, &f.m_strResultJC},
    };
    bool referenceSeen = false;
    for (int i = 0; i < 6; ++i) {
      const Row& r = rows[i];
      if (r.selected != 1) continue;
      if (!referenceSeen && i == 5) break;  // JC is never the reference
      out += r.line + lnL(r.lnL);
      if (referenceSeen) out += texts(*r.lrt, *r.crit, *r.result);
      referenceSeen = true;
      if (r.gamma == 1) out += "  with gamma     ";
      if (r.invar == 1) out += "  with invariants";
    }
  }
  return out;
}

std::string Join(const std::vector<std::string>& v) {
  std::string out;
  for (const std::string& s : v) out += "[" + s + "] ";
  return out;
}

struct Session {
  explicit Session(const TempDir& dir)
      : goodPath(dir.File("report.txt")), missingPath(dir.File("no such folder/report.txt")) {
    std::error_code ignored;
    std::filesystem::remove(goodPath, ignored);
    form.UpdateData(window, false);
  }

  const std::string goodPath;
  const std::string missingPath;
  AnalysisForm form;
  FakeWindow window;
  FuzzHost host;
  FixedClock clock{MakeTime(2000, 11, 14, 9, 5, 3, 2)};
  CommandContext ctx{window, host, clock};

  // What the report file must hold, and whether the next first analysis empties it.
  std::string expectedReport;
  bool newFile = false;
  std::chrono::nanoseconds slowest{0};

  void FileName() {
    const bool accepted = host.saveAsAnswer.has_value();
    const int before = form.m_nAnalysis;
    const auto start = std::chrono::steady_clock::now();
    OnFileName(form, ctx);
    slowest = std::max(slowest, std::chrono::steady_clock::now() - start);
    if (accepted) {
      Require(form.m_nAnalysis == 1, "choosing a file must restart the numbering");
      newFile = true;
    } else {
      Require(form.m_nAnalysis == before, "a cancelled Save As changed the numbering");
    }
  }

  void Calculate() {
    // What the command will see: the form as the copy from the window leaves it.
    AnalysisForm seen = form;
    FakeWindow probe = window;
    probe.onMessageBox = nullptr;
    probe.messages.clear();
    const bool parsed = seen.UpdateData(probe, true);
    // Copying the form back to the window (which the command does before it tests anything)
    // turns a flag outside 0..2 into 0.
    FakeWindow cleared;
    seen.UpdateData(cleared, false);

    const std::string path = form.m_dlgSave.GetPathName();
    const bool asksForFile = seen.m_bSaveWork == 1 && path.empty();
    const bool writes = seen.m_bSaveWork == 1 && !path.empty();
    const bool accepts = asksForFile && host.saveAsAnswer.has_value();
    const int numberBefore = form.m_nAnalysis;

    std::vector<std::string> expected;
    if (!parsed) expected.push_back(probe.messages.at(0).text);
    if (seen.m_bTestClock == 0 && seen.m_bTestModels == 0 && seen.m_bTestGamma == 0) {
      expected.push_back(kNothingChosenText);
    }
    const bool clockRuns = seen.m_bTestClock == 1 && !Missing(seen.m_fLnLClock) &&
                           !Missing(seen.m_fLnLNoClock) && seen.m_nTaxa != 0;
    const bool gammaRuns =
        seen.m_bTestGamma == 1 && !Missing(seen.m_fLnLGamma) && !Missing(seen.m_fLnLNoGamma);
    if (seen.m_bTestClock == 1 && !clockRuns) expected.push_back(kClockMissingText);
    if (seen.m_bTestGamma == 1 && !gammaRuns) expected.push_back(kGammaMissingText);
    if (seen.m_bTestModels == 1 && HasF81Reference(seen) && seen.m_bK2P == 1) {
      expected.push_back(kF81K2PWarning);
    }
    if (asksForFile) {
      expected.push_back(kNoFileNameText);
      if (accepts) {
        // The save setup reads the window again, which by then shows what the command used.
        AnalysisForm again = seen;
        FakeWindow shown;
        again.UpdateData(shown, false);
        if (!again.UpdateData(shown, true)) expected.push_back(shown.messages.at(0).text);
      }
    }
    const bool writeFails = writes && path == missingPath;

    window.messages.clear();
    const auto start = std::chrono::steady_clock::now();
    OnCalculate(form, ctx);
    slowest = std::max(slowest, std::chrono::steady_clock::now() - start);

    std::vector<std::string> got;
    for (const FakeWindow::Message& m : window.messages) got.push_back(m.text);
    if (std::getenv("QUILLET_FUZZ_TRACE")) {
      std::fprintf(stderr, "Calculate: messages %s\n", Join(got).c_str());
      if (writes) std::fprintf(stderr, "report:\n%s\n", ReadWholeFile(path).c_str());
    }
    if (writeFails) {
      Require(!got.empty() && got.back().rfind("The analysis could not be written", 0) == 0,
              "no message about the report that could not be written: " + Join(got));
      got.pop_back();
    }
    Require(got == expected, "messages " + Join(got) + "expected " + Join(expected));
    for (const FakeWindow::Message& m : window.messages) {
      std::string caption;
      if (m.text == kClockMissingText || m.text == kGammaMissingText) {
        caption = kSomethingIsZeroCaption;
      } else if (m.text == kNoFileNameText) {
        caption = kNoFileNameCaption;
      } else if (writeFails && &m == &window.messages.back()) {
        caption = kReportNotWrittenCaption;
      }
      Require(m.caption == caption, "caption [" + m.caption + "] of " + m.text);
    }

    // The tests that ran have fresh texts; their inputs are those the command saw.
    if (clockRuns) {
      std::string lrt, crit, result;
      EvaluateLrt(seen.m_fLnLNoClock, seen.m_fLnLClock, lrt, crit, result,
                  Wrapping(seen.m_nTaxa, -2), seen.m_fPValue);
      Require(form.m_strClockLrt == lrt && form.m_strClockCrit == crit &&
                  form.m_strClockResult == result && form.m_bClockValid == 1,
              "clock texts are not this run's");
    } else if (seen.m_bTestClock == 1) {
      Require(form.m_bClockValid == 0, "clock test with a missing value still valid");
    }
    if (gammaRuns) {
      std::string lrt, crit, result;
      EvaluateLrt(seen.m_fLnLNoGamma, seen.m_fLnLGamma, lrt, crit, result, 1, seen.m_fPValue);
      Require(form.m_strGammaLrt == lrt && form.m_strGammaCrit == crit &&
                  form.m_strGammaResult == result && form.m_bGammaValid == 1,
              "gamma texts are not this run's");
    } else if (seen.m_bTestGamma == 1) {
      Require(form.m_bGammaValid == 0, "gamma test with a missing value still valid");
    }
    if (seen.m_bTestModels != 1) {
      for (const std::string* t :
           {&form.m_strLrtF81, &form.m_strLrtHKY85, &form.m_strLrtJC, &form.m_strLrtK2P,
            &form.m_strLrtTrN, &form.m_strResultF81, &form.m_strResultJC, &form.m_strResultTrN}) {
        Require(t->empty(), "model texts left from before");
      }
    }

    // The window shows the form.
    FakeWindow shown;
    form.UpdateData(shown, false);
    for (const auto& [id, text] : shown.texts) {
      Require(window.GetControlText(id) == text, "control " + std::to_string(id) + " shows [" +
                                                     window.GetControlText(id) +
                                                     "], the form holds [" + text + "]");
    }
    for (const auto& [id, state] : shown.checks) {
      Require(window.GetCheck(id) == state, "check box " + std::to_string(id) + " out of step");
    }

    // The analysis number and the report.
    if (writes) {
      Require(form.m_nAnalysis == Wrapping(numberBefore, 1), "analysis number did not rise");
      const bool first = numberBefore == 1;
      if (path == goodPath) {
        if (first && newFile) {
          expectedReport.clear();
        } else if (first && !expectedReport.empty()) {
          expectedReport += "\n\n\n";
        }
        expectedReport += ExpectedAnalysis(form, numberBefore, first);
        const std::string report = ReadWholeFile(goodPath);
        Require(report == expectedReport, "report differs:\n---- file ----\n" + report +
                                              "\n---- expected ----\n" + expectedReport + "\n----");
      }
      if (first) newFile = false;
    } else if (accepts) {
      Require(form.m_nAnalysis == 1, "the file chosen during the command must start at 1");
      newFile = true;
    } else {
      Require(form.m_nAnalysis == numberBefore, "analysis number moved without a write");
    }
  }

  void Step(std::string_view line, int& commands) {
    if (line.empty()) return;
    const char op = line[0];
    const std::string_view arg = line.substr(1);
    auto id = [&]() -> std::optional<int> {
      if (arg.size() < 4) return std::nullopt;
      int v = 0;
      for (int i = 0; i < 4; ++i) {
        if (arg[i] < '0' || arg[i] > '9') return std::nullopt;
        v = v * 10 + (arg[i] - '0');
      }
      return v;
    };
    switch (op) {
      case 'c':
        if (auto i = id();
            i && arg.size() >= 5 &&
            std::find(CheckIds().begin(), CheckIds().end(), *i) != CheckIds().end()) {
          window.SetCheck(*i, (arg[4] - '0') & 3);
        }
        break;
      case 'e':
        if (auto i = id();
            i && std::find(TextIds().begin(), TextIds().end(), *i) != TextIds().end()) {
          window.SetControlText(*i, Unescape(arg.substr(std::min<std::size_t>(5, arg.size()))));
        }
        break;
      case 'm':
        form.m_dlgComments.m_strComments = Unescape(arg);
        break;
      case 'd':
        form.m_szStartDir = Unescape(arg.substr(0, 255));
        break;
      case 's': {
        const char save = arg.size() > 0 ? arg[0] : '0';
        host.saveAsAnswer = save == '1'   ? std::optional<std::string>(goodPath)
                            : save == '2' ? std::optional<std::string>(missingPath)
                                          : std::nullopt;
        host.commentsAnswer = arg.size() > 1 && arg[1] == '0' ? kIdCancel : kIdOk;
        break;
      }
      case 'C':
        if (commands++ < kMaxCommands) Calculate();
        break;
      case 'F':
        if (commands++ < kMaxCommands) FileName();
        break;
      case 'R':
        RestartReportNumbering(form);
        break;
      default:
        break;
    }
  }
};

// Runs the whole script once on fresh state; returns the slowest single command.
std::chrono::nanoseconds Run(const TempDir& dir, std::string_view script) {
  Session session(dir);
  int commands = 0;
  int steps = 0;
  while (!script.empty() && steps++ < kMaxSteps) {
    const std::size_t end = script.find('\n');
    session.Step(script.substr(0, end), commands);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
  }
  if (commands == 0) session.Calculate();
  return session.slowest;
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet::fuzz;
  static TempDir dir;
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  auto slowest = Run(dir, script);
  // A slow command is only a hang when it stays slow on a second and third try.
  for (int i = 0; i < 2 && slowest > kHangLimit; ++i) slowest = std::min(slowest, Run(dir, script));
  RequireNoHang(slowest, "a command of this script");
  return 0;
}
