#include "cli/each_command.h"

#include <exception>
#include <optional>
#include <thread>

#include "analysis/analyze.h"
#include "analysis/notices.h"
#include "cli/criteria_command.h"
#include "cli/critical_value_cache.h"
#include "cli/fill_problems.h"
#include "cli/list_command.h"
#include "cli/locus_files.h"
#include "cli/ordered_parallel.h"
#include "cli/progress_bar.h"
#include "import/import_choice.h"
#include "import/likelihood_import.h"
#include "report/criteria_text.h"
#include "report/tsv.h"

namespace quillet::cli {

namespace {

// What one locus gave.
struct LocusOutcome {
  std::string rows;                    // its TSV lines, the locus first
  std::optional<std::string> refusal;  // the file was not read
  std::vector<std::string> notes;      // for the summary
  bool incomplete = false;             // a test chosen did not run, or not with every model
};

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

// Reads a locus's file; a refused file is the locus's whole outcome.
std::optional<FileImport> ReadLocus(const LocusFile& locus, LocusOutcome& outcome) {
  FileImport file = ReadLikelihoodFile(locus.path);
  if (!file.refusal) return file;
  outcome.refusal = *file.refusal;
  return std::nullopt;
}

LocusOutcome ListLocus(const LocusFile& locus) {
  LocusOutcome outcome;
  const std::optional<FileImport> read = ReadLocus(locus, outcome);
  if (!read) return outcome;
  const FileImport& file = *read;
  NoteConflicts(file, true, outcome);
  outcome.rows = WithFirstField(TsvField(locus.locus), ListRows(AllValues(file)));
  return outcome;
}

LocusOutcome TestLocus(const LrtRequest& request, const LocusFile& locus,
                       const CriticalValueSource& critical) {
  LocusOutcome outcome;
  const std::string name = TsvField(locus.locus);
  const std::optional<FileImport> read = ReadLocus(locus, outcome);
  if (!read) {
    // The table keeps a line for every locus, with the reason its tests did not run.
    outcome.rows = WithFirstField(name, TsvReasonRow(*outcome.refusal));
    return outcome;
  }
  const FileImport& file = *read;
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

LocusOutcome RankLocus(const LrtRequest& request, const LocusFile& locus) {
  LocusOutcome outcome;
  const std::optional<FileImport> read = ReadLocus(locus, outcome);
  if (!read) return outcome;
  NoteConflicts(*read, false, outcome);
  LocusRanking ranking = cli::RankLocus(*read, request.best);
  outcome.notes.insert(outcome.notes.end(), ranking.notes.begin(), ranking.notes.end());
  outcome.incomplete = outcome.incomplete || ranking.incomplete;
  outcome.rows = WithFirstField(TsvField(locus.locus), ranking.rows);
  return outcome;
}

// What a worker keeps between its loci.
struct WorkerState {
  WorkerState() = default;
  WorkerState(const WorkerState&) = delete;  // `critical` points at this one's cache
  WorkerState& operator=(const WorkerState&) = delete;

  CriticalValueCache cache;
  CriticalValueSource critical = [this](float p, int df) { return cache.At(p, df); };
};

}  // namespace

int RunEachCommand(const LrtRequest& request, LrtEnvironment& env) {
  const bool list = request.list;
  const bool criteria = request.criteria;
  // A significance level out of range would refuse every locus alike; say it once.
  if (!list && !criteria) {
    if (const std::optional<Refusal> refusal = CheckInput(request.input)) {
      Tell(env.err, refusal->message);
      return kExitUsage;
    }
  }

  const LocusFiles loci = ExpandLocusFiles(request.files);
  for (const std::string& problem : loci.problems) Tell(env.err, problem);
  int status = loci.problems.empty() ? kExitOk : kExitFileRefused;

  env.out << "locus\t"
          << (list       ? ListHeader()
              : criteria ? (request.best ? BestTsvHeader() : CriteriaTsvHeader())
                         : TsvHeader());
  std::vector<std::string> refusals;
  std::vector<std::string> notes;
  std::size_t incomplete = 0;
  std::size_t lociWithNotes = 0;
  std::optional<ProgressBar> progress;
  if (env.errIsTerminal) progress.emplace(env.err, loci.files.size());

  const unsigned workers =
      env.workers != 0 ? env.workers : std::max(1u, std::thread::hardware_concurrency());
  ForEachInOrder<WorkerState>(
      loci.files.size(), workers, 64 * std::size_t{workers},
      [&](WorkerState& state, std::size_t i) {
        try {
          if (list) return ListLocus(loci.files[i]);
          if (criteria) return RankLocus(request, loci.files[i]);
          return TestLocus(request, loci.files[i], state.critical);
        } catch (const std::exception& e) {
          // Only running out of memory gets here; the other loci still run.
          LocusOutcome failed;
          failed.refusal = loci.files[i].path + ": could not be read (" + e.what() + ")";
          return failed;
        }
      },
      [&](std::size_t i, LocusOutcome&& outcome) {
        env.out << outcome.rows;
        if (outcome.refusal) refusals.push_back(std::move(*outcome.refusal));
        if (!outcome.notes.empty()) ++lociWithNotes;
        for (const std::string& note : outcome.notes) {
          notes.push_back(TsvField(loci.files[i].locus) + ": " + note);
        }
        if (outcome.incomplete) ++incomplete;
        if (progress) progress->Update(i + 1);
      });
  env.out.flush();
  if (progress) progress->Finish();

  const std::size_t read = loci.files.size() - refusals.size();
  if (!refusals.empty()) {
    Tell(env.err, std::to_string(refusals.size()) + " of " + std::to_string(loci.files.size()) +
                      " files refused:");
    for (const std::string& refusal : refusals) Tell(env.err, "  " + refusal);
    status = kExitFileRefused;
  }
  if (lociWithNotes > 0) {
    Tell(env.err, "notes on " + std::to_string(lociWithNotes) + " of " + std::to_string(read) +
                      (read == 1 ? " locus:" : " loci:"));
    for (const std::string& note : notes) Tell(env.err, "  " + note);
  }
  if (incomplete > 0) {
    Tell(env.err, std::string(list       ? "values left out"
                              : criteria ? "no full ranking"
                                         : "not every test chosen ran") +
                      " for " + std::to_string(incomplete) +
                      (incomplete == 1 ? " locus" : " loci") + " (see the notes above)");
    if (status == kExitOk) status = kExitNotAllRan;
  }
  return status;
}

}  // namespace quillet::cli
