// Whole calculations through the data API. The input is a calculation as a user types it:
//   p <text>                 the significance level
//   clock <with> <without> <taxa>
//   gamma <with> <without>
//   model <NAME> <lnL>       NAME as quillet-lrt takes it (HKY85+G, TrN, ...)
//   comment <text>           "\n" in the text is a line break
//   dir <text>               the start-up folder
// Every number goes through the field parsers. Checked for each calculation:
//  - the refusal, the notices in their order, which tests ran and each test's numbers, against
//    the rules written here a second time;
//  - the report text of the analysis (as a first and as a later analysis) against a second
//    writer of the report format kept here;
//  - the window and quillet-lrt write the same report bytes for the same typed text, to a new
//    file and to one that already holds a report.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analyze.h"
#include "analysis/classic_model.h"
#include "analysis/notices.h"
#include "cli/lrt_command.h"
#include "fuzz_check.h"
#include "platform/float_round.h"
#include "platform/format.h"
#include "platform/parse.h"
#include "report/report_text.h"
#include "stats/lrt.h"
#include "support/fake_window.h"
#include "support/fixed_clock.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"
#include "ui/calculate.h"
#include "ui/comments_dlg.h"
#include "ui/control_ids.h"
#include "ui/file_name.h"
#include "ui/report_session.h"

