#include "cli/locus_outcome.h"

#include "analysis/notices.h"
#include "cli/criteria_command.h"
#include "cli/fill_problems.h"
#include "cli/list_command.h"
#include "import/import_choice.h"
#include "report/tsv.h"

namespace quillet::cli {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n') c = ' ';
  }
  return text;
}

// Values the file disagrees on are always told; they leave a listing incomplete, but the tests
// only when a chosen model is among them, which filling the input finds.
void NoteConflicts(const FileImport& file, bool listing, LocusOutcome& outcome) {
  for (const ValueConflict& conflict : file.conflicts) {
    outcome.notes.push_back("different values for " + DescribeConflict(conflict) +
                            "; that model is left unfilled");
    outcome.incomplete = outcome.incomplete || listing;
  }
}

}  // namespace

LocusOutcome ListLocus(const std::string& locus, const FileImport& file) {
  LocusOutcome outcome;
  if (file.refusal) {
    outcome.refusal = *file.refusal;
    return outcome;
  }
  NoteConflicts(file, true, outcome);
  outcome.rows = WithFirstField(TsvField(locus), ListRows(AllValues(file)));
  return outcome;
}

LocusOutcome TestLocus(const LrtRequest& request, const std::string& locus, const FileImport& file,
                       const CriticalValueSource& critical) {
  LocusOutcome outcome;
  const std::string name = TsvField(locus);
  if (file.refusal) {
    outcome.refusal = *file.refusal;
    // The table keeps a line for every locus, with the reason its tests did not run.
    outcome.rows = WithFirstField(name, TsvReasonRow(*outcome.refusal));
    return outcome;
  }
  NoteConflicts(file, false, outcome);
  AnalysisInput in = request.input;
  const FillProblems fill =
      DescribeFill(FillInput(request.choice, file, in), request.named, "the file");
  outcome.notes.insert(outcome.notes.end(), fill.problems.begin(), fill.problems.end());
  outcome.incomplete = outcome.incomplete || fill.incomplete;

  const AnalysisResult result = Analyze(in, critical);
  if (result.refusal) {
    outcome.notes.push_back(result.refusal->message);
    outcome.incomplete = true;
  }
  for (const Notice& notice : result.notices) {
    // Missing values are told above, in the words of the files.
    if (notice.text == kGammaMissingText || notice.text == kModelsNeedTwoText) continue;
    outcome.notes.push_back(OneLine(notice.text));
  }
  if (!EveryTestRan(in, result)) outcome.incomplete = true;
  if (in.testModels && result.models.compared.empty()) {
    int usable = 0;
    for (Model model : kReportOrder) usable += TakesPart(in, model) ? 1 : 0;
    std::string note = "the test of models needs two models; the file gives " +
                       std::string(usable == 0 ? "none" : "one") + " with the chosen variants";
    const std::string held = VariantsHeld(file.values);
    if (!held.empty()) note += " (it holds " + held + ")";
    outcome.notes.push_back(note);
  }
  std::string rows = TsvRows(in, result);
  if (rows.empty()) {
    std::string reasons;
    for (const std::string& note : outcome.notes) reasons += (reasons.empty() ? "" : "; ") + note;
    rows = TsvReasonRow(reasons.empty() ? "no test ran" : reasons);
  }
  outcome.rows = WithFirstField(name, rows);
  return outcome;
}

LocusOutcome RankLocus(const LrtRequest& request, const std::string& locus,
                       const FileImport& file) {
  LocusOutcome outcome;
  if (file.refusal) {
    outcome.refusal = *file.refusal;
    return outcome;
  }
  NoteConflicts(file, false, outcome);
  LocusRanking ranking = RankLocus(file, request.best);
  outcome.notes.insert(outcome.notes.end(), ranking.notes.begin(), ranking.notes.end());
  outcome.incomplete = outcome.incomplete || ranking.incomplete;
  outcome.rows = WithFirstField(TsvField(locus), ranking.rows);
  return outcome;
}

void EachSummary::Add(const std::string& locus, LocusOutcome&& outcome) {
  if (outcome.refusal) refusals_.push_back(std::move(*outcome.refusal));
  if (!outcome.notes.empty()) ++lociWithNotes_;
  for (const std::string& note : outcome.notes) notes_.push_back(TsvField(locus) + ": " + note);
  if (outcome.incomplete) ++incomplete_;
}

std::vector<std::string> EachSummary::Lines(std::size_t files) const {
  std::vector<std::string> lines;
  const std::size_t read = files - refusals_.size();
  if (!refusals_.empty()) {
    lines.push_back(std::to_string(refusals_.size()) + " of " + std::to_string(files) +
                    " files refused:");
    for (const std::string& refusal : refusals_) lines.push_back("  " + refusal);
  }
  if (lociWithNotes_ > 0) {
    lines.push_back("notes on " + std::to_string(lociWithNotes_) + " of " + std::to_string(read) +
                    (read == 1 ? " locus:" : " loci:"));
    for (const std::string& note : notes_) lines.push_back("  " + note);
  }
  if (incomplete_ > 0) {
    const char* what = kind_ == EachKind::kList       ? "values left out"
                       : kind_ == EachKind::kCriteria ? "no full ranking"
                                                      : "not every test chosen ran";
    lines.push_back(std::string(what) + " for " + std::to_string(incomplete_) +
                    (incomplete_ == 1 ? " locus" : " loci") + " (see the notes above)");
  }
  return lines;
}

}  // namespace quillet::cli
