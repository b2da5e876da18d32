#include "analysis/compare_models.h"

#include <span>

#include "analysis/models.h"
#include "analysis/wrapping_add.h"
#include "stats/lrt.h"

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

}  // namespace

void CompareModels(AnalysisForm& form, Window& window) {
  Model reference;
  if (!FindReference(form, reference)) return;
  ModelFields ref = FieldsOf(form, reference);
  const int kRef = FreeParameterCount(reference, ref.gamma, ref.invar);

  for (Model compared : ComparedWith(reference)) {
    ModelFields x = FieldsOf(form, compared);
    if (x.selected != 1) continue;
    if (reference == Model::F81 && compared == Model::K2P) window.MessageBox(kF81K2PWarning);
    const int df = WrappingSubtract(kRef, FreeParameterCount(compared, x.gamma, x.invar));
    EvaluateLrt(x.lnL, ref.lnL, *x.lrt, *x.crit, *x.result, df, form.m_fPValue);
  }
}

}  // namespace quillet
