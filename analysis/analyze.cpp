#include "analysis/analyze.h"

#include <span>
#include <string>

#include "analysis/notices.h"
#include "analysis/wrapping_add.h"
#include "stats/chi_square.h"

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

const CriticalValueSource& DirectCriticalValues() {
  static const CriticalValueSource direct = ChiSquareCritical;
  return direct;
}

LrtOutcome Test(float lnL1, float lnL2, int df, float p, const CriticalValueSource& critical) {
  return RunLrtWithCritical(lnL1, lnL2, df, critical(p, df));
}

void ClockStep(const AnalysisInput& in, AnalysisResult& result,
               const CriticalValueSource& critical) {
  if (!in.testClock) return;
  if (IsMissing(in.lnLClock) || IsMissing(in.lnLNoClock) || in.taxa == 0) {
    result.notices.push_back({kClockMissingText, kSomethingIsZeroCaption});
    result.clockMissing = true;
    return;
  }
  result.clock = Test(in.lnLNoClock, in.lnLClock, WrappingAdd(in.taxa, -2), in.pValue, critical);
}

void GammaStep(const AnalysisInput& in, AnalysisResult& result,
               const CriticalValueSource& critical) {
  if (!in.testGamma) return;
  if (IsMissing(in.lnLGamma) || IsMissing(in.lnLNoGamma)) {
    result.notices.push_back({kGammaMissingText, kSomethingIsZeroCaption});
    result.gammaMissing = true;
    return;
  }
  // Always one degree of freedom; the number of taxa plays no part.
  result.gamma = Test(in.lnLNoGamma, in.lnLGamma, 1, in.pValue, critical);
}

// The most complex model ticked is the reference; every simpler one ticked is tested against
// it with the difference of their free-parameter counts. A model ticked without its ln L is
// left out (testing it at 0 would reject it at once), and the user is told.
void ModelsStep(const AnalysisInput& in, AnalysisResult& result,
                const CriticalValueSource& critical) {
  if (!in.testModels) return;
  auto usable = [&in](Model model) { return TakesPart(in, model); };
  std::string leftOut;
  int count = 0;
  for (Model model : kReportOrder) {
    if (usable(model)) ++count;
    if (in[model].ticked && !usable(model)) {
      leftOut += (leftOut.empty() ? "" : ", ") + std::string(ModelName(model));
    }
  }
  if (!leftOut.empty()) {
    result.notices.push_back({kModelMissingText + leftOut + ".", kSomethingIsZeroCaption});
  }
  if (count < 2) result.notices.push_back({kModelsNeedTwoText, ""});

  ModelTestResult& models = result.models;
  models.reference = ChooseReference(in);
  if (!models.reference) return;
  const Model reference = *models.reference;
  const ModelEntry& ref = in[reference];
  models.referenceLnL = ref.lnL;
  const int kRef = ParameterCount(reference, ref);

  for (Model compared : ComparedWith(reference)) {
    const ModelEntry& x = in[compared];
    if (!usable(compared)) continue;
    if (reference == Model::F81 && compared == Model::K2P) {
      result.notices.push_back({kF81K2PWarning, ""});
    }
    const int df = WrappingSubtract(kRef, ParameterCount(compared, x));
    models.compared.push_back({compared, x.lnL, Test(x.lnL, ref.lnL, df, in.pValue, critical)});
  }
}

}  // namespace

bool EveryTestRan(const AnalysisInput& in, const AnalysisResult& result) {
  if (in.testClock && !result.clock) return false;
  if (in.testGamma && !result.gamma) return false;
  if (in.testModels) {
    if (result.models.compared.empty()) return false;
    for (Model model : kReportOrder) {
      if (in[model].ticked && !TakesPart(in, model)) return false;
    }
  }
  return true;
}

bool TakesPart(const AnalysisInput& in, Model model) {
  return in[model].ticked && !IsMissing(in[model].lnL);
}

std::optional<Model> ChooseReference(const AnalysisInput& in) {
  for (Model candidate : kReportOrder) {
    if (candidate != Model::JC && TakesPart(in, candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<Refusal> CheckInput(const AnalysisInput& in) {
  if (!(in.pValue > 0.0f && in.pValue < 1.0f)) {
    return Refusal{InputField::kPValue, kPValueRangeText};
  }
  if (in.testClock && in.taxa != 0 && in.taxa < 3) {
    return Refusal{InputField::kTaxa, kTaxaRangeText};
  }
  return std::nullopt;
}

AnalysisResult Analyze(const AnalysisInput& input) {
  return Analyze(input, DirectCriticalValues());
}

AnalysisResult Analyze(const AnalysisInput& input, const CriticalValueSource& critical) {
  AnalysisResult result;
  result.refusal = CheckInput(input);
  if (result.refusal) return result;
  if (input.nothingChosen) result.notices.push_back({kNothingChosenText, ""});
  ClockStep(input, result, critical);
  GammaStep(input, result, critical);
  ModelsStep(input, result, critical);
  return result;
}

}  // namespace quillet
