#include "report/report_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace quillet {
namespace {

// What an analysis writes before its sections: a first one (after its header) and a later one
// numbered 3.
constexpr char kFirstStart[] = "\n\nAnalysis number 3 \n---------------\np-value used: 0.050000\n";
constexpr char kLaterStart[] = "\n\n\nAnalysis number 3\n---------------\np-value used: 0.050000\n";

LrtOutcome Outcome(float statistic, float critical, float pValue, bool rejected) {
  LrtOutcome o;
  o.statistic = statistic;
  o.critical = critical;
  o.pValue = pValue;
  o.rejected = rejected;
  return o;
}

struct SectionCase {
  const char* name;
  std::function<void(AnalysisInput&, AnalysisResult&)> setup;
  const char* firstBody;  // written after the start of a first analysis
  const char* laterBody;  // written after the start of a later analysis; null: as firstBody
};

void PrintTo(const SectionCase& c, std::ostream* os) { *os << c.name; }

// Every model with its own ln L, and each comparison with its own numbers: statistic i,
// critical value 10 + i and p i/10 for the i-th model from TrN (1) to JC (5).
void Models(AnalysisInput& in, AnalysisResult& r, Model reference,
            std::initializer_list<Model> computedOrder) {
  in.testModels = true;
  const Model order[] = {Model::GTR, Model::TrN, Model::HKY85, Model::F81, Model::K2P, Model::JC};
  for (int i = 0; i < 6; ++i) in[order[i]].lnL = -1.0f - static_cast<float>(i);
  in[reference].ticked = true;
  r.models.reference = reference;
  r.models.referenceLnL = in[reference].lnL;
  for (Model m : computedOrder) {
    in[m].ticked = true;
    int i = 0;
    while (order[i] != m) ++i;
    const auto n = static_cast<float>(i);
    r.models.compared.push_back({m, in[m].lnL, Outcome(n, 10 + n, n / 10, false)});
  }
}

void Clock(AnalysisInput& in, AnalysisResult& r, float noClock, float clock) {
  in.testClock = true;
  in.taxa = 7;
  in.lnLNoClock = noClock;
  in.lnLClock = clock;
  r.clock = Outcome(1.5f, 2.25f, 0.5f, false);
}

void Gamma(AnalysisInput& in, AnalysisResult& r) {
  in.testGamma = true;
  in.lnLGamma = -10.0f;
  in.lnLNoGamma = -12.5f;
  r.gamma = Outcome(5.0f, 3.8415f, 0.025347f, true);
}

class SectionTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(SectionTest, FirstAndLaterAnalysis) {
  const SectionCase& c = GetParam();
  AnalysisInput in;
  AnalysisResult result;
  c.setup(in, result);
  const ReportAnalysis analysis = ReportAnalysisOf(in, result, 3);
  EXPECT_EQ(FormatAnalysis(analysis, true), std::string(kFirstStart) + c.firstBody);
  EXPECT_EQ(FormatAnalysis(analysis, false),
            std::string(kLaterStart) + (c.laterBody ? c.laterBody : c.firstBody));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SectionTest,
    ::testing::Values(
        SectionCase{"NothingTicked", [](AnalysisInput&, AnalysisResult&) {}, "", nullptr},
        SectionCase{"ClockWithMissingValue",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      Clock(in, r, -1, -2);
                      r.clock.reset();
                      r.clockMissing = true;
                    },
                    "", nullptr},
        SectionCase{"GammaWithMissingValue",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      Gamma(in, r);
                      r.gamma.reset();
                      r.gammaMissing = true;
                    },
                    "", nullptr},
        SectionCase{
            "ClockPadsSevenCharactersAndKeepsNine",
            [](AnalysisInput& in, AnalysisResult& r) { Clock(in, r, -123.45f, -12345.68f); },
            "\n\n*** Clock test results ***\n\nNumber of taxa: 7"
            "\nwithout clock: -123.45 \nwith clock:    -12345.68"
            "  LRT = 1.50      crit. value = 2.2500    Result: NOT rejected  (p 0.500000)",
            nullptr},
        SectionCase{"GammaHasItsDashLineOnlyWhenLater",
                    [](AnalysisInput& in, AnalysisResult& r) { Gamma(in, r); },
                    "\n\n*** Gamma test results ***"
                    "\n\nwith gamma:    -10.00  \nwithout gamma: -12.50  "
                    "  LRT = 5.00      crit. value = 3.8415    Result: Rejected      (p 0.025347)",
                    "\n\n*** Gamma test results ***\n------------------"
                    "\n\nwith gamma:    -10.00  \nwithout gamma: -12.50  "
                    "  LRT = 5.00      crit. value = 3.8415    Result: Rejected      (p 0.025347)"},
        SectionCase{"NoReference",
                    [](AnalysisInput& in, AnalysisResult&) {
                      in.testModels = true;
                      in[Model::JC].ticked = true;
                    },
                    "\n\n*** Model test results ***",
                    "\n\n*** Model test results ***\n------------------\n"},
        SectionCase{"ModelsTickedButTestNotAskedFor",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      Models(in, r, Model::GTR, {Model::JC});
                      in.testModels = false;
                    },
                    "", nullptr},
        SectionCase{"OnlyGTRWithBothExtras",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      Models(in, r, Model::GTR, {});
                      in[Model::GTR].gamma = in[Model::GTR].invariants = true;
                    },
                    "\n\n*** Model test results ***"
                    "\nGTR   lnL = -1.00     with gamma       with invariants",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nGTR   lnL = -1.00     with gamma       with invariants"},
        SectionCase{"RowsInFixedOrderAfterTheReference",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      // Computed in the comparison's order, written in the report's.
                      Models(in, r, Model::TrN, {Model::K2P, Model::JC, Model::F81});
                      in[Model::TrN].invariants = in[Model::K2P].gamma = true;
                      in[Model::JC].invariants = in[Model::JC].gamma = true;
                      in[Model::GTR].gamma = true;  // not ticked: no row, no remark
                    },
                    "\n\n*** Model test results ***"
                    "\nTrN   lnL = -2.00     with invariants"
                    "\nF81   lnL = -4.00     LRT = 3.00      crit. value = 13.0000   Result: "
                    "NOT rejected  (p 0.300000)"
                    "\nK2P   lnL = -5.00     LRT = 4.00      crit. value = 14.0000   Result: "
                    "NOT rejected  (p 0.400000)  with gamma     "
                    "\nJC    lnL = -6.00     LRT = 5.00      crit. value = 15.0000   Result: "
                    "NOT rejected  (p 0.500000)  with gamma       with invariants",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nTrN   lnL = -2.00     with invariants"
                    "\nF81   lnL = -4.00     LRT = 3.00      crit. value = 13.0000   Result: "
                    "NOT rejected  (p 0.300000)"
                    "\nK2P   lnL = -5.00     LRT = 4.00      crit. value = 14.0000   Result: "
                    "NOT rejected  (p 0.400000)  with gamma     "
                    "\nJC    lnL = -6.00     LRT = 5.00      crit. value = 15.0000   Result: "
                    "NOT rejected  (p 0.500000)  with gamma       with invariants"},
        SectionCase{
            "F81ReferenceWithK2PHasNoNote",
            [](AnalysisInput& in, AnalysisResult& r) { Models(in, r, Model::F81, {Model::K2P}); },
            "\n\n*** Model test results ***"
            "\nF81   lnL = -4.00   "
            "\nK2P   lnL = -5.00     LRT = 4.00      crit. value = 14.0000   Result: "
            "NOT rejected  (p 0.400000)",
            "\n\n*** Model test results ***\n------------------\n"
            "\nF81   lnL = -4.00   "
            "\nK2P   lnL = -5.00     LRT = 4.00      crit. value = 14.0000   Result: "
            "NOT rejected  (p 0.400000)"},
        SectionCase{"LongResultTextsTakeTheirRoom",
                    [](AnalysisInput& in, AnalysisResult& r) {
                      Models(in, r, Model::K2P, {Model::JC});
                      r.models.compared[0].outcome = Outcome(1234567.0f, 123.0f, 0.5f, true);
                    },
                    "\n\n*** Model test results ***"
                    "\nK2P   lnL = -5.00   "
                    "\nJC    lnL = -6.00     LRT = 1234567.00  crit. value = 123.0000  Result: "
                    "Rejected      (p 0.500000)",
                    "\n\n*** Model test results ***\n------------------\n"
                    "\nK2P   lnL = -5.00   "
                    "\nJC    lnL = -6.00     LRT = 1234567.00  crit. value = 123.0000  Result: "
                    "Rejected      (p 0.500000)"}),
    [](const ::testing::TestParamInfo<SectionCase>& info) { return info.param.name; });

TEST(ReportTextTest, TinyPValueIsWrittenAsSixZeros) {
  AnalysisInput in;
  in.pValue = 0.0000001f;
  EXPECT_NE(FormatAnalysis(ReportAnalysisOf(in, {}, 1), true).find("\np-value used: 0.000000\n"),
            std::string::npos);
}

}  // namespace
}  // namespace quillet
