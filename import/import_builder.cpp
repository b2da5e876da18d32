#include "import/import_builder.h"

#include <algorithm>

#include "import/decimal_text.h"
#include "import/text_lines.h"

namespace quillet {

ImportBuilder::ImportBuilder(std::string source, std::string format)
    : source_(std::move(source)), format_(std::move(format)) {}

namespace {

// How C libraries, spreadsheets and R write values that are not finite: "inf", "-Infinity",
// "NaN", with any case and sign.
bool NotFiniteWord(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  for (std::string_view word : {"inf", "infinity", "nan"}) {
    if (EqualsIgnoringCase(text, word)) return true;
  }
  return false;
}

}  // namespace

void ImportBuilder::AddValue(const ClassicModel& model, std::string_view text, bool negate) {
  const std::string name = CanonicalName(model);
  const std::string shown(text.substr(0, 40));
  // Sequence data cannot have a likelihood above 1, nor one that is not a finite number: such
  // a value is a fault of the file, and a test on it would be a number without meaning.
  auto meaningless = [&](const std::string& written, const char* why) {
    Note(name + ": the log-likelihood " + written + " " + why + "; not read");
    meaningless_.push_back(name + " " + written);
  };
  if (NotFiniteWord(text)) {
    meaningless(shown, "is not finite");
    return;
  }
  const std::string written = negate ? NegatedDecimal(text) : std::string(text);
  if (!IsDecimal(written)) {
    Note(name + ": \"" + shown + "\" is not a number; not read");
    return;
  }
  const std::optional<double> value = DecimalValue(written);
  if (!value) {
    meaningless(written.substr(0, 40), "is not finite (out of the range of numbers)");
    return;
  }
  if (*value > 0.0) {
    meaningless(written.substr(0, 40), "is above zero, which no fit of sequence data gives");
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

void ImportBuilder::SetSites(int sites) {
  if (sites <= 0) return;
  if (sites_ && *sites_ != sites) sitesDisagree_ = true;
  if (!sites_) sites_ = sites;
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
  if (values_.empty() && !meaningless_.empty()) {
    std::string examples;
    for (std::size_t i = 0; i < meaningless_.size() && i < 3; ++i) {
      examples += (i == 0 ? "" : ", ") + meaningless_[i];
    }
    if (meaningless_.size() > 3) examples += ", ...";
    return Refuse(
        "every log-likelihood in it is above zero or not finite, which no fit of sequence data "
        "gives (" +
        examples + ")");
  }
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
  if (sitesDisagree_) {
    result.notes.push_back("the file states different numbers of sites; none is taken");
  } else {
    result.sites = sites_;
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
