#include <benchmark/benchmark.h>

#include <climits>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "bench/literal_steps.h"
#include "stats/chi_square.h"
#include "stats/lrt.h"

namespace quillet::bench {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct PValueCase {
  float x;
  int df;
};
struct CriticalCase {
  float p;
  int df;
};
struct LrtCase {
  float lnL1, lnL2;
  int df;
  float p;
};

// Typical use: statistics 0..100, df 1..10, p 0.05 and 0.01.
std::vector<PValueCase> TypicalPValues() {
  std::vector<PValueCase> cases;
  for (int df = 1; df <= 10; ++df) {
    for (float x : {0.5f, 1.0f, 3.84f, 7.5f, 12.0f, 25.0f, 50.0f, 100.0f}) cases.push_back({x, df});
  }
  return cases;
}
std::vector<CriticalCase> TypicalCriticals() {
  std::vector<CriticalCase> cases;
  for (int df = 1; df <= 10; ++df) {
    for (float p : {0.05f, 0.01f}) cases.push_back({p, df});
  }
  return cases;
}
std::vector<LrtCase> TypicalLrts() {
  std::vector<LrtCase> cases;
  for (int df = 1; df <= 10; ++df) {
    for (float gap : {0.2f, 1.5f, 4.0f, 12.5f, 50.0f}) {
      for (float p : {0.05f, 0.01f}) cases.push_back({-3050.25f, -3050.25f - gap, df, p});
    }
  }
  return cases;
}

template <typename Case, typename Fn>
void RunAll(benchmark::State& state, const std::vector<Case>& cases, Fn fn) {
  for (auto _ : state) {
    for (const Case& c : cases) fn(c);
  }
  // One iteration evaluates every case; the time per call is the rate's inverse.
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(cases.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <double (*PValue)(float, int)>
void BM_PValueTypical(benchmark::State& state) {
  RunAll(state, TypicalPValues(),
         [](const PValueCase& c) { benchmark::DoNotOptimize(PValue(c.x, c.df)); });
}
template <float (*Critical)(float, int)>
void BM_CriticalTypical(benchmark::State& state) {
  RunAll(state, TypicalCriticals(),
         [](const CriticalCase& c) { benchmark::DoNotOptimize(Critical(c.p, c.df)); });
}
using LrtFn = void (*)(float, float, std::string&, std::string&, std::string&, int, float);
template <LrtFn Lrt>
void BM_LrtTypical(benchmark::State& state) {
  std::string a, b, c;
  RunAll(state, TypicalLrts(), [&](const LrtCase& t) {
    Lrt(t.lnL1, t.lnL2, a, b, c, t.df, t.p);
    benchmark::DoNotOptimize(c.data());
  });
}

// Worst cases: the slowest inputs found by scanning x, df and p, and the edges of the domain.
const PValueCase kWorstPValues[] = {
    {22700.0f, 0},   {18250.0f, 10000}, {-22000.0f, 60000}, {1.0f, INT_MAX},
    {1.0f, INT_MIN}, {0.0f, -2},        {-3.0f, 3},         {kNaN, 1},
    {kInf, 1},       {-kInf, 2},        {5.0f, -INT_MAX},
};
const CriticalCase kWorstCriticals[] = {
    {0.001f, 15000}, {0.5f, 10000},    {0.0f, 1},        {1e-30f, 1},       {1.0f, 1},
    {kNaN, 1},       {0.05f, INT_MAX}, {0.05f, INT_MIN}, {0.05f, -INT_MAX},
};
const LrtCase kWorstLrts[] = {
    {0.0f, -9125.0f, 15000, 0.001f},   // statistic 18,250 near its critical value
    {-1e30f, 1e30f, 10000, 0.5f},      // a statistic far beyond every candidate
    {0.0f, -11350.0f, 0, 0.0f},        // longest series, every candidate up to 524,287
    {0.0f, -11200.0f, 21500, 1e-30f},  // the clock test of the slowest whole calculation
    {-1000.0f, -1001.0f, INT_MAX, 0.05f}, {-1000.0f, -1001.0f, INT_MIN, kNaN},
};

// Beyond the extended range: statistics above about 22,710 and the large df whose critical
// values lie there.
const PValueCase kBeyondPValues[] = {
    {25000.0f, 1}, {1e6f, 1}, {25000.0f, 25000}, {1e6f, 1000000}, {30000.0f, 0},
};
const CriticalCase kBeyondCriticals[] = {
    {0.05f, 20000}, {0.05f, 50000}, {0.05f, 100000}, {0.05f, 1000000}, {0.05f, 10000000},
};
const LrtCase kBeyondLrts[] = {
    {0.0f, -12500.0f, 1, 0.05f},      // statistic 25,000 with one df
    {0.0f, -12500.0f, 19998, 0.05f},  // clock test with 20,000 taxa
    {0.0f, -505000.0f, 1000000, 0.05f},
};

// Tails below 1e-5, given accurately: far out with few df (the series is skipped), just below
// 1e-5 (series and tail), many df, and a series that loses its first term; levels whose
// bisection runs over such tails.
const PValueCase kTailPValues[] = {
    {30.0f, 1}, {19.52f, 1}, {100.0f, 1}, {1250.0f, 1000}, {22709.0f, 23000},
};
const CriticalCase kStrictCriticals[] = {
    {5e-7f, 1},
    {1e-6f, 10},
    {1e-8f, 1000},
};

// Labels in the shortest form ("1e-30", not "0.000000").
template <typename... Parts>
std::string Label(const Parts&... parts) {
  std::ostringstream out;
  ((out << parts), ...);
  return out.str();
}

template <const auto& kCases, double (*PValue)(float, int)>
void BM_PValueCase(benchmark::State& state) {
  const PValueCase c = kCases[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(PValue(c.x, c.df));
  state.SetLabel(Label("x ", c.x, " df ", c.df));
}
template <const auto& kCases, float (*Critical)(float, int)>
void BM_CriticalCase(benchmark::State& state) {
  const CriticalCase c = kCases[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(Critical(c.p, c.df));
  state.SetLabel(Label("p ", c.p, " df ", c.df));
}
template <const auto& kCases, LrtFn Lrt>
void BM_LrtCase(benchmark::State& state) {
  const LrtCase c = kCases[state.range(0)];
  std::string a, b, r;
  for (auto _ : state) {
    Lrt(c.lnL1, c.lnL2, a, b, r, c.df, c.p);
    benchmark::DoNotOptimize(r.data());
  }
  state.SetLabel(Label("lnL ", c.lnL1, " / ", c.lnL2, " df ", c.df, " p ", c.p));
}

void EvaluateLrtFn(float a, float b, std::string& l, std::string& c, std::string& r, int df,
                   float p) {
  EvaluateLrt(a, b, l, c, r, df, p);
}

BENCHMARK(BM_PValueTypical<ChiSquarePValue>)->Name("PValue/typical");
BENCHMARK(BM_PValueTypical<LiteralPValue>)->Name("PValue/typical/literal");
BENCHMARK(BM_CriticalTypical<ChiSquareCritical>)->Name("Critical/typical");
BENCHMARK(BM_CriticalTypical<LiteralCritical>)->Name("Critical/typical/literal");
BENCHMARK(BM_LrtTypical<EvaluateLrtFn>)->Name("EvaluateLrt/typical");
BENCHMARK(BM_LrtTypical<LiteralLrt>)->Name("EvaluateLrt/typical/literal");

BENCHMARK(BM_PValueCase<kWorstPValues, ChiSquarePValue>)
    ->Name("PValue/worst")
    ->DenseRange(0, std::size(kWorstPValues) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PValueCase<kWorstPValues, LiteralPValue>)
    ->Name("PValue/worst/literal")
    ->DenseRange(0, std::size(kWorstPValues) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalCase<kWorstCriticals, ChiSquareCritical>)
    ->Name("Critical/worst")
    ->DenseRange(0, std::size(kWorstCriticals) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalCase<kWorstCriticals, LiteralCritical>)
    ->Name("Critical/worst/literal")
    ->DenseRange(0, std::size(kWorstCriticals) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LrtCase<kWorstLrts, EvaluateLrtFn>)
    ->Name("EvaluateLrt/worst")
    ->DenseRange(0, std::size(kWorstLrts) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LrtCase<kWorstLrts, LiteralLrt>)
    ->Name("EvaluateLrt/worst/literal")
    ->DenseRange(0, std::size(kWorstLrts) - 1)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_PValueCase<kTailPValues, ChiSquarePValue>)
    ->Name("PValue/tail")
    ->DenseRange(0, std::size(kTailPValues) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PValueCase<kTailPValues, LiteralPValue>)
    ->Name("PValue/tail/literal")
    ->DenseRange(0, std::size(kTailPValues) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalCase<kStrictCriticals, ChiSquareCritical>)
    ->Name("Critical/strict")
    ->DenseRange(0, std::size(kStrictCriticals) - 1)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_PValueCase<kBeyondPValues, ChiSquarePValue>)
    ->Name("PValue/beyond")
    ->DenseRange(0, std::size(kBeyondPValues) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CriticalCase<kBeyondCriticals, ChiSquareCritical>)
    ->Name("Critical/beyond")
    ->DenseRange(0, std::size(kBeyondCriticals) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LrtCase<kBeyondLrts, EvaluateLrtFn>)
    ->Name("EvaluateLrt/beyond")
    ->DenseRange(0, std::size(kBeyondLrts) - 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet::bench

BENCHMARK_MAIN();
