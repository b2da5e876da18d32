#include "ui/import_choices.h"

namespace quillet {

std::string DescribePair(const GammaPair& pair) {
  return CanonicalName(pair.with) + " against " + CanonicalName(pair.without);
}

ClassicModel RowVariant(AnalysisForm& form, Model model) {
  const ModelRowFields& row = form[model];
  return {model, row.m_bInvar == 1, row.m_bGamma == 1};
}

std::vector<GammaPair> GammaPairs(const ImportTable& table) {
  std::vector<GammaPair> pairs;
  for (Model base : kReportOrder) {
    const ClassicModel plain{base, false, false}, invar{base, true, false},
        gamma{base, false, true}, both{base, true, true};
    for (const GammaPair& pair : {GammaPair{gamma, plain}, GammaPair{invar, plain},
                                  GammaPair{both, gamma}, GammaPair{both, invar}}) {
      if (FindValue(table, pair.with) && FindValue(table, pair.without)) pairs.push_back(pair);
    }
  }
  return pairs;
}

ImportChoices DefaultChoices(const ImportTable& table, AnalysisForm& form) {
  ImportChoices choices;
  for (Model model : kReportOrder) {
    const ClassicModel current = RowVariant(form, model);
    if (FindValue(table, current)) choices.rows[static_cast<int>(model)] = current;
  }
  choices.taxa = table.taxa.has_value();
  return choices;
}

ImportEffect ApplyImport(const ImportTable& table, const ImportChoices& choices,
                         AnalysisForm& form) {
  ImportEffect effect;
  for (Model model : kReportOrder) {
    const std::optional<ClassicModel>& choice = choices.rows[static_cast<int>(model)];
    if (!choice || choice->base != model) continue;
    const ImportedValue* value = FindValue(table, *choice);
    if (!value) continue;
    ModelRowFields& row = form[model];
    row.m_bSelected = 1;
    row.m_fLnL = LnLAsFloat(*value);
    row.m_bGamma = choice->gamma ? 1 : 0;
    row.m_bInvar = choice->invariants ? 1 : 0;
    effect.models = true;
  }
  if (effect.models) {
    form.m_bTestModels = 1;
    for (std::string* text : form.ModelResultTexts()) text->clear();
  }

  if (choices.gamma) {
    const ImportedValue* with = FindValue(table, choices.gamma->with);
    const ImportedValue* without = FindValue(table, choices.gamma->without);
    if (with && without) {
      form.m_fLnLGamma = LnLAsFloat(*with);
      form.m_fLnLNoGamma = LnLAsFloat(*without);
      form.m_bTestGamma = 1;
      form.m_strGammaLrt.clear();
      form.m_strGammaCrit.clear();
      form.m_strGammaResult.clear();
      effect.gamma = true;
    }
  }

  if (choices.taxa && table.taxa) {
    form.m_nTaxa = *table.taxa;
    form.m_strClockLrt.clear();
    form.m_strClockCrit.clear();
    form.m_strClockResult.clear();
    effect.taxa = true;
  }
  return effect;
}

}  // namespace quillet
