#include "analysis/analyze.h"

#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "analysis/notices.h"
#include "analysis/wrapping_add.h"
#include "platform/float_round.h"
#include "platform/format.h"
#include "stats/boundary_p_value.h"
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

// The tests run at the level rounded to single precision, as the documented results have it.
float Level(const AnalysisInput& in) { return RoundToFloat(in.pValue); }

// One test of a simpler model against the more complex one it is nested in; a more complex
// model that fits worse is told, by name and value.
LrtOutcome Test(const TestNames& names, double simpler, double complex, int df, int boundary,
                const AnalysisInput& in, const CriticalValueSource& critical,
                AnalysisResult& result) {
  LrtOutcome outcome = RunNestedLrt(simpler, complex, df, critical(Level(in), df));
  // Of the df parameters the more complex model adds, `boundary` (+G, +I) lie on the edge of
  // their range under the simpler one; the others are ordinary.
  if (boundary > 0 && df >= boundary) {
    outcome.pBoundary =
        BoundaryPValue(outcome.statistic, df - boundary, boundary,
                       outcome.complexFitsWorse ? std::nullopt : std::optional(outcome.pValue));
  }
  const std::string note = WorseFitNote(outcome, names, simpler, complex);
  if (!note.empty()) result.notices.push_back({note, kWorseFitCaption});
  return outcome;
}

// The extras (+G, +I) the reference adds to a compared model.
int BoundaryCount(const ModelEntry& reference, const ModelEntry& compared) {
  return (reference.gamma && !compared.gamma ? 1 : 0) +
         (reference.invariants && !compared.invariants ? 1 : 0);
}

std::string RowName(Model model, const ModelEntry& entry) {
  return CanonicalName({model, entry.invariants, entry.gamma});
}

void ClockStep(const AnalysisInput& in, AnalysisResult& result,
               const CriticalValueSource& critical) {
  if (!in.testClock) return;
  if (IsMissing(in.lnLClock) || IsMissing(in.lnLNoClock) || in.taxa == 0) {
    result.notices.push_back({kClockMissingText, kSomethingIsZeroCaption});
    result.clockMissing = true;
    return;
  }
  // Without the clock is the more complex hypothesis.
  result.clock = Test(ClockTestNames(), in.lnLClock, in.lnLNoClock, WrappingAdd(in.taxa, -2), 0, in,
                      critical, result);
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
  // The one parameter the test adds is a gamma shape or a proportion of invariable sites.
  result.gamma = Test(GammaTestNames(in), in.lnLNoGamma, in.lnLGamma, 1, 1, in, critical, result);
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
    models.compared.push_back({compared, x.lnL,
                               Test(ModelTestNames(in, compared, reference), x.lnL, ref.lnL, df,
                                    BoundaryCount(ref, x), in, critical, result)});
  }
}

}  // namespace

TestNames ClockTestNames() { return {"the tree with the clock", "the tree without the clock"}; }

TestNames GammaTestNames(const AnalysisInput& in) {
  if (in.gammaModels) {
    return {CanonicalName(in.gammaModels->second), CanonicalName(in.gammaModels->first)};
  }
  return {"the model without gamma/invariants", "the model with gamma/invariants"};
}

TestNames ModelTestNames(const AnalysisInput& in, Model compared, Model reference) {
  return {RowName(compared, in[compared]), RowName(reference, in[reference])};
}

std::string WorseFitNote(const LrtOutcome& outcome, const TestNames& names, double simpler,
                         double complex) {
  if (!outcome.complexFitsWorse) return {};
  return WorseFitText(names.complex, complex, names.simpler, simpler);
}

bool EveryTestRan(const AnalysisInput& in, const AnalysisResult& result) {
  // A test whose more complex model fits worse was not really made: the fit needs redoing.
  auto made = [](const std::optional<LrtOutcome>& test) { return test && !test->complexFitsWorse; };
  if (in.testClock && !made(result.clock)) return false;
  if (in.testGamma && !made(result.gamma)) return false;
  if (in.testModels) {
    if (result.models.compared.empty()) return false;
    for (const ModelComparison& c : result.models.compared) {
      if (c.outcome.complexFitsWorse) return false;
    }
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
  if (!(in.pValue > 0.0 && Level(in) < 1.0f)) {
    return Refusal{InputField::kPValue, kPValueRangeText, kPValueRangeReason, std::nullopt};
  }
  if (in.pValue < std::numeric_limits<float>::min()) {
    const std::string reason = FormatGeneral(in.pValue, 6) + kPValueTooSmallReason;
    return Refusal{InputField::kPValue, kPValueLabel + std::string(": ") + reason, reason,
                   std::nullopt};
  }
  if (in.testClock && in.taxa != 0 && in.taxa < 3) {
    return Refusal{InputField::kTaxa, kTaxaRangeText, kTaxaRangeReason, std::nullopt};
  }
  // A log-likelihood of sequence data is at most 0, and a number.
  auto lnL = [](InputField field, std::optional<Model> model, const std::string& label,
                double value) -> std::optional<Refusal> {
    std::string reason;
    if (!std::isfinite(value)) {
      reason = kLnLNotFiniteReason;
    } else if (value > 0.0) {
      reason = FormatRoundTrip(value) + kLnLAboveZeroReason;
    } else {
      return std::nullopt;
    }
    return Refusal{field, label + ": " + reason, reason, model};
  };
  std::optional<Refusal> refusal;
  if (in.testClock) {
    if (!refusal) refusal = lnL(InputField::kLnLClock, {}, kLnLClockLabel, in.lnLClock);
    if (!refusal) refusal = lnL(InputField::kLnLNoClock, {}, kLnLNoClockLabel, in.lnLNoClock);
  }
  if (in.testGamma) {
    if (!refusal) refusal = lnL(InputField::kLnLGamma, {}, kLnLGammaLabel, in.lnLGamma);
    if (!refusal) refusal = lnL(InputField::kLnLNoGamma, {}, kLnLNoGammaLabel, in.lnLNoGamma);
  }
  if (in.testModels) {
    for (Model model : kReportOrder) {
      if (refusal || !in[model].ticked) continue;
      refusal =
          lnL(InputField::kModelLnL, model, std::string(ModelName(model)) + " ln L", in[model].lnL);
    }
  }
  return refusal;
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
