#include "analysis/criteria.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/model_name.h"

namespace quillet {
namespace {

using testing::M;

// The scores of single models, against the columns of the IQ-TREE 1.6.12 report on the COI
// alignment (32 taxa, 1506 sites). Its scores come from unrounded log-likelihoods, so they may
// differ from ours, computed from the four printed decimals, in the fourth decimal.
TEST(RankModelsTest, ScoresAgreeWithAReportOfAnotherProgram) {
  struct Row {
    const char* model;
    double lnL;
    int k;
    double aic, aicc, bic;
  };
  const Row rows[] = {
      {"GTR+I+G", -8024.1555, 71, 16190.3111, 16197.4408, 16567.8332},
      {"HKY85+G", -8051.8646, 66, 16235.7293, 16241.8752, 16586.6653},
      {"JC+I+G", -8814.8744, 63, 17755.7489, 17761.3411, 18090.7333},
      {"GTR", -8958.2681, 69, 18054.5362, 18061.2632, 18421.4238},
      {"K2P", -9156.6574, 62, 18437.3147, 18442.7284, 18766.9819},
      {"JC", -9533.4938, 61, 19188.9876, 19194.2258, 19513.3375},
  };
  std::vector<FittedModel> models;
  for (const Row& row : rows) models.push_back({M(row.model), row.lnL, ""});
  const CriteriaTable table = RankModels(models, 32, 1506);
  ASSERT_EQ(table.rows.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].model);
    const CriteriaRow& got = table.rows[i];
    EXPECT_EQ(got.k, rows[i].k);
    EXPECT_NEAR(*got[Criterion::kAic].score, rows[i].aic, 2e-4);
    EXPECT_NEAR(*got[Criterion::kAicc].score, rows[i].aicc, 2e-4);
    EXPECT_NEAR(*got[Criterion::kBic].score, rows[i].bic, 2e-4);
  }
  EXPECT_EQ(table.Best(Criterion::kAic), 0u);
  EXPECT_EQ(table.Best(Criterion::kBic), 0u);
}

