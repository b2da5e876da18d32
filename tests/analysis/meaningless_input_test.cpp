#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "analysis/analyze.h"
#include "analysis/notices.h"
#include "stats/chi_square.h"

namespace quillet {
namespace {

// A calculation with every test asked for and sound values.
AnalysisInput Sound() {
  AnalysisInput in;
  in.testClock = true;
  in.taxa = 12;
  in.lnLClock = -3062.8;
  in.lnLNoClock = -3050.25;
  in.testGamma = true;
  in.lnLGamma = -3040.1;
  in.lnLNoGamma = -3044.35;
  in.testModels = true;
  in[Model::GTR] = {true, -3040.1, true, false};
  in[Model::K2P] = {true, -3050.2, false, false};
  return in;
}

// Values no test can mean anything with are refused before anything is computed, naming the
// field; values of tests not asked for, or of models not ticked, are not looked at.
TEST(CheckInputTest, RefusesValuesWithoutMeaning) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* name;
    std::function<void(AnalysisInput&)> change;
    std::optional<InputField> field;
    std::string message;
  };
  const Row rows[] = {
      {"Sound", [](AnalysisInput&) {}, std::nullopt, ""},
      {"ModelAboveZero", [](AnalysisInput& in) { in[Model::K2P].lnL = 95; }, InputField::kModelLnL,
       std::string("K2P ln L: 95") + kLnLAboveZeroReason},
      {"ModelAboveZeroNotTicked",
       [](AnalysisInput& in) {
         in[Model::JC].lnL = 95;
         in[Model::JC].ticked = false;
       },
       std::nullopt, ""},
      {"ModelAboveZeroWithoutTheTest",
       [](AnalysisInput& in) {
         in[Model::K2P].lnL = 95;
         in.testModels = false;
       },
       std::nullopt, ""},
      {"ClockInfinite", [inf](AnalysisInput& in) { in.lnLClock = -inf; }, InputField::kLnLClock,
       std::string(kLnLClockLabel) + ": " + kLnLNotFiniteReason},
      {"NoClockNotANumber", [](AnalysisInput& in) { in.lnLNoClock = std::nan(""); },
       InputField::kLnLNoClock, std::string(kLnLNoClockLabel) + ": " + kLnLNotFiniteReason},
      {"GammaAboveZero", [](AnalysisInput& in) { in.lnLNoGamma = 0.5; }, InputField::kLnLNoGamma,
       std::string(kLnLNoGammaLabel) + ": 0.5" + kLnLAboveZeroReason},
      {"GammaInfiniteWithoutTheTest",
       [inf](AnalysisInput& in) {
         in.lnLGamma = inf;
         in.testGamma = false;
       },
       std::nullopt, ""},
      {"LevelBelowSinglePrecision", [](AnalysisInput& in) { in.pValue = 1e-300; },
       InputField::kPValue, std::string("Desired p value: 1e-300") + kPValueTooSmallReason},
      {"LevelAmongTheSubnormals", [](AnalysisInput& in) { in.pValue = 1e-40; }, InputField::kPValue,
       std::string("Desired p value: 1e-040") + kPValueTooSmallReason},
      {"SmallestNormalLevel",
       [](AnalysisInput& in) { in.pValue = std::numeric_limits<float>::min(); }, std::nullopt, ""},
      {"LevelRoundingToOne", [](AnalysisInput& in) { in.pValue = 0.99999999; }, InputField::kPValue,
       kPValueRangeText},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AnalysisInput in = Sound();
    row.change(in);
    const std::optional<Refusal> refusal = CheckInput(in);
    ASSERT_EQ(refusal.has_value(), row.field.has_value());
    if (!refusal) continue;
    EXPECT_EQ(refusal->field, *row.field);
    EXPECT_EQ(refusal->message, row.message);
    EXPECT_NE(row.message.find(refusal->reason), std::string::npos);
    if (refusal->field == InputField::kModelLnL) {
      EXPECT_EQ(refusal->model, Model::K2P);
    }
  }
}

