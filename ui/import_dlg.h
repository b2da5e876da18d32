#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "import/file_import.h"
#include "import/import_table.h"
#include "platform/dialog.h"
#include "ui/import_choices.h"

namespace quillet {

// One file given to the import, as the dialog lists it.
struct ImportedFile {
  std::string source;  // the name the messages use
  std::string format;  // "PhyML statistics"
  bool read = true;    // false when the file was refused
  std::optional<int> taxa;
  std::optional<int> sites;
};

std::vector<ImportedFile> SummarizeFiles(const std::vector<FileImport>& files);

// "Nothing was imported." with the files' messages (their refusals) when the files gave no value
// and no number of taxa or sites: shown instead of the import dialog. Otherwise nothing.
std::optional<std::string> NothingImportedMessage(const ImportTable& table);

// The import dialog (template 132): what the files hold, shown before anything changes, and
// the user's choice of what goes into the main window. The grid has the main window's rows
// (GTR at the top) and one column per variant; each cell shows the value found and the number
// of its file. OK (Apply) keeps the choices; the caller applies them.
//
// Files that are not one data set (they state different numbers of taxa or sites) fill
// nothing: the grid shows what they all hold, but the lists offer only "leave as it is" until
// the user chooses the files of one data set under "Data set" and presses Show, which shows the
// table of those files alone. Apply with another data set chosen than the one shown shows it
// instead of applying, so that nothing unseen is filled.
class CImportDlg : public Dialog {
 public:
  static constexpr int kTemplateId = 132;
  // Cell of screen row r (0 for GTR .. 5 for JC) and variant column c (plain, +I, +G, +I+G).
  static constexpr int kIdFirstCell = 1100;
  static constexpr int kIdFirstRowChoice = 1130;  // one list per screen row
  static constexpr int kIdTaxa = 1140;
  static constexpr int kIdGammaPair = 1141;
  static constexpr int kIdMessages = 1142;
  static constexpr int kIdDataSet = 1143;
  static constexpr int kIdShowDataSet = 1144;

  static constexpr int CellId(int screenRow, int column) {
    return kIdFirstCell + 4 * screenRow + column;
  }

  // A table already combined, with no choice of data set.
  CImportDlg(ImportTable table, std::vector<ImportedFile> files, ImportChoices choices);
  // The files as read. The choices open on each row's variant in `variants` (the main window's
  // ticks) where the table shown holds it.
  CImportDlg(std::vector<FileImport> files, const RowVariants& variants);

  int TemplateId() const override { return kTemplateId; }
  bool DoDataExchange(Window& window, bool fromWindow) override;
  void OnInitDialog(Window& window) override;
  std::optional<int> OnCommand(Window& window, int controlId) override;
  std::optional<int> OnOK(Window& window) override;

  ImportTable m_table;  // the table shown, which Apply fills from
  std::vector<ImportedFile> m_files;
  ImportChoices m_choices;

 private:
  void ShowDataSet(int item);  // an item of the Data set list
  void FillControls(Window& window);
  std::string CellText(const ClassicModel& model) const;
  std::string FileNumbers(const std::vector<const ImportedValue*>& values) const;
  std::string DataSetText(const DataSet& set) const;
  std::string MessagesText() const;

  std::vector<FileImport> imports_;  // the files, when the dialog was given them
  ImportTable all_;                  // every file combined
  std::optional<RowVariants> variants_;
  // The Data set list: with several data sets, "choose" first and then each set; otherwise the
  // one set of all files. `shown_` is the item whose table is shown.
  std::vector<std::optional<DataSet>> dataSetItems_;
  int shown_ = 0;
  // What each list offers: nothing (leave as it is) first, then what the files hold.
  std::array<std::vector<std::optional<ClassicModel>>, 6> rowItems_;
  std::vector<std::optional<GammaPair>> gammaItems_;
};

inline constexpr char kImportCaption[] = "Import log-likelihoods";
inline constexpr char kLeaveRowText[] = "Leave as it is";
inline constexpr char kLeaveGammaText[] = "Leave the gamma test as it is";
inline constexpr char kNothingImportedText[] = "Nothing was imported.";
inline constexpr char kChooseDataSetText[] = "Choose the files of one data set";

}  // namespace quillet