// Differences, weights and confidence sets, with numbers that can be worked out by hand: with
// 3 taxa (3 branch lengths) and no sites only AIC is defined.
TEST(RankModelsTest, WeightsAndConfidenceSets) {
  struct Row {
    const char* name;
    std::vector<FittedModel> models;
    std::vector<double> weights;  // AIC
    std::vector<bool> set;
    std::size_t best;
  };
  // AIC = -2 lnL + 2k; JC k 3, K2P k 4, F81 k 6.
  const double e1 = std::exp(-1.0), e5 = std::exp(-5.0);
  const Row rows[] = {
      // JC 206, K2P 208 (delta 2), F81 216 (delta 10).
      {"ThreeModels",
       {{M("JC"), -100, ""}, {M("K2P"), -100, ""}, {M("F81"), -102, ""}},
       {1 / (1 + e1 + e5), e1 / (1 + e1 + e5), e5 / (1 + e1 + e5)},
       {true, true, false},  // 0.727 + 0.268 = 0.995 reaches 0.95
       0},
      // Equal scores: the model with fewer parameters is selected; both are needed for 0.95.
      {"ATieGoesToTheSimplerModel",
       {{M("K2P"), -99, ""}, {M("JC"), -100, ""}},
       {0.5, 0.5},
       {true, true},
       1},
      // One model carries more than 0.95 alone: the set is that model only.
      {"OneModelAlone",
       {{M("JC"), -100, ""}, {M("K2P"), -110, ""}},
       {1 / (1 + std::exp(-11.0)), std::exp(-11.0) / (1 + std::exp(-11.0))},
       {true, false},
       0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CriteriaTable table = RankModels(row.models, 3, std::nullopt);
    EXPECT_EQ(table.Best(Criterion::kAic), row.best);
    EXPECT_EQ(table.Ranked(Criterion::kAic), static_cast<int>(row.models.size()));
    EXPECT_EQ(table.Ranked(Criterion::kBic), 0);
    for (std::size_t i = 0; i < row.models.size(); ++i) {
      const CriterionStanding& s = table.rows[i][Criterion::kAic];
      EXPECT_NEAR(*s.weight, row.weights[i], 1e-12);
      EXPECT_EQ(s.inConfidenceSet, row.set[i]) << i;
      EXPECT_EQ(s.best, i == row.best);
      EXPECT_FALSE(table.rows[i][Criterion::kAicc].score.has_value());
      EXPECT_FALSE(table.rows[i][Criterion::kBic].score.has_value());
    }
  }
}

// AICc has no value where n - k - 1 <= 0, and its weights are over the models where it has one;
// no other denominator stands in.
TEST(RankModelsTest, AiccUndefinedWhereTheSitesAreTooFew) {
  // 4 taxa: 5 branch lengths; JC k 5, GTR+I+G k 15; 16 sites: 16 - 15 - 1 = 0.
  const std::vector<FittedModel> models = {{M("JC"), -60, ""}, {M("GTR+I+G"), -40, ""}};
  const CriteriaTable table = RankModels(models, 4, 16);
  EXPECT_NEAR(*table.rows[0][Criterion::kAicc].score, 130.0 + 2.0 * 5 * 6 / 10, 1e-12);
  EXPECT_FALSE(table.rows[1][Criterion::kAicc].score.has_value());
  EXPECT_EQ(table.Ranked(Criterion::kAicc), 1);
  EXPECT_EQ(*table.rows[0][Criterion::kAicc].weight, 1.0);
  EXPECT_NEAR(*table.rows[1][Criterion::kBic].score, 80.0 + 15 * std::log(16.0), 1e-12);
}

TEST(CheckCriteriaInputTest, RefusesWhatCannotBeRanked) {
  const std::vector<FittedModel> fine = {{M("JC"), -1, ""}};
  EXPECT_EQ(CheckCriteriaInput(fine, 3, 10), std::nullopt);
  EXPECT_NE(CheckCriteriaInput(fine, 2, 10), std::nullopt);
  EXPECT_NE(CheckCriteriaInput(fine, 3, 0), std::nullopt);
  EXPECT_NE(CheckCriteriaInput({}, 3, 10), std::nullopt);
  const std::vector<FittedModel> twice = {{M("JC"), -1, ""}, {M("JC"), -2, ""}};
  EXPECT_NE(CheckCriteriaInput(twice, 3, 10), std::nullopt);
  const std::vector<FittedModel> positive = {{M("JC"), 1, ""}};
  EXPECT_NE(CheckCriteriaInput(positive, 3, 10), std::nullopt);
}

// Which classic models are special cases of which, and the pairs a fit left the wrong way round.
TEST(NestsTest, SpecialCasesOfTheClassicModels) {
  struct Row {
    const char* complex;
    const char* simpler;
    bool nests;
  };
  for (const Row& row :
       {Row{"GTR+I+G", "JC", true}, Row{"HKY85", "F81", true}, Row{"HKY85", "K2P", true},
        Row{"F81", "K2P", false}, Row{"K2P", "F81", false}, Row{"TrN+G", "HKY85+I", false},
        Row{"GTR", "GTR", false}, Row{"JC+I+G", "JC+G", true}, Row{"K2P", "JC+G", false}}) {
    SCOPED_TRACE(std::string(row.complex) + " over " + row.simpler);
    EXPECT_EQ(Nests(M(row.complex), M(row.simpler)), row.nests);
  }
  // K2P+G is below JC+G by 0.0009: twice that prints as 0.00, a tie.
  const std::vector<FittedModel> models = {
      {M("JC+G"), -8811.6462, ""}, {M("JC+I+G"), -8814.8744, ""}, {M("K2P+G"), -8811.6471, ""}};
  const std::vector<WorseNestedPair> pairs = WorseNestedPairs(models);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].complex.model, M("JC+I+G"));
  EXPECT_EQ(pairs[0].simpler.model, M("JC+G"));
}

}  // namespace
}  // namespace quillet