namespace quillet::fuzz {
namespace {

using testing::FakeWindow;
using testing::ReadWholeFile;
using testing::ScriptedHost;
using testing::TempDir;

// A calculation as typed: texts, each read by the field parsers.
struct Typed {
  std::string p = "0.05";
  std::optional<std::vector<std::string>> clock;  // with, without, taxa
  std::optional<std::vector<std::string>> gamma;  // with, without
  std::map<Model, std::pair<ClassicModel, std::string>> models;
  std::string comment;
  std::string dir;
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

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(line)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

Typed Decode(std::string_view script) {
  Typed t;
  int lines = 0;
  while (!script.empty() && lines++ < 32) {
    const std::size_t end = script.find('\n');
    const std::string_view line = script.substr(0, end);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
    const std::vector<std::string> w = Words(line);
    if (w.empty()) continue;
    if (w[0] == "p" && w.size() == 2) t.p = w[1];
    if (w[0] == "clock" && w.size() == 4)
      t.clock = std::vector<std::string>(w.begin() + 1, w.end());
    if (w[0] == "gamma" && w.size() == 3)
      t.gamma = std::vector<std::string>(w.begin() + 1, w.end());
    if (w[0] == "model" && w.size() == 3) {
      if (std::optional<ClassicModel> m = ParseCanonicalName(w[1])) t.models[m->base] = {*m, w[2]};
    }
    if (line.rfind("comment ", 0) == 0) t.comment = Unescape(line.substr(8));
    if (line.rfind("dir ", 0) == 0) t.dir = Unescape(line.substr(4, 256));
  }
  return t;
}

// The input record, or nothing when a text does not parse as the window would read it.
std::optional<AnalysisInput> InputOf(const Typed& t) {
  AnalysisInput in;
  auto number = [](const std::string& text, double& to) {
    std::optional<double> v = ParseDoubleField(text);
    if (v) to = *v;
    return v.has_value();
  };
  if (!number(t.p, in.pValue)) return std::nullopt;
  if (t.clock) {
    in.testClock = true;
    const std::optional<int> taxa = ParseIntField((*t.clock)[2]);
    if (!taxa || !number((*t.clock)[0], in.lnLClock) || !number((*t.clock)[1], in.lnLNoClock)) {
      return std::nullopt;
    }
    in.taxa = *taxa;
  }
  if (t.gamma) {
    in.testGamma = true;
    if (!number((*t.gamma)[0], in.lnLGamma) || !number((*t.gamma)[1], in.lnLNoGamma)) {
      return std::nullopt;
    }
  }
  in.testModels = !t.models.empty();
  for (const auto& [base, typed] : t.models) {
    ModelEntry& e = in[base];
    e.ticked = true;
    e.gamma = typed.first.gamma;
    e.invariants = typed.first.invariants;
    if (!number(typed.second, e.lnL)) return std::nullopt;
  }
  in.nothingChosen = !in.testClock && !in.testGamma && !in.testModels;
  return in;
}

bool Missing(double v) { return !(v < 0.0 || v > 0.0); }

// A log-likelihood no test can use: above 0, or not a finite number.
bool Meaningless(double v) { return !std::isfinite(v) || v > 0.0; }

int BaseCount(Model m) {
  static const std::map<Model, int> counts = {{Model::JC, 0},    {Model::K2P, 1}, {Model::F81, 3},
                                              {Model::HKY85, 4}, {Model::TrN, 5}, {Model::GTR, 8}};
  return counts.at(m);
}

// `simpler` and `complex` in the order of the test; the more complex fitting worse by a
// printable amount with one degree of freedom or more is told and not rejected. Returns
// whether it was.
bool RequireSame(const LrtOutcome& got, double simpler, double complex, int df, double p,
                 const std::string& what) {
  const float level = RoundToFloat(p);
  LrtOutcome expected = RunLrt(simpler, complex, df, level);
  const bool worse = df >= 1 && complex < simpler && FormatFixed(expected.statistic, 2) != "0.00";
  if (worse) {
    expected.statistic = -expected.statistic;
    expected.rejected = false;
    expected.pValue = 1.0;
  }
  Require(got.complexFitsWorse == worse, what + ": a worse complex fit not marked, or marked");
  const LrtTexts want = TextsOf(expected);
  const LrtTexts texts = TextsOf(got);
  Require(got.df == df && texts.lrt == want.lrt && texts.crit == want.crit &&
              texts.result == want.result,
          what + ": not the test of its values");
  return worse;
}

// The rules of a calculation, written a second time.
// Stands for the notice of a test whose more complex model fits worse, whose wording is not
// checked here.
constexpr char kWorseFit[] = "(a worse complex fit)";

void CheckResult(const AnalysisInput& in, const AnalysisResult& r) {
  bool meaningless = in.testClock && (Meaningless(in.lnLClock) || Meaningless(in.lnLNoClock));
  meaningless = meaningless || (in.testGamma && (Meaningless(in.lnLGamma) ||
                                                  Meaningless(in.lnLNoGamma)));
  for (const ModelEntry& e : in.models) {
    meaningless = meaningless || (in.testModels && e.ticked && Meaningless(e.lnL));
  }
  if (!(in.pValue > 0 && RoundToFloat(in.pValue) < 1) ||
      in.pValue < std::numeric_limits<float>::min() ||
      (in.testClock && in.taxa != 0 && in.taxa < 3) || meaningless) {
    Require(r.refusal.has_value() && r.notices.empty() && !r.clock && !r.gamma &&
                r.models.compared.empty(),
            "a meaningless input was not refused");
    return;
  }
  Require(!r.refusal, "a sound input was refused");
  std::vector<std::string> notices;
  if (in.nothingChosen) notices.push_back(kNothingChosenText);
  const bool clockRuns =
      in.testClock && !Missing(in.lnLClock) && !Missing(in.lnLNoClock) && in.taxa != 0;
  if (in.testClock && !clockRuns) notices.push_back(kClockMissingText);
  Require(clockRuns == r.clock.has_value(), "clock test ran or not against its values");
  // Without the clock is the more complex hypothesis.
  if (clockRuns && RequireSame(*r.clock, in.lnLClock, in.lnLNoClock,
                               static_cast<int>(static_cast<unsigned>(in.taxa) - 2u), in.pValue,
                               "clock")) {
    notices.push_back(kWorseFit);
  }
  const bool gammaRuns = in.testGamma && !Missing(in.lnLGamma) && !Missing(in.lnLNoGamma);
  if (in.testGamma && !gammaRuns) notices.push_back(kGammaMissingText);
  Require(gammaRuns == r.gamma.has_value(), "gamma test ran or not against its values");
  if (gammaRuns && RequireSame(*r.gamma, in.lnLNoGamma, in.lnLGamma, 1, in.pValue, "gamma")) {
    notices.push_back(kWorseFit);
  }

  if (in.testModels) {
    const Model order[] = {Model::GTR, Model::TrN, Model::HKY85, Model::F81, Model::K2P, Model::JC};
    std::string leftOut;
    std::vector<Model> taking;
    for (Model m : order) {
      if (!in[m].ticked) continue;
      if (Missing(in[m].lnL)) {
        leftOut += (leftOut.empty() ? "" : ", ") + std::string(ModelName(m));
      } else {
        taking.push_back(m);
      }
    }
    if (!leftOut.empty()) notices.push_back(kModelMissingText + leftOut + ".");
    if (taking.size() < 2) notices.push_back(kModelsNeedTwoText);
    const std::optional<Model> ref =
        taking.empty() || taking[0] == Model::JC ? std::nullopt : std::optional(taking[0]);
    Require(ref == r.models.reference, "wrong reference");
    std::map<Model, const ModelComparison*> compared;
    for (const ModelComparison& c : r.models.compared) compared[c.model] = &c;
    Require(compared.size() == (ref ? taking.size() - 1 : 0), "wrong number of comparisons");
    if (ref) {
      const ModelEntry& R = in[*ref];
      const int kRef = BaseCount(*ref) + R.gamma + R.invariants;
      if (*ref == Model::F81 && compared.count(Model::K2P)) notices.push_back(kF81K2PWarning);
      for (Model m : taking) {
        if (m == *ref) continue;
        Require(compared.count(m) == 1, std::string(ModelName(m)) + " not compared");
        const ModelEntry& X = in[m];
        const int df =
            static_cast<int>(static_cast<unsigned>(kRef) -
                             static_cast<unsigned>(BaseCount(m) + X.gamma + X.invariants));
        // Each told after its comparison, and after the warning that comes before K2P's.
        if (RequireSame(compared[m]->outcome, X.lnL, R.lnL, df, in.pValue, ModelName(m))) {
          notices.push_back(kWorseFit);
        }
      }
    }
  }
  std::vector<std::string> got;
  for (const Notice& n : r.notices) {
    got.push_back(n.caption == kWorseFitCaption ? std::string(kWorseFit) : n.text);
  }
  Require(got == notices, "notices out of order or wrong");
}

// The report's analysis as its format describes it, written here a second time.
std::string ExpectedAnalysis(const AnalysisInput& in, const AnalysisResult& r, int number,
                             bool first) {
  std::string out = first ? "\n\nAnalysis number " + std::to_string(number) + " \n"
                          : "\n\n\nAnalysis number " + std::to_string(number) + "\n";
  out += "---------------\np-value used: " + FormatFixed(RoundToFloat(in.pValue), 6) + "\n";
  auto lnL = [](double v) { return FormatFixedLeft(v, 2, 8); };
  auto texts = [](const LrtOutcome& o) {
    const LrtTexts t = TextsOf(o);
    return "  LRT = " + PadRight(t.lrt, 8) + "  crit. value = " + PadRight(t.crit, 8) +
           "  Result: " + t.result;
  };
  if (r.clock) {
    out += "\n\n*** Clock test results ***\n\nNumber of taxa: " + std::to_string(in.taxa);
    out += "\nwithout clock: " + lnL(in.lnLNoClock) + "\nwith clock:    " + lnL(in.lnLClock);
    out += texts(*r.clock);
  }
  if (r.gamma) {
    out += "\n\n*** Gamma test results ***";
    if (!first) out += "\n------------------";
    out += "\n\nwith gamma:    " + lnL(in.lnLGamma) + "\nwithout gamma: " + lnL(in.lnLNoGamma);
    out += texts(*r.gamma);
  }
  if (in.testModels) {
    out += "\n\n*** Model test results ***";
    if (!first) out += "\n------------------\n";
    const char* names[] = {"GTR   ", "TrN   ", "HKY85 ", "F81   ", "K2P   ", "JC    "};
    const Model order[] = {Model::GTR, Model::TrN, Model::HKY85, Model::F81, Model::K2P, Model::JC};
    for (int i = 0; i < 6; ++i) {
      const Model m = order[i];
      const ModelEntry& e = in[m];
      const ModelComparison* c = nullptr;
      for (const ModelComparison& x : r.models.compared) {
        if (x.model == m) c = &x;
      }
      if (m != r.models.reference && !c) continue;
      out += "\n" + std::string(names[i]) + "lnL = " + lnL(e.lnL);
      if (c) out += texts(c->outcome);
      if (e.gamma) out += "  with gamma     ";
      if (e.invariants) out += "  with invariants";
    }
  }
  return out;
}

int LnLControl(Model m) { return ids::kLnLJC + static_cast<int>(m); }
int RowOffset(Model m) { return static_cast<int>(m); }

// The window: the typed texts, the report file chosen with the comment, saving on, Calculate.
void WithTheWindow(const Typed& t, const std::string& path, bool existing) {
  AnalysisForm form;
  ReportSession report;
  FakeWindow window;
  ScriptedHost host;
  testing::FixedClock clock(testing::MakeTime(2000, 11, 14, 9, 5, 3, 2));
  CommandContext ctx{window, host, clock};
  report.m_szStartDir = t.dir;
  form.m_bSaveWork = 1;
  form.UpdateData(window, false);
  host.saveAsAnswers.push_back(path);
  if (existing) host.askAnswers.push_back(0);
  host.dialogSteps.push_back([&t](Dialog& dialog, FakeWindow& w) {
    w.SetControlText(CCommentsDlg::kIdComments, t.comment);
    return ScriptedHost::Press(dialog, w, CCommentsDlg::kIdOkButton).value_or(kIdCancel);
  });
  OnFileName(form, report, ctx);
  window.SetControlText(ids::kPValue, t.p);
  window.SetCheck(ids::kTestClock, t.clock ? 1 : 0);
  if (t.clock) {
    window.SetControlText(ids::kLnLClock, (*t.clock)[0]);
    window.SetControlText(ids::kLnLNoClock, (*t.clock)[1]);
    window.SetControlText(ids::kTaxa, (*t.clock)[2]);
  }
  window.SetCheck(ids::kTestGamma, t.gamma ? 1 : 0);
  if (t.gamma) {
    window.SetControlText(ids::kLnLGamma, (*t.gamma)[0]);
    window.SetControlText(ids::kLnLNoGamma, (*t.gamma)[1]);
  }
  window.SetCheck(ids::kTestModels, t.models.empty() ? 0 : 1);
  for (const auto& [base, typed] : t.models) {
    window.SetCheck(ids::kJC + RowOffset(base), 1);
    window.SetCheck(ids::kGammaJC + RowOffset(base), typed.first.gamma ? 1 : 0);
    window.SetCheck(ids::kInvarJC + RowOffset(base), typed.first.invariants ? 1 : 0);
    window.SetControlText(LnLControl(base), typed.second);
  }
  OnCalculate(form, report, ctx);
}

void WithTheCommandLine(const Typed& t, const std::string& path) {
  std::vector<std::string> args = {"-p", t.p, "--report", path, "--comment", t.comment};
  if (t.clock) {
    args.insert(args.end(),
                {"--clock", (*t.clock)[0] + "," + (*t.clock)[1], "--taxa", (*t.clock)[2]});
  }
  if (t.gamma) args.insert(args.end(), {"--gamma", (*t.gamma)[0] + "," + (*t.gamma)[1]});
  for (const auto& [base, typed] : t.models) {
    args.insert(args.end(), {"--model", CanonicalName(typed.first) + "=" + typed.second});
  }
  std::ostringstream out, err;
  testing::FixedClock clock(testing::MakeTime(2000, 11, 14, 9, 5, 3, 2));
  const std::string dir = t.dir;
  cli::LrtEnvironment env{out, err, clock, [dir] { return dir; }};
  cli::LrtMain(args, env);
}

void CheckSameReport(const TempDir& dir, const Typed& t) {
  // Texts the command line cannot carry as the window does: a comma splits its pairs, and an
  // option name in place of a value is read as an option.
  for (const std::string* s : {&t.p}) {
    if (!s->empty() && s->front() == '-' && !ParseFloatField(*s)) return;
  }
  for (const auto* pair : {&t.clock, &t.gamma}) {
    if (*pair && ((*pair)->at(0).find(',') != std::string::npos ||
                  (*pair)->at(1).find(',') != std::string::npos)) {
      return;
    }
  }
  for (bool existing : {false, true}) {
    const std::string a = dir.File("window.txt"), b = dir.File("cli.txt");
    testing::WriteWholeFile(a, existing ? "earlier" : "");
    testing::WriteWholeFile(b, existing ? "earlier" : "");
    WithTheWindow(t, a, existing);
    WithTheCommandLine(t, b);
    const std::string fromWindow = ReadWholeFile(a), fromCli = ReadWholeFile(b);
    Require(fromWindow == fromCli, "the window and quillet-lrt wrote different reports:\n---- " +
                                       std::string("window ----\n") + fromWindow +
                                       "\n---- quillet-lrt ----\n" + fromCli + "\n----");
  }
}

void RunOnce(const TempDir& dir, std::string_view script) {
  const Typed t = Decode(script);
  const std::optional<AnalysisInput> in = InputOf(t);
  if (!in) return;
  // One calculation must never take long; the checks below run it three times more.
  AnalysisResult r;
  RequireNoHang(FastestOfSlowRuns([&] { r = Analyze(*in); }), "this calculation");
  CheckResult(*in, r);
  if (r.refusal) return;
  for (bool first : {true, false}) {
    const int number = first ? 1 : 7;
    const std::string text = FormatAnalysis(ReportAnalysisOf(*in, r, number), first);
    const std::string expected = ExpectedAnalysis(*in, r, number, first);
    Require(text == expected, "report text differs:\n---- written ----\n" + text +
                                  "\n---- expected ----\n" + expected + "\n----");
  }
  if (r.AnyTestRan()) CheckSameReport(dir, t);
}

}  // namespace
}  // namespace quillet::fuzz

// The window side answers every dialog it opens; any other is a fault.
void quillet::testing::ReportUnexpected(const std::string& what) { quillet::fuzz::Fail(what); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet::fuzz;
  static quillet::testing::TempDir dir;
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  RunOnce(dir, script);
  return 0;
}