// A more complex model with the lower ln L is a fit that stopped early: the test is not
// rejected, shows the negative statistic and p 1, and the user is told which fit to redo. A
// difference that prints as 0.00 is a tie; tests with 0 or fewer degrees of freedom, whose
// "more complex" model is not, are computed as ever.
TEST(WorseFitTest, IsToldAndNotRejected) {
  struct Row {
    const char* name;
    std::function<void(AnalysisInput&)> setup;
    bool worse;
    std::string notice;  // empty: none
  };
  auto gamma = [](double with, double without) {
    return [=](AnalysisInput& in) {
      in.testGamma = true;
      in.lnLGamma = with;
      in.lnLNoGamma = without;
    };
  };
  const Row rows[] = {
      {"GammaWorse", gamma(-3050, -3040), true,
       WorseFitText("the model with gamma/invariants", -3050, "the model without gamma/invariants",
                    -3040)},
      {"GammaBetter", gamma(-3040, -3050), false, ""},
      {"GammaTie", gamma(-3040.002, -3040), false, ""},
      {"GammaJustShows", gamma(-3040.003, -3040), true,
       WorseFitText("the model with gamma/invariants", -3040.003,
                    "the model without gamma/invariants", -3040)},
      {"GammaPairFromFiles",
       [&](AnalysisInput& in) {
         gamma(-3620.895, -3619.951)(in);
         in.gammaModels = {*ParseCanonicalName("GTR+I+G"), *ParseCanonicalName("GTR+G")};
       },
       true, WorseFitText("GTR+I+G", -3620.895, "GTR+G", -3619.951)},
      {"ClockWorse",
       [](AnalysisInput& in) {
         in.testClock = true;
         in.taxa = 5;
         in.lnLClock = -100;
         in.lnLNoClock = -101;
       },
       true, WorseFitText("the tree without the clock", -101, "the tree with the clock", -100)},
      {"ReferenceWorse",
       [](AnalysisInput& in) {
         in.testModels = true;
         in[Model::GTR] = {true, -1010, true, false};
         in[Model::HKY85] = {true, -1000, false, false};
       },
       true, WorseFitText("GTR+G", -1010, "HKY85", -1000)},
      {"NoDegreeOfFreedom",
       [](AnalysisInput& in) {
         in.testModels = true;
         in[Model::K2P] = {true, -1010, false, false};
         in[Model::JC] = {true, -1000, true, false};
       },
       false, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AnalysisInput in;
    row.setup(in);
    const AnalysisResult result = Analyze(in);
    const LrtOutcome& o = result.gamma   ? *result.gamma
                          : result.clock ? *result.clock
                                         : result.models.compared.at(0).outcome;
    EXPECT_EQ(o.complexFitsWorse, row.worse);
    EXPECT_EQ(EveryTestRan(in, result), !row.worse);
    if (row.worse) {
      EXPECT_FALSE(o.rejected);
      EXPECT_EQ(o.pValue, 1.0);
      const LrtTexts texts = TextsOf(o);
      EXPECT_EQ(texts.lrt[0], '-');
      EXPECT_EQ(texts.result, "NOT rejected  (p 1.000000)");
      ASSERT_EQ(result.notices.size(), 1u);
      EXPECT_EQ(result.notices[0], (Notice{row.notice, kWorseFitCaption}));
    } else {
      EXPECT_GE(o.statistic, 0.0f);
      EXPECT_TRUE(result.notices.empty());
    }
  }
  // The notice says what happened and what to do.
  EXPECT_EQ(WorseFitText("GTR+I+G", -3620.895, "GTR+G", -3619.951),
            "GTR+I+G fits worse than GTR+G, which is nested in it (ln L -3620.895 against "
            "-3619.951). The fit of GTR+I+G did not reach its maximum, or the two values are "
            "swapped: refit it. The test is shown as NOT rejected, with p 1.");
}

// Where the more complex model adds +G and/or +I, the boundary p stands beside the classic one:
// b of the df parameters on the edge of their range, the others ordinary. The typed gamma test
// adds one; the clock test and models differing in no extra have none.
TEST(BoundaryPTest, WhereTheMoreComplexModelAddsGammaOrInvariants) {
  struct Row {
    const char* name;
    std::function<void(AnalysisInput&)> setup;
    std::optional<double> (*expected)(float statistic);
  };
  const auto none = [](float) -> std::optional<double> { return std::nullopt; };
  const auto half = [](float x) -> std::optional<double> { return ChiSquarePValue(x, 1) / 2; };
  const Row rows[] = {
      {"TypedGammaTest",
       [](AnalysisInput& in) {
         in.testGamma = true;
         in.lnLGamma = -1000;
         in.lnLNoGamma = -1003;
       },
       half},
      {"BothExtrasOverTheSameModel",
       [](AnalysisInput& in) {
         in.testModels = true;
         in[Model::GTR] = {true, -1000, true, true};
         in[Model::F81] = {true, -1010, false, false};
       },
       // df 7: 5 ordinary, 2 on the edge.
       [](float x) -> std::optional<double> {
         return 0.25 * ChiSquarePValue(x, 5) + 0.5 * ChiSquarePValue(x, 6) +
                0.25 * ChiSquarePValue(x, 7);
       }},
      {"GammaOverAnotherBaseModel",
       [](AnalysisInput& in) {
         in.testModels = true;
         in[Model::GTR] = {true, -1000, true, false};
         in[Model::HKY85] = {true, -1010, false, false};
       },
       [](float x) -> std::optional<double> {
         return 0.5 * ChiSquarePValue(x, 4) + 0.5 * ChiSquarePValue(x, 5);
       }},
      {"NoExtraAdded",
       [](AnalysisInput& in) {
         in.testModels = true;
         in[Model::GTR] = {true, -1000, true, false};
         in[Model::HKY85] = {true, -1010, true, false};
       },
       none},
      {"ClockTest",
       [](AnalysisInput& in) {
         in.testClock = true;
         in.taxa = 6;
         in.lnLClock = -1010;
         in.lnLNoClock = -1000;
       },
       none},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AnalysisInput in;
    row.setup(in);
    const AnalysisResult result = Analyze(in);
    const LrtOutcome& o = result.gamma   ? *result.gamma
                          : result.clock ? *result.clock
                                         : result.models.compared.at(0).outcome;
    const std::optional<double> expected = row.expected(o.statistic);
    ASSERT_EQ(o.pBoundary.has_value(), expected.has_value());
    if (expected) {
      EXPECT_DOUBLE_EQ(*o.pBoundary, *expected);
      EXPECT_LT(*o.pBoundary, o.pValue);
    }
  }
}

}  // namespace
}  // namespace quillet
