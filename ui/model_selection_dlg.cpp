#include "ui/model_selection_dlg.h"

#include "import/fitted_models.h"

#include <utility>

#include "analysis/analyze.h"
#include "platform/data_exchange.h"
#include "platform/dialog_template.h"
#include "platform/format.h"
#include "platform/parse.h"
#include "report/criteria_text.h"
#include "ui/save_report.h"

namespace quillet {

namespace {

constexpr char kDelta[] = "\xce\x94";  // the Greek capital delta

std::string LnLText(const std::string& written, double lnL) {
  return written.empty() ? FormatRoundTrip(lnL) : written;
}

std::string NameList(const std::vector<ClassicModel>& models) {
  std::string text;
  for (const ClassicModel& model : models)
    text += (text.empty() ? "" : ", ") + CanonicalName(model);
  return text;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// The number of sites a field holds, which the exchange has found to be blank or an integer.
std::optional<int> SitesOf(const std::string& text) {
  return IsBlank(text) ? std::nullopt : ParseIntField(text);
}

}  // namespace

ModelsAtHand ModelsOfImport(const ImportTable& table, int formTaxa) {
  ModelsAtHand atHand;
  atHand.models = FittedModelsOf(table.values);
  atHand.taxa = table.taxa.value_or(formTaxa);
  atHand.sites = table.sites;
  atHand.source = "Models: those the last import found.";
  std::vector<ClassicModel> disputed;
  for (const ValueConflict& conflict : table.conflicts) disputed.push_back(conflict.model);
  if (!disputed.empty()) {
    atHand.notes.push_back("Left out, the files disagree on its value: " + NameList(disputed) +
                           ".");
  }
  return atHand;
}

ModelsAtHand ModelsOfForm(const AnalysisForm& form) {
  ModelsAtHand atHand;
  std::vector<ClassicModel> withoutLnL;
  // The simplest first, as an import lists them.
  for (auto base = kReportOrder.rbegin(); base != kReportOrder.rend(); ++base) {
    const ModelRowFields& row = form[*base];
    if (row.m_bSelected != 1) continue;
    const ClassicModel variant{*base, row.m_bInvar == 1, row.m_bGamma == 1};
    if (IsMissing(row.m_fLnL)) {
      withoutLnL.push_back(variant);
      continue;
    }
    atHand.models.push_back(
        {variant, row.m_fLnL.value, FormatRoundTrip(row.m_fLnL.value, row.m_fLnL.decimals)});
  }
  atHand.taxa = form.m_nTaxa;
  atHand.source = "Models: the rows ticked in the main window.";
  if (!withoutLnL.empty()) {
    atHand.notes.push_back("Left out, ticked without a ln L: " + NameList(withoutLnL) + ".");
  }
  return atHand;
}

CModelSelectionDlg::CModelSelectionDlg(ModelsAtHand atHand, AddToReport addToReport)
    : m_models(std::move(atHand.models)),
      m_strSites(atHand.sites ? FormatInt(*atHand.sites) : std::string()),
      m_nTaxa(atHand.taxa),
      source_(std::move(atHand.source)),
      notes_(std::move(atHand.notes)),
      addToReport_(std::move(addToReport)) {}

bool CModelSelectionDlg::DoDataExchange(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  std::string sites = m_strSites;
  if (!dx.Text(kIdSites, sites)) return false;
  if (fromWindow) {
    // Blank is allowed: not every fitting program states the number of sites.
    if (!IsBlank(sites) && !ParseIntField(sites)) {
      ShowFieldProblem(window, kIdSites, kPleaseEnterInteger);
      return false;
    }
    m_strSites = std::move(sites);
  }
  return dx.Int(kIdTaxa, m_nTaxa);
}

// A ranking that cannot be made is said in the window rather than in a box: the window is where
// the numbers are put right. The cursor waits in the field the refusal is about.
void CModelSelectionDlg::OnInitDialog(Window& window) {
  Rank();
  Dialog::OnInitDialog(window);
  Show(window);
  if (const int field = RefusedField(); field != kNoId) window.FocusAndSelect(field);
}

std::optional<int> CModelSelectionDlg::OnCommand(Window& window, int controlId) {
  switch (controlId) {
    case kIdRank:
      OnRank(window);
      return std::nullopt;
    case kIdCopy:
      OnCopy(window);
      return std::nullopt;
    case kIdAddToReport:
      OnAddToReport(window);
      return std::nullopt;
    default:
      return Dialog::OnCommand(window, controlId);
  }
}

void CModelSelectionDlg::OnRank(Window& window) { Rerank(window); }

void CModelSelectionDlg::OnCopy(Window& window) {
  if (!Rerank(window)) return;
  window.SetClipboardText(CriteriaTsvHeader() + CriteriaTsvRows(*m_table));
}

void CModelSelectionDlg::OnAddToReport(Window& window) {
  if (!Rerank(window) || !addToReport_) return;
  if (std::optional<std::string> problem = addToReport_(window, *m_table)) {
    window.MessageBox(*problem, kReportNotWrittenCaption);
  }
}

void CModelSelectionDlg::Rank() {
  const std::optional<int> sites = SitesOf(m_strSites);
  if (std::optional<std::string> refusal = CheckCriteriaInput(m_models, m_nTaxa, sites)) {
    m_table.reset();
    m_strRefusal = std::move(*refusal);
    return;
  }
  m_table = RankModels(m_models, m_nTaxa, sites);
  m_strRefusal.clear();
}

bool CModelSelectionDlg::Rerank(Window& window) {
  if (!DoDataExchange(window, true)) return false;
  Rank();
  Show(window);
  if (m_table) return true;
  if (const int field = RefusedField(); field != kNoId) {
    ShowFieldProblem(window, field, m_strRefusal);
  }
  return false;
}

void CModelSelectionDlg::Show(Window& window) {
  window.SetControlText(kIdSource, source_);
  std::string notes;
  for (const std::string& note : notes_) notes += note + "\n";
  window.SetControlText(kIdNotes, notes + WorsePairsText(m_models));
  std::string summary = m_table ? FormatCriteriaSummary(*m_table) : m_strRefusal;
  if (!summary.empty() && summary.back() == '\n') summary.pop_back();
  window.SetControlText(kIdSummary, summary);
  window.SetTable(kIdTable, CriteriaTableContent(m_table.value_or(CriteriaTable{})));
  window.EnableControl(kIdCopy, m_table.has_value());
  window.EnableControl(kIdAddToReport, m_table.has_value() && addToReport_ != nullptr);
}

// The check looks at the taxa, then the sites, then the models; asked again with one model that
// always passes, it tells which of the two fields it stopped at.
int CModelSelectionDlg::RefusedField() const {
  if (m_table) return kNoId;
  const FittedModel passes[] = {{ClassicModel{}, -1.0, {}}};
  if (CheckCriteriaInput(passes, m_nTaxa, std::nullopt)) return kIdTaxa;
  if (CheckCriteriaInput(passes, m_nTaxa, SitesOf(m_strSites))) return kIdSites;
  return kNoId;
}

TableContent CriteriaTableContent(const CriteriaTable& table) {
  TableContent content;
  content.columns = {"Model", "ln L", "k"};
  for (Criterion c : kCriteria) {
    const std::string name = CriterionName(c);
    content.columns.insert(content.columns.end(), {name, kDelta + name, "w"});
  }
  for (const CriteriaRow& row : table.rows) {
    std::vector<TableCell> cells = {{CanonicalName(row.model), std::nullopt},
                                    {LnLText(row.lnLText, row.lnL), row.lnL},
                                    {FormatInt(row.k), row.k}};
    for (Criterion c : kCriteria) {
      const CriterionStanding& s = row[c];
      if (!s.score) {
        cells.insert(cells.end(), 3, TableCell{"-", std::nullopt});
        continue;
      }
      cells.push_back({FormatFixed(*s.score, 4) + (s.best ? "*" : ""), *s.score});
      cells.push_back({FormatFixed(*s.delta, 4), *s.delta});
      cells.push_back({FormatFixed(*s.weight, 4) + (s.inConfidenceSet ? "+" : ""), *s.weight});
    }
    content.rows.push_back(std::move(cells));
  }
  return content;
}

std::string WorsePairsText(const std::vector<FittedModel>& models) {
  const std::vector<WorseNestedPair> pairs = WorseNestedPairs(models);
  if (pairs.empty()) return "No model has a lower ln L than a model nested in it.";
  std::string text =
      "Fitted worse than a model nested in it, so the fit did not reach its maximum (fit it "
      "again before relying on the ranking):";
  for (const WorseNestedPair& pair : pairs) {
    text += "\n" + CanonicalName(pair.complex.model) + " (ln L " +
            LnLText(pair.complex.lnLText, pair.complex.lnL) + ") below " +
            CanonicalName(pair.simpler.model) + " (ln L " +
            LnLText(pair.simpler.lnLText, pair.simpler.lnL) + ")";
  }
  return text;
}

}  // namespace quillet
