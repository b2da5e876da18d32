// Whole calculations: the Calculate command from the copy of the window into the form to the
// copy back, with all three tests and all six models ticked, for typical forms and for the
// slowest forms we know of. Each iteration types the form's texts into the window again, so
// the command always starts from the same screen (an infinity, once shown, would not read back).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_window.h"
#include "support/fixed_clock.h"
#include "support/scripted_host.h"
#include "ui/analysis_form.h"
#include "ui/calculate.h"
#include "ui/command_context.h"
#include "ui/control_ids.h"
#include "ui/report_session.h"
#include "ui/save_report.h"

namespace quillet::bench {
namespace {

using testing::FakeWindow;
using testing::ScriptedHost;

// What the user typed: the p-value, taxa, the clock and gamma values and the six models'
// lnL values in the screen order GTR, TrN, HKY85, F81, K2P, JC.
struct Form {
  const char* name;
  const char* p;
  const char* taxa;
  const char* withClock;
  const char* withoutClock;
  const char* withGamma;
  const char* withoutGamma;
  const char* models[6];
  bool extras = true;  // GTR with gamma and invariants, HKY85 with gamma, TrN with invariants
  // "Save work?": off, on with every iteration writing a first analysis to an emptied file,
  // or on with every iteration appending a later analysis.
  enum Save { kOff, kFirst, kLater } save = kOff;
};

const Form kForms[] = {
    // The kind of numbers a phylogeneticist types.
    {"typical",
     "0.05",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    {"typical, p 0.01, 40 taxa",
     "0.01",
     "40",
     "-12062.8",
     "-12050.2",
     "-12040.1",
     "-12044.4",
     {"-12040.1", "-12046", "-12045.5", "-12048.7", "-12050.2", "-12058.8"}},
    {"typical, first analysis of a new report",
     "0.05",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"},
     true,
     Form::kFirst},
    {"typical, analysis appended to the report",
     "0.05",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"},
     true,
     Form::kLater},
    // Degrees of freedom at their extremes through the number of taxa.
    {"taxa 2147483647",
     "0.05",
     "2147483647",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    {"taxa -2147483647, refused",
     "0.05",
     "-2147483647",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    {"taxa -2147483648, refused",
     "0.05",
     "-2147483648",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    // Log-likelihoods at the ends of the float range and beyond it.
    {"lnL +-3.4e38",
     "0.05",
     "12",
     "3.4e38",
     "-3.4e38",
     "-3.4e38",
     "3.4e38",
     {"3.4e38", "-3.4e38", "3.4e38", "-3.4e38", "3.4e38", "-3.4e38"}},
    {"lnL -3.4e38 and -1",
     "0.05",
     "12",
     "-3.4e38",
     "-1",
     "-1",
     "-3.4e38",
     {"-1", "-3.4e38", "-1", "-3.4e38", "-1", "-3.4e38"}},
    {"lnL infinities",
     "0.05",
     "12",
     "1e39",
     "-1e39",
     "-1e39",
     "-1e39",
     {"1e39", "-1e39", "-1", "1e39", "-1e39", "-1"}},
    // The p-value at its edges.
    {"p 0, refused",
     "0",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    {"p 1e-30",
     "1e-30",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    {"p 1, refused",
     "1",
     "12",
     "-3062.80",
     "-3050.25",
     "-3040.10",
     "-3044.35",
     {"-3040.10", "-3046.00", "-3045.55", "-3048.70", "-3050.20", "-3058.75"}},
    // The slowest forms found by scanning p, the number of taxa and the statistics: every
    // statistic near 22,400, where the series is longest; p below the series' truncation floor
    // (about 1e-6), so that every bisection climbs to the series' switch near 22,710; and the
    // number of taxa whose clock test spends its bisection around 22,000.
    {"statistics 22400, p 0.05",
     "0.05",
     "12",
     "-1",
     "-11201",
     "-1",
     "-11201",
     {"-1", "-11201", "-11201", "-11201", "-11201", "-11201"}},
    {"clock 15750 df, p 0.001",
     "0.001",
     "15752",
     "-1",
     "-11201",
     "-1",
     "-11201",
     {"-1", "-11201", "-11201", "-11201", "-11201", "-11201"}},
    {"worst: clock 21500 df, p 1e-30, statistics 22400",
     "1e-30",
     "21502",
     "-1",
     "-11201",
     "-1",
     "-11201",
     {"-1", "-11201", "-11201", "-11201", "-11201", "-11201"}},
};

void Type(FakeWindow& window, const Form& f) {
  using namespace ids;
  window.SetControlText(kPValue, f.p);
  window.SetControlText(kTaxa, f.taxa);
  window.SetControlText(kLnLClock, f.withClock);
  window.SetControlText(kLnLNoClock, f.withoutClock);
  window.SetControlText(kLnLGamma, f.withGamma);
  window.SetControlText(kLnLNoGamma, f.withoutGamma);
  const int lnL[] = {kLnLGTR, kLnLTrN, kLnLHKY85, kLnLF81, kLnLK2P, kLnLJC};
  for (int i = 0; i < 6; ++i) window.SetControlText(lnL[i], f.models[i]);
}

void Tick(FakeWindow& window, const Form& f) {
  using namespace ids;
  for (int id : {kTestClock, kTestGamma, kTestModels, kGTR, kTrN, kHKY85, kF81, kK2P, kJC}) {
    window.SetCheck(id, 1);
  }
  if (f.extras) {
    for (int id : {kGammaGTR, kInvarGTR, kGammaHKY85, kInvarTrN}) window.SetCheck(id, 1);
  }
  window.SetCheck(kSaveWork, f.save != Form::kOff ? 1 : 0);
}

void BM_Calculate(benchmark::State& state) {
  const Form& f = kForms[state.range(0)];
  const std::string path =
      (std::filesystem::temp_directory_path() / "quillet-calculation-bench.txt").string();
  FakeWindow window;
  ScriptedHost host;
  const testing::FixedClock clock(testing::MakeTime(2000, 11, 14, 9, 5, 3, 2));
  CommandContext ctx{window, host, clock};
  AnalysisForm form;
  ReportSession report;
  report.m_szStartDir = "/work/primates";
  report.m_dlgComments.m_strComments = "Primate cytb alignment, 12 taxa";
  form.UpdateData(window, false);
  Tick(window, f);
  if (f.save != Form::kOff) {
    // Chooses the report file the way the File Name button does.
    host.saveAsAnswers.push_back(path);
    report.m_dlgSave.DoModal(host);
    StartNewReportFile(report);
  }
  std::size_t messages = 0;

  // Typing the texts again costs about a microsecond; pausing the timer around it would cost
  // more than that.
  for (auto _ : state) {
    Type(window, f);
    if (f.save == Form::kFirst) StartNewReportFile(report);
    window.messages.clear();
    window.events.clear();
    OnCalculate(form, report, ctx);
    messages = window.messages.size();
    benchmark::DoNotOptimize(form[Model::JC].m_strResult.data());
  }
  state.SetLabel(f.name);
  state.counters["messages"] = static_cast<double>(messages);
  if (f.save != Form::kOff) std::filesystem::remove(path);
}

BENCHMARK(BM_Calculate)
    ->Name("Calculate")
    ->DenseRange(0, std::size(kForms) - 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet::bench

// The benchmark answers every dialog it opens; any other would be a fault in it.
void quillet::testing::ReportUnexpected(const std::string& what) {
  std::fprintf(stderr, "calculation benchmark: %s\n", what.c_str());
  std::abort();
}
