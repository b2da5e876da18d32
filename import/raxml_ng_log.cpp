#include "import/raxml_ng_log.h"

#include <vector>

#include "import/import_builder.h"
#include "import/model_names.h"
#include "import/text_lines.h"

namespace quillet {

namespace {

// One run: from a "RAxML-NG v." banner to the next.
struct Run {
  std::string version;
  std::string runMode;
  std::vector<std::string_view> models;
  int partitions = 1;
  int taxa = -1;
  int sites = -1;        // "Alignment sites / patterns: 3925 / 225": the sites analysed
  int loadedSites = -1;  // "Loaded alignment with 27 taxa and 3925 sites"
  std::string_view finalLnL;
  std::string error;
};

// "[00:00:05] Loaded alignment ..." -> "Loaded alignment ...".
std::string_view WithoutTimeStamp(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  const std::size_t close = trimmed.find(']');
  if (trimmed.starts_with('[') && close != std::string_view::npos && close < 16) {
    return trimmed.substr(close + 1);
  }
  return line;
}

std::string BannerVersion(std::string_view rest) {
  const std::vector<std::string_view> words = Words(rest);
  return words.empty() ? std::string() : std::string(words[0].substr(0, 30));
}

}  // namespace

bool LooksLikeRaxmlNgLog(std::string_view text) {
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line) && lines.LineNumber() <= 5) {
    if (Trim(line).starts_with("RAxML-NG v.")) return true;
  }
  return false;
}

FileImport ReadRaxmlNgLog(std::string_view text, const std::string& source) {
  ImportBuilder builder(source, "RAxML-NG log");
  std::vector<Run> runs;
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    std::string_view rest;
    line = WithoutTimeStamp(line);
    const std::string_view trimmed = Trim(line);
    if (AfterLabel(line, "RAxML-NG v.", rest)) {
      runs.push_back(Run{BannerVersion(rest), {}, {}, 1, -1, -1, -1, {}, {}});
      continue;
    }
    if (runs.empty()) continue;
    Run& run = runs.back();
    if (AfterLabel(line, "Model:", rest)) {
      run.models.push_back(rest);
    } else if (AfterLabel(line, "Final LogLikelihood:", rest)) {
      const std::vector<std::string_view> words = Words(rest);
      if (!words.empty()) run.finalLnL = words[0];
    } else if (AfterLabel(line, "run mode:", rest)) {
      run.runMode = std::string(rest.substr(0, 60));
    } else if (trimmed.starts_with("ERROR")) {
      if (run.error.empty()) run.error = std::string(trimmed.substr(0, 120));
    } else if (AfterLabel(line, "Alignment comprises", rest)) {
      // "Alignment comprises 1 partitions and 225 patterns" or, from a binary alignment,
      // "Alignment comprises 16 taxa, 1 partitions and 16193 patterns".
      const int taxa = CountAfter(line, "comprises");  // or partitions
      if (rest.find("taxa") != std::string_view::npos) {
        run.taxa = taxa;
        const std::size_t comma = rest.find(',');
        if (comma != std::string_view::npos) {
          run.partitions = CountAfter(rest.substr(comma), ",");
        }
      } else {
        run.partitions = taxa;
      }
    } else if (AfterLabel(line, "Loaded alignment with", rest)) {
      run.taxa = CountAfter(line, "with");
      run.loadedSites = CountAfter(rest, "and");
    } else if (AfterLabel(line, "Alignment sites / patterns:", rest)) {
      // The sites, not the patterns they compress to.
      run.sites = CountAfter(rest, "");
    }
  }
  if (runs.empty()) return builder.Refuse("no RAxML-NG run found");
  if (!runs.back().version.empty()) builder.SetFormat("RAxML-NG " + runs.back().version + " log");

  std::string lastProblem;
  int read = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const Run& run = runs[i];
    const std::string which = runs.size() > 1 ? "run " + std::to_string(i + 1) + ": " : "";
    if (run.partitions > 1) {
      return builder.Refuse(
          "a partitioned alignment; Quillet compares models fitted to one "
          "alignment as a whole");
    }
    if (!run.models.empty()) {
      const NameReading reading = ReadModelName(run.models[0], PlainNames::kClassic);
      if (reading.protein) {
        return builder.Refuse("protein data (model " + std::string(run.models[0].substr(0, 30)) +
                              "); Quillet compares nucleotide models");
      }
    }
    if (!run.error.empty()) {
      lastProblem = "the run stopped with an error (\"" + run.error + "\")";
      if (runs.size() > 1) builder.Note(which + lastProblem);
      continue;
    }
    if (run.finalLnL.empty()) {
      lastProblem = "no \"Final LogLikelihood\"" + (run.runMode.empty()
                                                        ? std::string(" (the run did not finish)")
                                                        : " (run mode: " + run.runMode + ")");
      if (runs.size() > 1) builder.Note(which + lastProblem);
      continue;
    }
    bool oneModel = !run.models.empty();
    for (std::string_view model : run.models) oneModel = oneModel && model == run.models[0];
    if (!oneModel) {
      lastProblem = run.models.empty() ? "no \"Model:\" line" : "several \"Model:\" lines";
      if (runs.size() > 1) builder.Note(which + lastProblem);
      continue;
    }
    ++read;
    if (run.taxa > 0) builder.SetTaxa(run.taxa);
    builder.SetSites(run.sites > 0 ? run.sites : run.loadedSites);
    const NameReading reading = ReadModelName(run.models[0], PlainNames::kClassic);
    if (reading.model) {
      builder.AddValue(*reading.model, run.finalLnL, false);
    } else {
      builder.LeaveOut(run.models[0], reading.reason);
    }
  }
  if (read == 0) return builder.Refuse(lastProblem);
  return builder.Finish();
}

}  // namespace quillet
