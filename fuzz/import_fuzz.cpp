// The readers of other programs' output on any bytes: every input ends quickly and without a
// crash, and what comes back keeps the promises of FileImport and CombineImports.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "import/decimal_text.h"
#include "import/import_table.h"
#include "import/likelihood_import.h"

namespace quillet::fuzz {
namespace {

const std::string kSource = "fuzz.txt";

std::string Where(const ImportedValue& v) { return CanonicalName(v.model) + " " + v.lnL; }

void CheckValue(const ImportedValue& v) {
  Require(ParseCanonicalName(CanonicalName(v.model)) == v.model,
          "a value's model is not one of the 24: " + Where(v));
  const std::optional<double> parsed = DecimalValue(v.lnL);
  Require(parsed.has_value(), "a value's text is not a decimal: " + Where(v));
  Require(*parsed == v.value, "a value's text does not read as its value: " + Where(v));
  Require(std::isfinite(v.value) && v.value <= 0.0, "a log-likelihood above zero: " + Where(v));
  Require(v.source == kSource, "a value lost its file: " + Where(v));
}

void CheckFile(const FileImport& file) {
  Require(file.source == kSource, "the file's name changed");
  if (file.refusal) {
    Require(file.values.empty() && file.conflicts.empty(), "a refused file has values");
    Require(file.refusal->starts_with(kSource + ": ") && file.refusal->size() > kSource.size() + 10,
            "a refusal without the file's name or a reason: " + *file.refusal);
  }
  Require(file.leftOut >= 0, "a negative count of models left out");
  Require(!file.taxa || *file.taxa > 0, "a number of taxa below one");
  Require(!file.sites || *file.sites > 0, "a number of sites below one");
  // One per conflict, one each for taxa, sites and what was left out, and at most 21 others.
  Require(file.notes.size() <= 24 + 3 + 21, "notes without bound");
  int previous = -1;
  for (const ImportedValue& v : file.values) {
    CheckValue(v);
    Require(ClassicIndex(v.model) > previous, "values out of order or twice: " + Where(v));
    previous = ClassicIndex(v.model);
  }
  for (const ValueConflict& c : file.conflicts) {
    Require(c.values.size() >= 2, "a conflict of fewer than two values");
    bool disagree = false;
    for (const ImportedValue& v : c.values) {
      CheckValue(v);
      Require(v.model == c.model, "a conflict mixes models");
      for (const ImportedValue& w : c.values)
        disagree = disagree || !AgreeToPrecision(v.lnL, w.lnL);
    }
    Require(disagree, "a conflict whose values agree: " + DescribeConflict(c));
    for (const ImportedValue& v : file.values) {
      Require(!(v.model == c.model), "a model both filled and in conflict: " + Where(v));
    }
  }
}

// A file combined with itself is the same file.
void CheckCombinedWithItself(const FileImport& file) {
  const ImportTable table = CombineImports({file, file});
  if (file.refusal) {
    Require(table.values.empty() && table.conflicts.empty(), "a refused file's values combined");
    return;
  }
  Require(table.values.size() == file.values.size(), "combining a file with itself changed it");
  for (std::size_t i = 0; i < table.values.size(); ++i) {
    Require(
        table.values[i].model == file.values[i].model && table.values[i].lnL == file.values[i].lnL,
        "combining a file with itself changed " + Where(file.values[i]));
  }
  Require(table.conflicts.size() == file.conflicts.size(),
          "combining a file with itself changed its conflicts");
  Require(table.taxa == file.taxa, "combining a file with itself changed its taxa");
  Require(table.sites == file.sites, "combining a file with itself changed its sites");
  Require(table.OneDataSet(), "a file is not one data set with itself");
}

// A file beside one that states another number of taxa is no data set with it: the table has no
// number of taxa, and each file can be taken alone.
void CheckBesideAnotherDataSet(const FileImport& file) {
  if (file.refusal || !file.taxa) return;
  FileImport other;
  other.source = "other.txt";
  other.taxa = *file.taxa + 1;
  const ImportTable table = CombineImports({file, other});
  Require(!table.OneDataSet() && !table.taxa && !table.sites,
          "files of different taxa made one data set");
  for (const DataSet& set : table.dataSets) {
    Require(CombineImports(FilesOf({file, other}, set)).OneDataSet(),
            "a data set's own files are not one data set");
  }
}

}  // namespace
}  // namespace quillet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillet;
  using namespace quillet::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FileImport file;
  const auto took = FastestOfSlowRuns([&] { file = ReadLikelihoodText(text, kSource); });
  RequireNoHang(took, "reading " + std::to_string(size) + " bytes");
  CheckFile(file);
  CheckCombinedWithItself(file);
  CheckBesideAnotherDataSet(file);
  return 0;
}
