#include "ui/quillet_dlg.h"

#include <utility>

#include "import/likelihood_import.h"
#include "platform/utf8_path.h"
#include "ui/about_dlg.h"
#include "ui/calculate.h"
#include "ui/control_groups.h"
#include "ui/control_ids.h"
#include "ui/file_name.h"
#include "ui/help_topics.h"
#include "ui/import_choices.h"
#include "ui/import_dlg.h"
#include "ui/model_selection_dlg.h"
#include "ui/model_selection_report.h"
#include "ui/program_name.h"
#include "ui/save_report.h"

namespace quillet {

namespace {

struct CommandEntry {
  int id;
  void (CQuilletDlg::*handler)(Window&);
};

// Exit is not here: it ends the window, so it is answered before this table is consulted.
constexpr CommandEntry kCommands[] = {
    {ids::kCalculate, &CQuilletDlg::OnCalculate},
    {ids::kClearAll, &CQuilletDlg::OnClearAll},
    {ids::kFileName, &CQuilletDlg::OnFileName},
    {ids::kTestModels, &CQuilletDlg::OnTestModels},
    {ids::kTestClock, &CQuilletDlg::OnTestClock},
    {ids::kTestGamma, &CQuilletDlg::OnTestGamma},
    {ids::kChiSquareCalc, &CQuilletDlg::OnChiSquareCalc},
    {ids::kHelp, &CQuilletDlg::OnHelp},
    {CQuilletDlg::kIdFileOpen, &CQuilletDlg::OnFileOpen},
};

}  // namespace

CQuilletDlg::CQuilletDlg(ModalHost& host, const Clock& clock, HelpViewer& help,
                         std::function<std::string()> currentDirectory)
    : host_(host), clock_(clock), help_(help), currentDirectory_(std::move(currentDirectory)) {}

bool CQuilletDlg::DoDataExchange(Window& window, bool fromWindow) {
  return m_form.UpdateData(window, fromWindow);
}

// Starts with all three analyses ticked. No enabling rule runs here: every control is enabled
// as the template creates it.
void CQuilletDlg::OnInitDialog(Window& window) {
  Dialog::OnInitDialog(window);
  if (currentDirectory_) m_report.m_szStartDir = currentDirectory_();
  m_form.m_bTestClock = 1;
  m_form.m_bTestModels = 1;
  m_form.m_bTestGamma = 1;
  m_form.UpdateData(window, false);
}

std::optional<int> CQuilletDlg::OnCommand(Window& window, int controlId) {
  if (controlId == ids::kExit) return OnExit(window);
  for (const CommandEntry& entry : kCommands) {
    if (entry.id == controlId) {
      (this->*entry.handler)(window);
      return std::nullopt;
    }
  }
  return Dialog::OnCommand(window, controlId);
}

std::optional<int> CQuilletDlg::OnEscapeKey(Window&) { return std::nullopt; }

std::span<const MenuEntry> CQuilletDlg::MenuEntries() const {
  static constexpr MenuEntry kEntries[] = {
      {kIdmImport, kImportMenuText, "Ctrl+O"},
      {kIdmModelSelection, kModelSelectionMenuText, "Ctrl+M"},
      {kIdmAboutBox, kAboutMenuText, {}},
  };
  return kEntries;
}

bool CQuilletDlg::OnSysCommand(Window& window, int commandId) {
  switch (commandId & 0xFFF0) {
    case kIdmAboutBox: {
      CAboutDlg about;
      host_.DoModal(about);
      return true;
    }
    case kIdmImport:
      OnFileOpen(window);
      return true;
    case kIdmModelSelection:
      OnModelSelection(window);
      return true;
    default:
      return false;
  }
}

bool CQuilletDlg::OnHelpKey(Window& window, int templateId) {
  std::optional<int> topic = F1HelpTopic(templateId);
  if (!topic) return false;
  ShowHelp(window, *topic);
  return true;
}

void CQuilletDlg::OnDropFiles(Window& window, const std::vector<std::string>& paths) {
  OnImport(window, paths);
}

void CQuilletDlg::OnCalculate(Window& window) {
  CommandContext ctx{window, host_, clock_};
  quillet::OnCalculate(m_form, m_report, ctx);
}

void CQuilletDlg::OnFileName(Window& window) {
  CommandContext ctx{window, host_, clock_};
  quillet::OnFileName(m_form, m_report, ctx);
}

// Resets the analysis values without reading the window first, so whatever the fields hold,
// valid or not, is replaced. The report file, the comment, "Save work?", the calculator's
// values and the enabled state of every control stay as they are.
void CQuilletDlg::OnClearAll(Window& window) {
  AnalysisForm& f = m_form;
  RestartReportNumbering(m_report);
  f.m_fPValue = 0.05f;
  f.m_bTestClock = f.m_bTestModels = f.m_bTestGamma = 0;

  // The whole model block: every box, ln L and result text.
  for (ModelRowFields& row : f.m_models) row = ModelRowFields{};

  f.m_nTaxa = 0;
  f.m_fLnLClock = 0;
  f.m_fLnLNoClock = 0;
  f.m_strClockResult.clear();
  f.m_strClockLrt.clear();
  f.m_strClockCrit.clear();

  f.m_strGammaResult.clear();
  f.m_fLnLGamma = 0;
  f.m_fLnLNoGamma = 0;
  f.m_strGammaLrt.clear();
  f.m_strGammaCrit.clear();

  f.UpdateData(window, false);
  // What is typed after Clear All is what Model selection ranks.
  lastImport_.reset();
}

// Each rule runs after its box has toggled itself. A field that fails to parse has shown its
// message; the rule still acts on whatever the flag holds now.
void CQuilletDlg::OnTestModels(Window& window) {
  m_form.UpdateData(window, true);
  ApplyEnablingRule(window, m_form.m_bTestModels, kModelGroup);
}

void CQuilletDlg::OnTestClock(Window& window) {
  m_form.UpdateData(window, true);
  ApplyEnablingRule(window, m_form.m_bTestClock, kClockGroup);
}

void CQuilletDlg::OnTestGamma(Window& window) {
  m_form.UpdateData(window, true);
  ApplyEnablingRule(window, m_form.m_bTestGamma, kGammaGroup);
}

void CQuilletDlg::ApplyEnablingRule(Window& window, int flag, std::span<const int> group) {
  for (int id : group) window.EnableControl(id, flag == 1);
}

// The calculator keeps its own values. Nothing passes between it and the main window, whose
// fields keep whatever the user typed into them, however the calculator was closed.
void CQuilletDlg::OnChiSquareCalc(Window&) { host_.DoModal(m_dlgChiSquare); }

void CQuilletDlg::OnFileOpen(Window& window) {
  // A field that does not parse is told before the files are chosen, not after: the import
  // would stop there, and the files chosen would be dropped without a word.
  if (!m_form.UpdateData(window, true)) return;
  const std::vector<std::string> paths = host_.RunOpenFiles(kImportCaption, importFolder_);
  if (paths.empty()) return;
  importFolder_ = Utf8FromPath(PathFromUtf8(paths.front()).parent_path());
  OnImport(window, paths);
}

// Nothing changes before the user has seen what was found and pressed Apply.
void CQuilletDlg::OnImport(Window& window, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // The rows' ticks choose the variants the dialog offers first. A field that does not parse
  // stops the command, as it stops Calculate, so that writing the form back never overwrites
  // what the user typed.
  if (!m_form.UpdateData(window, true)) return;

  std::vector<FileImport> files;
  files.reserve(paths.size());
  for (const std::string& path : paths) files.push_back(ReadLikelihoodFile(path));
  const ImportTable table = CombineImports(files);
  if (const std::optional<std::string> nothing = NothingImportedMessage(table)) {
    window.MessageBox(*nothing);
    return;
  }

  // The dialog combines the files itself: when they are not one data set, the user chooses
  // which of them to take.
  CImportDlg dialog(std::move(files), RowVariantsOf(m_form));
  if (host_.DoModal(dialog) != kIdOk) return;
  const ImportEffect effect = ApplyImport(dialog.m_table, dialog.m_choices, m_form);
  // Model selection ranks every model found, not only those filled in; the values of files that
  // are not one data set are never ranked together.
  lastImport_.reset();
  if (dialog.m_table.OneDataSet() && !dialog.m_table.values.empty()) lastImport_ = dialog.m_table;
  m_form.UpdateData(window, false);
  // A group greyed out while its box was clear comes back with the box Apply ticked, so the
  // values just filled in are not shown as out of use.
  if (effect.models) ApplyEnablingRule(window, 1, kModelGroup);
  if (effect.gamma) ApplyEnablingRule(window, 1, kGammaGroup);
}

void CQuilletDlg::OnModelSelection(Window& window) {
  // A field that does not parse stops the command, as it stops Calculate: the report's save
  // setup, which Add to report may run, writes the form back into the window.
  if (!m_form.UpdateData(window, true)) return;
  ModelsAtHand atHand =
      lastImport_ ? ModelsOfImport(*lastImport_, m_form.m_nTaxa) : ModelsOfForm(m_form);
  if (atHand.models.empty()) {
    std::string text = kNoModelsText;
    for (const std::string& note : atHand.notes) text += "\n" + note;
    window.MessageBox(text);
    return;
  }
  CModelSelectionDlg dialog(
      std::move(atHand), [this, &window](Window& front, const CriteriaTable& table) {
        return AddModelSelectionToReport(table, window, front, m_form, m_report, host_, clock_);
      });
  host_.DoModal(dialog);
}

void CQuilletDlg::OnHelp(Window& window) { ShowHelp(window, 0); }

void CQuilletDlg::ShowHelp(Window& window, int topic) {
  if (!help_.ShowHelp(kHelpFileName, topic)) window.MessageBox(kHelpMissingMessage);
}

std::optional<int> CQuilletDlg::OnExit(Window& window) { return OnOK(window); }

}  // namespace quillet
