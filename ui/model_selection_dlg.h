#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/criteria.h"
#include "import/import_table.h"
#include "platform/dialog.h"
#include "platform/table_content.h"
#include "ui/analysis_form.h"

namespace quillet {

// The models a ranking starts from, with the numbers of taxa and sites known for them.
struct ModelsAtHand {
  std::vector<FittedModel> models;
  int taxa = 0;
  std::optional<int> sites;
  std::string source;              // where the models come from, as the window says it
  std::vector<std::string> notes;  // models left out, and why
};

// Every model the import found a value for, with the taxa and sites the files state; where they
// state no number of taxa, the main window's. A model the files disagree on is left out.
ModelsAtHand ModelsOfImport(const ImportTable& table, int formTaxa);

// The main window's ticked rows, each as the variant its gamma and invar boxes name, with its
// ln L as the field shows it, and the number of taxa of the clock test. A row ticked without its
// ln L is left out, as Calculate leaves it out: ranked at 0 it would win every criterion.
ModelsAtHand ModelsOfForm(const AnalysisForm& form);

// The model selection window (template 133): the models at hand ranked by AIC, AICc and BIC, the
// numbers of sites and taxa they are ranked with (editable: Rank ranks again), the nested pairs
// whose more complex model has the lower ln L, what the weights are over, or why no ranking can
// be made. Copy puts the table on the clipboard as tab-separated text; Add to report writes it
// as the report's next analysis. Close (or Escape) ends it.
class CModelSelectionDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 133;
  static constexpr int kIdSites = 1200;
  static constexpr int kIdTaxa = 1201;
  static constexpr int kIdRank = 1202;
  static constexpr int kIdSource = 1203;
  static constexpr int kIdNotes = 1204;  // the models left out, then the nested pairs fitted worse
  static constexpr int kIdSummary = 1205;  // what the weights are over, or why no ranking
  static constexpr int kIdTable = 1206;
  static constexpr int kIdCopy = 1207;
  static constexpr int kIdAddToReport = 1208;

  // Writes a ranking to the report; `window` is the model selection window, which owns any
  // message. Returns the message for the user when nothing was written.
  using AddToReport =
      std::function<std::optional<std::string>(Window& window, const CriteriaTable& table)>;

  explicit CModelSelectionDlg(ModelsAtHand atHand, AddToReport addToReport = {});

  int TemplateId() const override { return kTemplateId; }
  // The number of sites as text (empty when not known) and the number of taxa. From the window a
  // number of sites that is neither empty nor an integer fails like any integer field.
  bool DoDataExchange(Window& window, bool fromWindow) override;
  void OnInitDialog(Window& window) override;
  std::optional<int> OnCommand(Window& window, int controlId) override;

  // Each reads the two fields and ranks again first, so that it acts on the numbers shown.
  void OnRank(Window& window);
  void OnCopy(Window& window);
  void OnAddToReport(Window& window);

  std::vector<FittedModel> m_models;
  std::string m_strSites;  // empty: not known
  int m_nTaxa = 0;
  std::optional<CriteriaTable> m_table;  // the ranking shown; nothing while one is refused
  std::string m_strRefusal;              // why not, when m_table is empty

 private:
  // Ranks the members; false when the input is refused.
  void Rank();
  // Reads the fields and ranks; false when a field did not parse or the ranking was refused, and
  // a field the refusal is about has been pointed out.
  bool Rerank(Window& window);
  void Show(Window& window);
  // The field a refusal is about, or kNoId.
  int RefusedField() const;

  std::string source_;
  std::vector<std::string> notes_;
  AddToReport addToReport_;
};

// The table as the window shows it: the columns of the tab-separated text (Model, ln L, k, then
// score, difference and weight for each criterion), with "*" after the score of the model each
// criterion selects and "+" after the weight of each model in its 95% confidence set; "-" where
// a criterion is not defined. Every number sorts by its value.
TableContent CriteriaTableContent(const CriteriaTable& table);

// The lines above the table that name the nested pairs whose more complex model has the lower
// ln L; a line saying there are none when there are none.
std::string WorsePairsText(const std::vector<FittedModel>& models);

inline constexpr char kModelSelectionCaption[] = "Model selection";
inline constexpr char kNoModelsText[] =
    "There is no model to rank. Import the fitting program's files (Ctrl+O), or tick the models "
    "in the main window and enter their ln L.";

}  // namespace quillet
