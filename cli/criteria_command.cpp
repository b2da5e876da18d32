#include "cli/criteria_command.h"

#include "cli/data_set.h"
#include "import/fitted_models.h"
#include "platform/format.h"
#include "report/criteria_text.h"
#include "report/report_entry.h"
#include "report/time_stamp.h"

namespace quillet::cli {

namespace {

constexpr char kNoSitesNote[] =
    "the number of sites is not known (--sites N): AICc and BIC are left out";

// What a user should know of a ranking besides the table: fits that did not reach their
// maximum (a nested model fitting better than the model it is a special case of).
std::vector<std::string> RankingNotes(const std::vector<FittedModel>& models,
                                      const CriteriaTable& table) {
  std::vector<std::string> notes;
  if (!table.sites) notes.push_back(kNoSitesNote);
  for (const WorseNestedPair& pair : WorseNestedPairs(models)) {
    notes.push_back(CanonicalName(pair.complex.model) + " (ln L " +
                    FormatRoundTrip(pair.complex.lnL) + ") fits worse than " +
                    CanonicalName(pair.simpler.model) + " (ln L " +
                    FormatRoundTrip(pair.simpler.lnL) +
                    "), a special case of it: that fit did not reach its maximum; refit it");
  }
  return notes;
}

}  // namespace

DataSetRanking RankDataSet(const std::vector<FittedModel>& models, std::optional<int> taxa,
                           std::optional<int> sites, bool oneFile) {
  DataSetRanking ranking;
  if (!taxa) {
    ranking.notes.push_back(std::string(oneFile ? "the file does" : "the files do") +
                            " not state the number of taxa; no ranking");
    return ranking;
  }
  if (std::optional<std::string> problem = CheckCriteriaInput(models, *taxa, sites)) {
    ranking.notes.push_back(*problem);
    return ranking;
  }
  ranking.table = RankModels(models, *taxa, sites);
  ranking.notes = RankingNotes(models, *ranking.table);
  return ranking;
}

int RunCriteriaCommand(const LrtRequest& request, LrtEnvironment& env) {
  std::vector<FittedModel> models = request.models;
  std::optional<int> taxa = request.taxa;
  std::optional<int> sites = request.sites;
  if (!request.files.empty()) {
    int stop = kExitOk;
    const std::optional<ImportTable> table = ReadDataSet(request.files, env, stop);
    if (!table) return stop;
    for (const FittedModel& read : FittedModelsOf(table->values)) {
      bool given = false;
      for (const FittedModel& m : request.models) given = given || m.model == read.model;
      if (!given) models.push_back(read);
    }
    if (!taxa) taxa = table->taxa;
    if (!sites) sites = table->sites;
  }
  if (!taxa) {
    Tell(env.err,
         "--criteria needs the number of taxa for the branch lengths: give --taxa N (the files "
         "do not state it)");
    return kExitUsage;
  }
  const DataSetRanking ranking = RankDataSet(models, taxa, sites, false);
  for (const std::string& note : ranking.notes) Tell(env.err, note);
  if (!ranking.table) return kExitUsage;
  const CriteriaTable& table = *ranking.table;
  if (request.tsv) {
    env.out << CriteriaTsvHeader() << CriteriaTsvRows(table);
  } else {
    env.out << FormatCriteriaTable(table) << '\n' << FormatCriteriaSummary(table);
  }
  env.out.flush();

  if (!request.report) return kExitOk;
  // A run opens a header block of its own, as a run with tests does.
  ReportPlacement placement;
  placement.header = ReportHeader{FormatTimeStamp(env.clock.LocalNow()), request.comment,
                                  env.currentDirectory ? env.currentDirectory() : std::string()};
  if (std::optional<std::string> problem =
          AddItemToReport(*request.report, ModelSelectionItem(table, 1), placement)) {
    Tell(env.err, *problem);
    return kExitNotAllRan;
  }
  return kExitOk;
}

LocusRanking RankLocus(const FileImport& file, bool best) {
  DataSetRanking set = RankDataSet(FittedModelsOf(file.values), file.taxa, file.sites, true);
  LocusRanking ranking;
  ranking.notes = std::move(set.notes);
  ranking.incomplete = !set.table || !set.table->sites;
  if (set.table) ranking.rows = best ? BestTsvRow(*set.table) : CriteriaTsvRows(*set.table);
  return ranking;
}

}  // namespace quillet::cli
