#include "ui/import_choices.h"

#include "platform/parse.h"
#include "ui/form_data.h"

namespace quillet {

namespace {

// An imported value as a field shows it: with the decimals the file wrote.
WrittenNumber Written(const ImportTable& table, const ClassicModel& model) {
  const ImportedValue* value = FindValue(table, model);
  return value ? WrittenNumber(value->value, DecimalsWritten(value->lnL)) : WrittenNumber();
}

}  // namespace

ClassicModel RowVariant(AnalysisForm& form, Model model) {
  const ModelRowFields& row = form[model];
  return {model, row.m_bInvar == 1, row.m_bGamma == 1};
}

RowVariants RowVariantsOf(AnalysisForm& form) {
  RowVariants variants;
  for (Model model : kReportOrder) variants[static_cast<int>(model)] = RowVariant(form, model);
  return variants;
}

ImportChoices DefaultChoices(const ImportTable& table, AnalysisForm& form) {
  return DefaultChoices(table, RowVariantsOf(form));
}

ImportChoices DefaultChoices(const ImportTable& table, const RowVariants& variants) {
  ImportChoices choices;
  if (!table.OneDataSet()) return choices;
  for (const ClassicModel& variant : variants) {
    if (FindValue(table, variant)) choices.rows[static_cast<int>(variant.base)] = variant;
  }
  choices.taxa = table.taxa.has_value();
  return choices;
}

ImportEffect ApplyImport(const ImportTable& table, const ImportChoices& choices,
                         AnalysisForm& form) {
  AnalysisInput in = InputFromForm(form);
  const ImportFill fill = FillInput(choices, table, in);

  // Only what was filled goes back, so the rest of the form keeps its exact values.
  for (Model model : kReportOrder) {
    if (!fill.rows[static_cast<int>(model)]) continue;
    const ModelEntry& filled = in[model];
    ModelRowFields& row = form[model];
    row.m_bSelected = 1;
    row.m_fLnL = Written(table, ClassicModel{model, filled.invariants, filled.gamma});
    row.m_bGamma = filled.gamma ? 1 : 0;
    row.m_bInvar = filled.invariants ? 1 : 0;
  }
  if (fill.AnyRow()) {
    form.m_bTestModels = 1;
    for (std::string* text : form.ModelResultTexts()) text->clear();
  }
  if (fill.gamma) {
    form.m_fLnLGamma = Written(table, choices.gamma->with);
    form.m_fLnLNoGamma = Written(table, choices.gamma->without);
    form.m_bTestGamma = 1;
    form.m_strGammaLrt.clear();
    form.m_strGammaCrit.clear();
    form.m_strGammaResult.clear();
  }
  if (fill.taxa) {
    form.m_nTaxa = in.taxa;
    form.m_strClockLrt.clear();
    form.m_strClockCrit.clear();
    form.m_strClockResult.clear();
  }
  return {fill.AnyRow(), fill.gamma, fill.taxa};
}

}  // namespace quillet
