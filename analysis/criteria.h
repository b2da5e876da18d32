#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/classic_model.h"

namespace quillet {

// Ranking models by information criteria: data in, data out; the front ends make the texts.

// A fitted model: a classic model and its log-likelihood.
struct FittedModel {
  ClassicModel model;
  double lnL = 0;
  std::string lnLText;  // as the file or the user wrote it, for showing; empty: any
};

// The free parameters of a model fitted on an unrooted tree of `taxa` taxa: its own (JC 0, K2P 1,
// F81 3, HKY85 4, TrN 5, GTR 8; +I and +G one each) and the 2T - 3 branch lengths.
int CriteriaParameterCount(const ClassicModel& model, int taxa);

enum class Criterion { kAic, kAicc, kBic };
inline constexpr std::array<Criterion, 3> kCriteria = {Criterion::kAic, Criterion::kAicc,
                                                       Criterion::kBic};
// "AIC", "AICc", "BIC".
const char* CriterionName(Criterion criterion);

// One model's standing by one criterion. Nothing is set where the criterion is undefined for
// it: AICc where n - k - 1 <= 0, AICc and BIC where the number of sites is not known.
struct CriterionStanding {
  std::optional<double> score;
  std::optional<double> delta;   // to the best model
  std::optional<double> weight;  // exp(-delta/2) over the sum for the models with a score
  bool inConfidenceSet = false;  // among the fewest models, by falling weight, that reach 0.95
  bool best = false;             // the model the criterion selects
};

struct CriteriaRow {
  ClassicModel model;
  double lnL = 0;
  std::string lnLText;
  int k = 0;
  std::array<CriterionStanding, 3> by{};  // indexed by Criterion

  const CriterionStanding& operator[](Criterion c) const { return by[static_cast<std::size_t>(c)]; }
};

struct CriteriaTable {
  int taxa = 0;
  std::optional<int> sites;
  std::vector<CriteriaRow> rows;  // in the order the models were given
  // The model each criterion selects (an index into rows), when any model has its score.
  std::array<std::optional<std::size_t>, 3> best{};
  // How many models each criterion's weights are over.
  std::array<int, 3> ranked{};

  std::optional<std::size_t> Best(Criterion c) const { return best[static_cast<std::size_t>(c)]; }
  int Ranked(Criterion c) const { return ranked[static_cast<std::size_t>(c)]; }
};

// Why a ranking cannot be made, or nothing: fewer than 3 taxa (no unrooted tree), a number of
// sites below 1, no model, a model twice, a log-likelihood that is not a number at most 0.
std::optional<std::string> CheckCriteriaInput(std::span<const FittedModel> models, int taxa,
                                              std::optional<int> sites);

// AIC = -2 lnL + 2k; AICc = AIC + 2k(k+1)/(n - k - 1); BIC = -2 lnL + k ln n; for each the
// difference to the best model, the Akaike weights and the 95% confidence set. Ties go to the
// model with fewer parameters, then to the one given first. The input must pass
// CheckCriteriaInput.
CriteriaTable RankModels(std::span<const FittedModel> models, int taxa, std::optional<int> sites);

// Whether `simpler` is a special case of `complex`: its base model nested in the other's (JC in
// all; K2P and F81 in HKY85, TrN and GTR; HKY85 in TrN and GTR; TrN in GTR; K2P is not a special
// case of F81) and none of +I, +G that the other lacks.
bool Nests(const ClassicModel& complex, const ClassicModel& simpler);

// The nested pairs among `models` whose more complex model has the lower ln L by enough to show
// in two decimals: fits that did not reach their maximum.
struct WorseNestedPair {
  FittedModel complex;
  FittedModel simpler;
};
std::vector<WorseNestedPair> WorseNestedPairs(std::span<const FittedModel> models);

}  // namespace quillet
