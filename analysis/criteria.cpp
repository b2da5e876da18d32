#include "analysis/criteria.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/model.h"
#include "platform/format.h"

namespace quillet {

namespace {

std::size_t Index(Criterion c) { return static_cast<std::size_t>(c); }

// The score of a model by a criterion, where it is defined.
std::optional<double> Score(Criterion c, double lnL, int k, std::optional<int> sites) {
  const double aic = -2.0 * lnL + 2.0 * k;
  switch (c) {
    case Criterion::kAic:
      return aic;
    case Criterion::kAicc: {
      if (!sites) return std::nullopt;
      // Never a substitute denominator: with n - k - 1 <= 0 the correction has no value.
      const double room = static_cast<double>(*sites) - k - 1.0;
      if (room <= 0) return std::nullopt;
      return aic + 2.0 * k * (k + 1.0) / room;
    }
    case Criterion::kBic:
      if (!sites) return std::nullopt;
      return -2.0 * lnL + k * std::log(static_cast<double>(*sites));
  }
  return std::nullopt;
}

// Whether the base model `simpler` is a special case of `complex`.
bool BaseNests(Model complex, Model simpler) {
  if (complex == simpler) return true;
  switch (complex) {
    case Model::GTR:
      return true;
    case Model::TrN:
      return simpler != Model::GTR;
    case Model::HKY85:
      return simpler == Model::F81 || simpler == Model::K2P || simpler == Model::JC;
    case Model::F81:
    case Model::K2P:
      return simpler == Model::JC;
    case Model::JC:
      break;
  }
  return false;
}

}  // namespace

int CriteriaParameterCount(const ClassicModel& model, int taxa) {
  return FreeParameterCount(model.base, model.gamma ? 1 : 0, model.invariants ? 1 : 0) + 2 * taxa -
         3;
}

const char* CriterionName(Criterion criterion) {
  switch (criterion) {
    case Criterion::kAic:
      return "AIC";
    case Criterion::kAicc:
      return "AICc";
    case Criterion::kBic:
      break;
  }
  return "BIC";
}

std::optional<std::string> CheckCriteriaInput(std::span<const FittedModel> models, int taxa,
                                              std::optional<int> sites) {
  if (taxa < 3) {
    return "The number of taxa must be 3 or more: the branch lengths of an unrooted tree count "
           "among the free parameters.";
  }
  // 2T - 3 branch lengths, and the counts that follow, stay far inside an int.
  if (taxa > 100'000'000) return "The number of taxa is too large.";
  if (sites && *sites < 1) return "The number of sites must be 1 or more.";
  if (models.empty()) return "There is no model to rank.";
  for (std::size_t i = 0; i < models.size(); ++i) {
    const FittedModel& m = models[i];
    if (!std::isfinite(m.lnL) || m.lnL > 0.0) {
      return CanonicalName(m.model) + ": the log-likelihood " + FormatRoundTrip(m.lnL) +
             " is not a number of 0 or below.";
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (models[j].model == m.model) return CanonicalName(m.model) + " is given twice.";
    }
  }
  return std::nullopt;
}

CriteriaTable RankModels(std::span<const FittedModel> models, int taxa, std::optional<int> sites) {
  CriteriaTable table;
  table.taxa = taxa;
  table.sites = sites;
  for (const FittedModel& m : models) {
    CriteriaRow row;
    row.model = m.model;
    row.lnL = m.lnL;
    row.lnLText = m.lnLText;
    row.k = CriteriaParameterCount(m.model, taxa);
    for (Criterion c : kCriteria) row.by[Index(c)].score = Score(c, m.lnL, row.k, sites);
    table.rows.push_back(std::move(row));
  }

  for (Criterion c : kCriteria) {
    const std::size_t ci = Index(c);
    std::vector<std::size_t> scored;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
      if (table.rows[i].by[ci].score) scored.push_back(i);
    }
    table.ranked[ci] = static_cast<int>(scored.size());
    if (scored.empty()) continue;
    // Best first: the lower score, then fewer parameters, then the order given.
    std::stable_sort(scored.begin(), scored.end(), [&](std::size_t a, std::size_t b) {
      const CriteriaRow &x = table.rows[a], &y = table.rows[b];
      if (*x.by[ci].score != *y.by[ci].score) return *x.by[ci].score < *y.by[ci].score;
      return x.k < y.k;
    });
    const double bestScore = *table.rows[scored.front()].by[ci].score;
    double sum = 0;
    for (std::size_t i : scored) {
      CriterionStanding& s = table.rows[i].by[ci];
      s.delta = *s.score - bestScore;
      s.weight = std::exp(-*s.delta / 2.0);
      sum += *s.weight;
    }
    for (std::size_t i : scored) *table.rows[i].by[ci].weight /= sum;
    table.rows[scored.front()].by[ci].best = true;
    table.best[ci] = scored.front();
    // The confidence set: the fewest models, by falling weight (the order above), whose weights
    // add up to 0.95. The sum is kept exactly enough that a set reaching 0.95 is not missed by
    // rounding.
    double cumulative = 0;
    for (std::size_t i : scored) {
      table.rows[i].by[ci].inConfidenceSet = true;
      cumulative += *table.rows[i].by[ci].weight;
      if (cumulative >= 0.95 - 1e-12) break;
    }
  }
  return table;
}

bool Nests(const ClassicModel& complex, const ClassicModel& simpler) {
  if (complex == simpler) return false;
  return BaseNests(complex.base, simpler.base) && (complex.gamma || !simpler.gamma) &&
         (complex.invariants || !simpler.invariants);
}

std::vector<WorseNestedPair> WorseNestedPairs(std::span<const FittedModel> models) {
  std::vector<WorseNestedPair> pairs;
  for (const FittedModel& complex : models) {
    for (const FittedModel& simpler : models) {
      if (!(complex.lnL < simpler.lnL) || !Nests(complex.model, simpler.model)) continue;
      // A difference that prints as 0.00 is a tie.
      if (FormatFixed(2.0 * (simpler.lnL - complex.lnL), 2) == "0.00") continue;
      pairs.push_back({complex, simpler});
    }
  }
  return pairs;
}

}  // namespace quillet
