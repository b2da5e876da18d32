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
    summary.push_back({file.source, file.format, !file.refusal.has_value()});
  }
  return summary;
}

CImportDlg::CImportDlg(ImportTable table, std::vector<ImportedFile> files, ImportChoices choices)
    : m_table(std::move(table)), m_files(std::move(files)), m_choices(std::move(choices)) {
  for (std::size_t row = 0; row < kReportOrder.size(); ++row) {
    rowItems_[row].push_back(std::nullopt);
    for (const ClassicModel& variant : Variants(kReportOrder[row])) {
      if (FindValue(m_table, variant)) rowItems_[row].push_back(variant);
    }
  }
  gammaItems_.push_back(std::nullopt);
  for (const GammaPair& pair : GammaPairs(m_table)) gammaItems_.push_back(pair);
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

// The grid, the lists' items and the messages are filled once: they show what the files hold,
// which does not change while the dialog is open. Only the choices take part in the exchange.
void CImportDlg::OnInitDialog(Window& window) {
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
  } else {
    window.SetControlText(kIdTaxa, m_table.taxaReadings.empty()
                                       ? "Number of taxa: not stated in the files"
                                       : "Number of taxa: the files disagree (see below)");
  }
  window.EnableControl(kIdTaxa, m_table.taxa.has_value());
  window.SetControlText(kIdMessages, MessagesText());

  Dialog::OnInitDialog(window);
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

std::string CImportDlg::MessagesText() const {
  std::string text = "Files:";
  for (std::size_t i = 0; i < m_files.size(); ++i) {
    const ImportedFile& file = m_files[i];
    text += "\n[" + std::to_string(i + 1) + "] " + file.source + " (" +
            (file.read ? file.format : "not read") + ")";
  }
  if (!m_table.messages.empty()) text += "\n";
  for (const std::string& message : m_table.messages) text += "\n" + message;
  return text;
}

}  // namespace quillet
