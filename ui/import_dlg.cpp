#include "ui/import_dlg.h"

#include <algorithm>
#include <utility>

#include "analysis/model.h"
#include "platform/data_exchange.h"

namespace quillet {

namespace {

constexpr char kNoValueText[] = "\xe2\x80\x94";  // an em dash: nothing found

// The four variants of a base model in the grid's column order.
std::array<ClassicModel, 4> Variants(Model base) {
  return {ClassicModel{base, false, false}, ClassicModel{base, true, false},
          ClassicModel{base, false, true}, ClassicModel{base, true, true}};
}

template <typename T>
int IndexOf(const std::vector<std::optional<T>>& items, const std::optional<T>& item) {
  auto it = std::find(items.begin(), items.end(), item);
  // A choice the list cannot show is left as it is, which is what Apply would do with it.
  return it == items.end() ? 0 : static_cast<int>(it - items.begin());
}

template <typename T>
std::optional<T> ItemAt(const std::vector<std::optional<T>>& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return std::nullopt;
  return items[static_cast<std::size_t>(index)];
}

}  // namespace

std::vector<ImportedFile> SummarizeFiles(const std::vector<FileImport>& files) {
  std::vector<ImportedFile> summary;
  for (const FileImport& file : files) {
    summary.push_back({file.source, file.format, !file.refusal.has_value(), file.taxa, file.sites});
  }
  return summary;
}

CImportDlg::CImportDlg(ImportTable table, std::vector<ImportedFile> files, ImportChoices choices)
    : m_table(std::move(table)), m_files(std::move(files)), m_choices(std::move(choices)) {
  all_ = m_table;
  dataSetItems_.push_back(m_table.dataSets.size() == 1 ? m_table.dataSets.front() : DataSet{});
  ShowDataSet(0);
}

CImportDlg::CImportDlg(std::vector<FileImport> files, const RowVariants& variants)
    : m_files(SummarizeFiles(files)), imports_(std::move(files)), variants_(variants) {
  all_ = CombineImports(imports_);
  if (all_.OneDataSet()) {
    dataSetItems_.push_back(all_.dataSets.empty() ? DataSet{} : all_.dataSets.front());
  } else {
    dataSetItems_.push_back(std::nullopt);
    for (const DataSet& set : all_.dataSets) dataSetItems_.push_back(set);
  }
  ShowDataSet(0);
}

void CImportDlg::ShowDataSet(int item) {
  shown_ = item;
  const std::optional<DataSet>& set = dataSetItems_[static_cast<std::size_t>(item)];
  m_table = dataSetItems_.size() > 1 && set ? CombineImports(FilesOf(imports_, *set)) : all_;
  for (std::size_t row = 0; row < kReportOrder.size(); ++row) {
    rowItems_[row] = {std::nullopt};
    if (!m_table.OneDataSet()) continue;
    for (const ClassicModel& variant : Variants(kReportOrder[row])) {
      if (FindValue(m_table, variant)) rowItems_[row].push_back(variant);
    }
  }
  gammaItems_ = {std::nullopt};
  if (m_table.OneDataSet()) {
    for (const GammaPair& pair : GammaPairs(m_table)) gammaItems_.push_back(pair);
  }
  if (variants_) m_choices = DefaultChoices(m_table, *variants_);
}

bool CImportDlg::DoDataExchange(Window& window, bool fromWindow) {
  DataExchange dx(window, fromWindow);
  for (std::size_t row = 0; row < kReportOrder.size(); ++row) {
    std::optional<ClassicModel>& choice = m_choices.rows[static_cast<int>(kReportOrder[row])];
    int index = IndexOf(rowItems_[row], choice);
    dx.ComboIndex(kIdFirstRowChoice + static_cast<int>(row), index);
    if (fromWindow) choice = ItemAt(rowItems_[row], index);
  }
  int takeTaxa = m_choices.taxa ? 1 : 0;
  dx.Check(kIdTaxa, takeTaxa);
  if (fromWindow) m_choices.taxa = takeTaxa == 1;
  int pair = IndexOf(gammaItems_, m_choices.gamma);
  dx.ComboIndex(kIdGammaPair, pair);
  if (fromWindow) m_choices.gamma = ItemAt(gammaItems_, pair);
  return true;
}

// The grid, the lists' items and the messages show what the files of the data set shown hold;
// they change only when another data set is shown. The choices take part in the exchange.
void CImportDlg::OnInitDialog(Window& window) {
  FillControls(window);
  // Files that are not one data set leave nothing to choose but the data set.
  if (dataSetItems_.size() > 1) window.FocusAndSelect(kIdDataSet);
  Dialog::OnInitDialog(window);
}

std::optional<int> CImportDlg::OnCommand(Window& window, int controlId) {
  if (controlId != kIdShowDataSet) return Dialog::OnCommand(window, controlId);
  // Showing the data set shown again would only undo the choices made in it.
  const int item = window.GetComboSelection(kIdDataSet);
  if (item >= 0 && item < static_cast<int>(dataSetItems_.size()) && item != shown_) {
    ShowDataSet(item);
    FillControls(window);
    DoDataExchange(window, false);
  }
  return std::nullopt;
}

std::optional<int> CImportDlg::OnOK(Window& window) {
  const int item = window.GetComboSelection(kIdDataSet);
  if (dataSetItems_.size() > 1 && item >= 0 && item != shown_) {
    return OnCommand(window, kIdShowDataSet);
  }
  return Dialog::OnOK(window);
}

void CImportDlg::FillControls(Window& window) {
  for (std::size_t row = 0; row < kReportOrder.size(); ++row) {
    const std::array<ClassicModel, 4> variants = Variants(kReportOrder[row]);
    for (int column = 0; column < 4; ++column) {
      window.SetControlText(CellId(static_cast<int>(row), column),
                            CellText(variants[static_cast<std::size_t>(column)]));
    }
    std::vector<std::string> items;
    for (const std::optional<ClassicModel>& item : rowItems_[row]) {
      items.push_back(item ? CanonicalName(*item) : kLeaveRowText);
    }
    window.SetComboItems(kIdFirstRowChoice + static_cast<int>(row), items);
  }

  std::vector<std::string> pairs;
  for (const std::optional<GammaPair>& item : gammaItems_) {
    pairs.push_back(item ? DescribePair(*item) : kLeaveGammaText);
  }
  window.SetComboItems(kIdGammaPair, pairs);

  if (m_table.taxa) {
    window.SetControlText(kIdTaxa, "Fill in the number of taxa: " + std::to_string(*m_table.taxa));
  } else if (!m_table.OneDataSet()) {
    window.SetControlText(kIdTaxa, "Number of taxa: the files are not one data set (see below)");
  } else {
    window.SetControlText(kIdTaxa, m_table.taxaReadings.empty()
                                       ? "Number of taxa: not stated in the files"
                                       : "Number of taxa: the files disagree (see below)");
  }
  window.EnableControl(kIdTaxa, m_table.taxa.has_value());

  std::vector<std::string> sets;
  for (const std::optional<DataSet>& item : dataSetItems_) {
    sets.push_back(item ? DataSetText(*item) : kChooseDataSetText);
  }
  window.SetComboItems(kIdDataSet, sets);
  window.SetComboSelection(kIdDataSet, shown_);
  window.EnableControl(kIdDataSet, dataSetItems_.size() > 1);
  window.EnableControl(kIdShowDataSet, dataSetItems_.size() > 1);

  window.SetControlText(kIdMessages, MessagesText());
}

std::string CImportDlg::CellText(const ClassicModel& model) const {
  if (const ImportedValue* value = FindValue(m_table, model)) {
    return value->lnL + " " + FileNumbers({value});
  }
  for (const ValueConflict& conflict : m_table.conflicts) {
    if (conflict.model != model) continue;
    std::vector<const ImportedValue*> values;
    for (const ImportedValue& v : conflict.values) values.push_back(&v);
    return "conflict " + FileNumbers(values);
  }
  return kNoValueText;
}

// "[1]", "[2,5]": the numbers of the files the values come from, each once, in order.
std::string CImportDlg::FileNumbers(const std::vector<const ImportedValue*>& values) const {
  std::vector<int> numbers;
  for (const ImportedValue* value : values) {
    for (std::size_t i = 0; i < m_files.size(); ++i) {
      if (m_files[i].source == value->source) {
        numbers.push_back(static_cast<int>(i) + 1);
        break;
      }
    }
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  std::string text = "[";
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += ",";
    text += std::to_string(numbers[i]);
  }
  return text + "]";
}

namespace {

// "1", "1, 3", "1-4, 7": file numbers, runs of three or more as ranges.
std::string NumberList(const std::vector<std::size_t>& positions) {
  std::string text;
  for (std::size_t i = 0; i < positions.size();) {
    std::size_t end = i;
    while (end + 1 < positions.size() && positions[end + 1] == positions[end] + 1) ++end;
    text += (text.empty() ? "" : ", ") + std::to_string(positions[i] + 1);
    if (end >= i + 2) {
      text += "-" + std::to_string(positions[end] + 1);
      i = end + 1;
    } else {
      ++i;
    }
  }
  return text;
}

}  // namespace

// "files 1, 3: 20 taxa", "file 2: 27 taxa and 3925 sites".
std::string CImportDlg::DataSetText(const DataSet& set) const {
  const std::string counts = DescribeCounts(set.taxa, set.sites);
  if (set.files.empty()) return counts.empty() ? "the files: taxa and sites not stated" : counts;
  return (set.files.size() == 1 ? "file " : "files ") + NumberList(set.files) + ": " +
         (counts.empty() ? "taxa and sites not stated" : counts);
}

std::optional<std::string> NothingImportedMessage(const ImportTable& table) {
  if (!table.values.empty() || !table.conflicts.empty() || !table.taxaReadings.empty() ||
      !table.sitesReadings.empty()) {
    return std::nullopt;
  }
  std::string text = kNothingImportedText;
  if (!table.messages.empty()) text += "\n";
  for (const std::string& message : table.messages) text += "\n" + message;
  return text;
}

std::string CImportDlg::MessagesText() const {
  std::string text = "Files:";
  for (std::size_t i = 0; i < m_files.size(); ++i) {
    const ImportedFile& file = m_files[i];
    const std::string counts = DescribeCounts(file.taxa, file.sites);
    text += "\n[" + std::to_string(i + 1) + "] " + file.source + " (" +
            (file.read ? file.format + (counts.empty() ? "" : ", " + counts) : "not read") + ")";
  }
  std::vector<std::string> lines;
  if (dataSetItems_.size() > 1) {
    const std::optional<DataSet>& set = dataSetItems_[static_cast<std::size_t>(shown_)];
    lines.push_back(set ? "Data set shown: " + DataSetText(*set) + ". The other files are left out."
                        : "Choose the files of one data set under Data set and press Show: "
                          "these state different numbers of taxa or sites. Until then Apply "
                          "fills nothing.");
  }
  lines.insert(lines.end(), m_table.messages.begin(), m_table.messages.end());
  if (!lines.empty()) text += "\n";
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

}  // namespace quillet
