#include "import/import_builder.h"

#include <algorithm>

#include "import/decimal_text.h"

namespace quillet {

ImportBuilder::ImportBuilder(std::string source, std::string format)
    : source_(std::move(source)), format_(std::move(format)) {}

void ImportBuilder::AddValue(const ClassicModel& model, std::string_view text, bool negate) {
  const std::string written = negate ? NegatedDecimal(text) : std::string(text);
  const std::optional<double> value = DecimalValue(written);
  const std::string name = CanonicalName(model);
  if (!value) {
    Note(name + ": \"" + std::string(text.substr(0, 40)) + "\" is not a number; not read");
    return;
  }
  if (*value > 0.0) {
    Note(name + ": the log-likelihood " + written +
         " is above zero, which no fit can give; not read");
    return;
  }
  values_.push_back(ImportedValue{model, written, *value, source_});
}

void ImportBuilder::LeaveOut(std::string_view name, LeftOutReason reason) {
  const auto index = static_cast<std::size_t>(reason);
  if (leftOut_[index]++ == 0) leftOutExample_[index] = std::string(name.substr(0, 40));
}

void ImportBuilder::SetTaxa(int taxa) {
  if (taxa <= 0) return;
  if (taxa_ && *taxa_ != taxa) taxaDisagree_ = true;
  if (!taxa_) taxa_ = taxa;
}

void ImportBuilder::Note(std::string note) {
  // A damaged file could otherwise produce a note per line.
  if (notes_.size() < 20) {
    notes_.push_back(std::move(note));
  } else if (notes_.size() == 20) {
    notes_.push_back("further notes left out");
  }
}

FileImport ImportBuilder::Finish() {
  FileImport result;
  result.source = source_;
  result.format = format_;
  MergeValues(values_, result.values, result.conflicts);
  for (const ValueConflict& conflict : result.conflicts) {
    result.notes.push_back("different values for " + DescribeConflict(conflict) +
                           "; that model is left unfilled");
  }
  if (taxaDisagree_) {
    result.notes.push_back("the file states different numbers of taxa; none is taken");
  } else {
    result.taxa = taxa_;
  }
  int total = 0;
  std::string parts;
  for (std::size_t i = 0; i < leftOut_.size(); ++i) {
    if (leftOut_[i] == 0) continue;
    total += leftOut_[i];
    if (!parts.empty()) parts += "; ";
    parts += std::to_string(leftOut_[i]) + " " + LeftOutReasonText(static_cast<LeftOutReason>(i)) +
             " (such as " + leftOutExample_[i] + ")";
  }
  result.leftOut = total;
  if (total > 0) {
    result.notes.push_back(std::to_string(total) + (total == 1 ? " model is" : " models are") +
                           " not among the 24 and left out: " + parts);
  }
  result.notes.insert(result.notes.end(), notes_.begin(), notes_.end());
  return result;
}

FileImport ImportBuilder::Refuse(std::string_view reason) {
  FileImport result;
  result.source = source_;
  result.format = format_;
  result.refusal = source_ + ": " + std::string(reason);
  return result;
}

void MergeValues(const std::vector<ImportedValue>& in, std::vector<ImportedValue>& values,
                 std::vector<ValueConflict>& conflicts) {
  std::array<std::vector<const ImportedValue*>, 24> byModel;
  for (const ImportedValue& value : in) byModel[ClassicIndex(value.model)].push_back(&value);
  for (const auto& group : byModel) {
    if (group.empty()) continue;
    // The most precise value; the first of those in the order given.
    const ImportedValue* finest = group.front();
    for (const ImportedValue* v : group) {
      if (LastDigitPower(v->lnL) < LastDigitPower(finest->lnL)) finest = v;
    }
    const bool agree = std::all_of(group.begin(), group.end(), [&](const ImportedValue* v) {
      return AgreeToPrecision(v->lnL, finest->lnL);
    });
    if (agree) {
      values.push_back(*finest);
      continue;
    }
    ValueConflict conflict{finest->model, {}};
    for (const ImportedValue* v : group) {
      const bool seen = std::any_of(
          conflict.values.begin(), conflict.values.end(),
          [&](const ImportedValue& s) { return s.lnL == v->lnL && s.source == v->source; });
      if (!seen) conflict.values.push_back(*v);
    }
    conflicts.push_back(std::move(conflict));
  }
}

}  // namespace quillet
