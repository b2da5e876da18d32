#include "analysis/analyze.h"

#include <span>

#include "analysis/notices.h"
#include "analysis/wrapping_add.h"

namespace quillet {

namespace {

// Models compared with each reference, in the order they are computed.
std::span<const Model> ComparedWith(Model reference) {
  static constexpr Model kGtr[] = {Model::TrN, Model::HKY85, Model::K2P, Model::JC, Model::F81};
  static constexpr Model kTrn[] = {Model::HKY85, Model::K2P, Model::JC, Model::F81};
  static constexpr Model kHky[] = {Model::F81, Model::K2P, Model::JC};
  static constexpr Model kF81[] = {Model::K2P, Model::JC};
  static constexpr Model kK2p[] = {Model::JC};
  switch (reference) {
    case Model::GTR:
      return kGtr;
    case Model::TrN:
      return kTrn;
    case Model::HKY85:
      return kHky;
    case Model::F81:
      return kF81;
    case Model::K2P:
      return kK2p;
    case Model::JC:
      break;
  }
  return {};
}

int Flag(bool set) { return set ? 1 : 0; }

int ParameterCount(Model model, const ModelEntry& entry) {
  return FreeParameterCount(model, Flag(entry.gamma), Flag(entry.invariants));
}

}  // namespace

void AnalyzeClock(const AnalysisInput& in, AnalysisResult& result) {
  if (!in.testClock) return;
  if (IsMissing(in.lnLClock) || IsMissing(in.lnLNoClock) || in.taxa == 0) {
    result.notices.push_back({kClockMissingText, kSomethingIsZeroCaption});
    result.clockMissing = true;
    return;
  }
  result.clock = RunLrt(in.lnLNoClock, in.lnLClock, WrappingAdd(in.taxa, -2), in.pValue);
}

void AnalyzeGamma(const AnalysisInput& in, AnalysisResult& result) {
  if (!in.testGamma) return;
  if (IsMissing(in.lnLGamma) || IsMissing(in.lnLNoGamma)) {
    result.notices.push_back({kGammaMissingText, kSomethingIsZeroCaption});
    result.gammaMissing = true;
    return;
  }
  // Always one degree of freedom; the number of taxa plays no part.
  result.gamma = RunLrt(in.lnLNoGamma, in.lnLGamma, 1, in.pValue);
}

// The most complex model ticked is the reference; every simpler one ticked is tested against
// it with the difference of their free-parameter counts.
void AnalyzeModels(const AnalysisInput& in, AnalysisResult& result) {
  if (!in.testModels) return;
  ModelTestResult& models = result.models;
  for (Model candidate : kReportOrder) {
    if (candidate != Model::JC && in[candidate].ticked) {
      models.reference = candidate;
      break;
    }
  }
  if (!models.reference) return;
  const Model reference = *models.reference;
  const ModelEntry& ref = in[reference];
  models.referenceLnL = ref.lnL;
  const int kRef = ParameterCount(reference, ref);

  for (Model compared : ComparedWith(reference)) {
    const ModelEntry& x = in[compared];
    if (!x.ticked) continue;
    if (reference == Model::F81 && compared == Model::K2P) {
      result.notices.push_back({kF81K2PWarning, ""});
    }
    const int df = WrappingSubtract(kRef, ParameterCount(compared, x));
    models.compared.push_back({compared, x.lnL, RunLrt(x.lnL, ref.lnL, df, in.pValue)});
  }
}

AnalysisResult Analyze(const AnalysisInput& input) {
  AnalysisResult result;
  if (input.nothingChosen) result.notices.push_back({kNothingChosenText, ""});
  AnalyzeClock(input, result);
  AnalyzeGamma(input, result);
  AnalyzeModels(input, result);
  return result;
}

}  // namespace quillet
