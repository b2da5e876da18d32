#include "cli/each_command.h"

#include <exception>
#include <optional>
#include <thread>

#include "analysis/analyze.h"
#include "cli/critical_value_cache.h"
#include "cli/list_command.h"
#include "cli/locus_files.h"
#include "cli/locus_outcome.h"
#include "cli/ordered_parallel.h"
#include "cli/progress_bar.h"
#include "import/likelihood_import.h"
#include "report/criteria_text.h"
#include "report/tsv.h"

namespace quillet::cli {

namespace {

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
  const EachKind kind = list ? EachKind::kList : criteria ? EachKind::kCriteria : EachKind::kTests;
  EachSummary summary(kind);
  std::optional<ProgressBar> progress;
  if (env.errIsTerminal) progress.emplace(env.err, loci.files.size());

  const unsigned workers =
      env.workers != 0 ? env.workers : std::max(1u, std::thread::hardware_concurrency());
  ForEachInOrder<WorkerState>(
      loci.files.size(), workers, 64 * std::size_t{workers},
      [&](WorkerState& state, std::size_t i) {
        try {
          const LocusFile& locus = loci.files[i];
          const FileImport file = ReadLikelihoodFile(locus.path);
          if (list) return ListLocus(locus.locus, file);
          if (criteria) return RankLocus(request, locus.locus, file);
          return TestLocus(request, locus.locus, file, state.critical);
        } catch (const std::exception& e) {
          // Only running out of memory gets here; the other loci still run.
          LocusOutcome failed;
          failed.refusal = loci.files[i].path + ": could not be read (" + e.what() + ")";
          return failed;
        }
      },
      [&](std::size_t i, LocusOutcome&& outcome) {
        env.out << outcome.rows;
        summary.Add(loci.files[i].locus, std::move(outcome));
        if (progress) progress->Update(i + 1);
      });
  env.out.flush();
  if (progress) progress->Finish();

  for (const std::string& line : summary.Lines(loci.files.size())) Tell(env.err, line);
  if (summary.AnyRefused()) status = kExitFileRefused;
  if (summary.AnyIncomplete() && status == kExitOk) status = kExitNotAllRan;
  return status;
}

}  // namespace quillet::cli
