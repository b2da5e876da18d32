#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "import/import_table.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/help_viewer.h"
#include "platform/modal_host.h"
#include "ui/analysis_form.h"
#include "ui/chi_square_dlg.h"
#include "ui/report_session.h"

namespace quillet {

// The main window (template 102). It owns the one AnalysisForm for the whole run; every
// command reads the form from the window, acts on it and writes it back. The only direct
// control work is the enabling and disabling of the three analysis groups.
class CQuilletDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 102;
  // System menu command of the About entry; the platform owns the low four bits.
  static constexpr int kIdmAboutBox = 16;
  // System menu command of the Import entry, beside About.
  static constexpr int kIdmImport = 32;
  // System menu command of the Model selection entry, beside Import.
  static constexpr int kIdmModelSelection = 48;
  // The Open command, as Ctrl+O gives it.
  static constexpr int kIdFileOpen = 57601;

  CQuilletDlg(ModalHost& host, const Clock& clock, HelpViewer& help,
              std::function<std::string()> currentDirectory);

  int TemplateId() const override { return kTemplateId; }
  bool DoDataExchange(Window& window, bool fromWindow) override;
  void OnInitDialog(Window& window) override;
  std::optional<int> OnCommand(Window& window, int controlId) override;
  // Escape leaves the main window open with everything typed; Exit and the close box end it.
  std::optional<int> OnEscapeKey(Window& window) override;

  // The Import, Model selection and About entries: chosen from the system menu (or its
  // stand-in) or, for Import, by Ctrl+O and, for Model selection, by Ctrl+M. Returns false for
  // any other command, so the platform handles it.
  std::span<const MenuEntry> MenuEntries() const override;
  bool OnSysCommand(Window& window, int commandId) override;

  // F1 in any window of the program opens that window's topic; `window` owns any message.
  // Returns false for a window that has none.
  bool OnHelpKey(Window& window, int templateId) override;

  // Files dropped on the window are imported.
  bool TakesDroppedFiles() const override { return true; }
  void OnDropFiles(Window& window, const std::vector<std::string>& paths) override;

  void OnCalculate(Window& window);
  void OnClearAll(Window& window);
  void OnFileName(Window& window);
  void OnTestModels(Window& window);
  void OnTestClock(Window& window);
  void OnTestGamma(Window& window);
  void OnChiSquareCalc(Window& window);
  // Ctrl+O and the Import entry: asks for files, then imports them.
  void OnFileOpen(Window& window);
  // Every way files arrive (the Open dialog, dropping them on the window, the command line):
  // reads them, says why any was refused and, when something was found, shows it in the import
  // dialog, whose Apply fills the form. `paths` are UTF-8.
  void OnImport(Window& window, const std::vector<std::string>& paths);
  // Ctrl+M and the Model selection entry: ranks by information criteria every model the last
  // import found or, when there was none, the rows ticked in the main window.
  void OnModelSelection(Window& window);
  void OnHelp(Window& window);
  std::optional<int> OnExit(Window& window);

  AnalysisForm m_form;
  ReportSession m_report;        // the report file, its comment and the analysis number
  CChiSquareDlg m_dlgChiSquare;  // keeps its three values between openings

 private:
  void ApplyEnablingRule(Window& window, int flag, std::span<const int> group);
  void ShowHelp(Window& window, int topic);

  ModalHost& host_;
  const Clock& clock_;
  HelpViewer& help_;
  std::function<std::string()> currentDirectory_;
  std::string importFolder_;  // where the Open dialog opens: the folder of the last import
  // What the last import applied found, while it found any model: Model selection ranks it.
  std::optional<ImportTable> lastImport_;
};

// The entry beside About in the system menu or the window's context menu.
inline constexpr char kImportMenuText[] = "&Import log-likelihoods...";
// The entry beside Import.
inline constexpr char kModelSelectionMenuText[] = "&Model selection...";

}  // namespace quillet
