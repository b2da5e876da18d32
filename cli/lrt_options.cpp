#include <CLI/CLI.hpp>

#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/classic_model.h"
#include "cli/import_choice.h"
#include "cli/lrt_request.h"
#include "cli/version.h"
#include "platform/parse.h"

namespace quillet::cli {

namespace {

constexpr char kDescription[] =
    "Likelihood ratio tests of nucleotide substitution models against the chi-square "
    "distribution: the models given are tested against the most complex of them, the molecular "
    "clock and gamma/invariable sites each against the simpler hypothesis. Numbers are read "
    "as the Quillet window reads them. Log-likelihoods can also be read from the output files "
    "of IQ-TREE, PhyML, RAxML-NG, PAML baseml and PAUP*, or from a table (FILE...).";

constexpr char kFooter[] =
    "Files: the FILEs are read together as one data set (an IQ-TREE report and its log, eight "
    "PhyML runs); a value the files disagree on is left out. The rows of the test of models "
    "take the --variant of each model (plain unless chosen) or its own --use; they are filled "
    "when --variant, --use or --model is given or no other test is asked for. A row whose "
    "variant the files lack stays unticked. --gamma-pair takes the gamma test from the files. "
    "--model, --gamma and --taxa override what the files give; the number of taxa for --clock "
    "comes from the files when --taxa is not given. A file that cannot be read stops the "
    "calculation.\n\n"
    "--each: every FILE is a locus (a FOLDER: each file in it, by name, without subfolders and "
    "files starting with a dot), named by its file name without the last extension (by its "
    "path as given when two files share a name). The tests chosen by --variant, --use and "
    "--gamma-pair run for each and one TSV is printed, the locus first; files that cannot be "
    "read and tests that could not run are summed up on stderr at the end.\n\n"
    "Exit status: 0 when every test asked for ran, 1 when one could not run (a value of 0 "
    "counts as missing, a model chosen is not in the files or they disagree on it) or the "
    "report could not be written, 2 when the command line or a value was refused, 3 when a "
    "file was refused. See quillet-lrt(1).";

// "A,B" as its two halves, split at the first comma; nothing without a comma.
std::optional<std::pair<std::string, std::string>> SplitAtComma(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  return std::pair{text.substr(0, comma), text.substr(comma + 1)};
}

// A number as the window's fields read it, so the same text gives the same result everywhere.
std::optional<float> Number(const std::string& text) { return ParseFloatField(text); }

// "WITH,WITHOUT": two log-likelihoods.
bool ReadPair(const std::string& option, const std::string& text, float& with, float& without,
              std::string& error) {
  const std::optional<std::pair<std::string, std::string>> halves = SplitAtComma(text);
  const std::optional<float> first = halves ? Number(halves->first) : std::nullopt;
  const std::optional<float> second = halves ? Number(halves->second) : std::nullopt;
  if (!first || !second) {
    error = option + ": '" + text + "' is not two numbers WITH,WITHOUT (for example " +
            "-3040.10,-3044.35)";
    return false;
  }
  with = *first;
  without = *second;
  return true;
}

constexpr char kModelNames[] =
    "use JC, K2P, F81, HKY85, TrN or GTR, optionally followed by +I, +G or +I+G";

// "HKY85+G=-3045.55": one model row.
bool ReadModel(const std::string& text, AnalysisInput& input, std::array<bool, 6>& given,
               std::string& error) {
  const std::size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const std::optional<ClassicModel> model = ParseCanonicalName(name);
  if (!model) {
    error = "--model: '" + name + "' is not a model; " + kModelNames;
    return false;
  }
  const std::optional<float> lnL =
      equals == std::string::npos ? std::nullopt : Number(text.substr(equals + 1));
  if (!lnL) {
    error = "--model: '" + text + "' needs a number after '=' (for example " + name + "=-3045.55)";
    return false;
  }
  const auto base = static_cast<std::size_t>(model->base);
  if (given[base]) {
    error = std::string("--model: one value per base model; ") + ModelName(model->base) +
            " is given twice";
    return false;
  }
  given[base] = true;
  input[model->base] = {true, *lnL, model->gamma, model->invariants};
  return true;
}

// "HKY85+G": the variant of one model row taken from the files.
bool ReadUse(const std::string& text, const std::array<bool, 6>& modelGiven, ImportChoice& choice,
             std::string& error) {
  const std::optional<ClassicModel> model = ParseCanonicalName(text);
  if (!model) {
    error = "--use: '" + text + "' is not a model; " + kModelNames;
    return false;
  }
  const auto base = static_cast<std::size_t>(model->base);
  if (choice.named[base]) {
    error = std::string("--use: one variant per base model; ") + ModelName(model->base) +
            " is chosen twice";
    return false;
  }
  if (modelGiven[base]) {
    error = "--use " + text + ": " + ModelName(model->base) +
            " has its value from --model already; give one of the two";
    return false;
  }
  choice.named[base] = true;
  choice.rows[base] = *model;
  return true;
}

// "+I+G": the variant of every model row taken from the files.
bool ReadVariant(const std::string& text, ImportChoice& choice, std::string& error) {
  static constexpr const char* kVariants[] = {"plain", "+I", "+G", "+I+G"};
  for (int i = 0; i < 4; ++i) {
    if (text != kVariants[i]) continue;
    for (std::size_t base = 0; base < choice.rows.size(); ++base) {
      choice.rows[base] = {static_cast<Model>(base), (i & 1) != 0, (i & 2) != 0};
    }
    return true;
  }
  error = "--variant: '" + text + "' is not a variant; use plain, +I, +G or +I+G";
  return false;
}

// "GTR+I+G,GTR": the gamma test's two models, the same base model with and without gamma
// and/or invariable sites.
bool ReadGammaPair(const std::string& text, ImportChoice& choice, std::string& error) {
  const std::optional<std::pair<std::string, std::string>> halves = SplitAtComma(text);
  const std::optional<ClassicModel> with =
      halves ? ParseCanonicalName(halves->first) : std::nullopt;
  const std::optional<ClassicModel> without =
      halves ? ParseCanonicalName(halves->second) : std::nullopt;
  if (!with || !without) {
    error = "--gamma-pair: '" + text +
            "' is not two models WITH,WITHOUT (for example GTR+I+G,GTR); " + kModelNames;
    return false;
  }
  // The test compares one model with and without rate heterogeneity: WITH adds +I and/or +G
  // to what WITHOUT has, and drops nothing.
  const bool nested = with->base == without->base && (with->gamma || !without->gamma) &&
                      (with->invariants || !without->invariants) && !(*with == *without);
  if (!nested) {
    error = "--gamma-pair: '" + text +
            "' is not one model with and without gamma and/or invariable sites (for example "
            "GTR+I+G,GTR or HKY85+G,HKY85)";
    return false;
  }
  choice.gammaWith = with;
  choice.gammaWithout = without;
  return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CLI::App app(kDescription, "quillet-lrt");
  // Options start with "-" on every system: on Windows CLI11 would also take "/name" for an
  // option, and so misread a path such as /data/locus.iqtree.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("quillet-lrt ") + kVersion);
  app.get_formatter()->column_width(30);

  std::string pValue = "0.05";
  std::vector<std::string> models;
  std::string clock;
  std::string taxa;
  std::string gamma;
  LrtRequest request;
  std::string report;
  std::string variant;
  std::vector<std::string> uses;
  std::string gammaPair;
  bool list = false;
  bool each = false;
  app.add_option("-p,--p-value", pValue, "Significance level of every test (default 0.05)")
      ->type_name("P");
  app.add_option("--model", models,
                 "A model and its ln L, repeatable, one per base model: JC, K2P, F81, HKY85, TrN "
                 "or GTR, optionally +I, +G or +I+G (HKY85+G=-3045.55)")
      ->type_name("NAME=LNL")
      ->allow_extra_args(false);
  app.add_option("--clock", clock,
                 "ln L with and without the molecular clock; needs --taxa unless the files "
                 "state the number of taxa")
      ->type_name("WITH,WITHOUT");
  app.add_option("--taxa", taxa, "Number of taxa, for the clock test")->type_name("N");
  app.add_option("--gamma", gamma, "ln L with and without gamma and/or invariable sites")
      ->type_name("WITH,WITHOUT");
  app.add_option("--report", report,
                 "Add the analysis to this report file, as the window does (a new header block "
                 "for this run)")
      ->type_name("FILE");
  app.add_option("--comment", request.comment, "Comment heading the report's new header block")
      ->type_name("TEXT");
  app.add_flag("--tsv", request.tsv,
               "Print one tab-separated line per test, with a header line, instead of the "
               "report's text");
  app.add_option("FILE", request.files,
                 "Output files of the fitting programs, or tables, to read ln L from (with "
                 "--each also folders)")
      ->type_name("");
  app.add_flag("--list", list,
               "Print the ln L the files hold (model, lnL, source; tab-separated; with --each "
               "a locus column first) and calculate nothing");
  app.add_option("--variant", variant,
                 "Which variant of each model the files fill the rows with: plain (the "
                 "default), +I, +G or +I+G")
      ->type_name("VARIANT");
  app.add_option("--use", uses,
                 "One row's own variant, repeatable (HKY85+G): overrides --variant for that "
                 "model")
      ->type_name("NAME")
      ->allow_extra_args(false);
  app.add_option("--gamma-pair", gammaPair,
                 "The gamma test from the files: one model with and without gamma and/or "
                 "invariable sites (GTR+I+G,GTR)")
      ->type_name("WITH,WITHOUT");
  app.add_flag("--each", each,
               "Every FILE is a locus (a FOLDER: every file in it): run the tests for each "
               "and print one TSV, the locus first");
  app.footer(kFooter);

  // CLI11 takes the arguments last first, without the program's name.
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    parsed.output = app.help();
    parsed.exitStatus = kExitOk;
    return parsed;
  } catch (const CLI::CallForVersion& e) {
    parsed.output = std::string(e.what()) + "\n";
    parsed.exitStatus = kExitOk;
    return parsed;
  } catch (const CLI::ParseError& e) {
    parsed.error = std::string(e.what()) + "\nRun with --help for more information.";
    parsed.exitStatus = kExitUsage;
    return parsed;
  }

  auto fail = [&parsed](std::string message) {
    parsed.error = std::move(message);
    parsed.exitStatus = kExitUsage;
    return parsed;
  };
  auto given = [&app](const char* option) { return app.count(option) > 0; };
  AnalysisInput& in = request.input;
  ImportChoice& choice = request.choice;
  std::string error;
  const bool files = !request.files.empty();

  // What each way of running takes; anything else is a mistake worth telling.
  if (list) {
    for (const char* option : {"--model", "--clock", "--taxa", "--gamma", "--report", "--comment",
                               "--variant", "--use", "--gamma-pair", "--p-value"}) {
      if (given(option)) {
        return fail(std::string("--list prints the values the files hold and calculates "
                                "nothing; leave out ") +
                    option);
      }
    }
    if (!files) return fail("--list needs the files to read (--list FILE...)");
    request.mode = each ? LrtMode::kEach : LrtMode::kList;
    request.list = true;
    request.tsv = true;
    parsed.request = std::move(request);
    return parsed;
  }
  if (each) {
    request.mode = LrtMode::kEach;
    for (const char* option :
         {"--model", "--clock", "--taxa", "--gamma", "--report", "--comment"}) {
      if (given(option)) {
        return fail(std::string("--each takes every value from the files, and a value given "
                                "on the command line would be the same for every locus; "
                                "leave out ") +
                    option);
      }
    }
    if (!files) return fail("--each needs the files or folders to read (--each FILE...)");
    request.tsv = true;
  }
  if (!files) {
    for (const char* option : {"--variant", "--use", "--gamma-pair"}) {
      if (given(option)) {
        return fail(std::string(option) +
                    " chooses among the values read from files; give the files to read");
      }
    }
  }

  const std::optional<float> p = Number(pValue);
  if (!p) return fail("--p-value: '" + pValue + "' is not a number");
  in.pValue = *p;

  for (const std::string& model : models) {
    if (!ReadModel(model, in, request.given.models, error)) return fail(error);
  }
  in.testModels = !models.empty();

  for (std::size_t base = 0; base < choice.rows.size(); ++base) {
    choice.rows[base] = {static_cast<Model>(base), false, false};
  }
  if (!variant.empty() && !ReadVariant(variant, choice, error)) return fail(error);
  for (const std::string& use : uses) {
    if (!ReadUse(use, request.given.models, choice, error)) return fail(error);
  }
  if (!gammaPair.empty() && !ReadGammaPair(gammaPair, choice, error)) return fail(error);

  if (!clock.empty()) {
    if (!ReadPair("--clock", clock, in.lnLClock, in.lnLNoClock, error)) return fail(error);
    if (!taxa.empty()) {
      const std::optional<int> n = ParseIntField(taxa);
      if (!n) return fail("--taxa: '" + taxa + "' is not a whole number");
      in.taxa = *n;
      request.taxaGiven = true;
    } else if (!files) {
      return fail("--clock needs --taxa N, the number of taxa");
    }
    in.testClock = true;
  } else if (!taxa.empty()) {
    return fail("--taxa is for the clock test; give --clock WITH,WITHOUT too");
  }

  if (!gamma.empty()) {
    if (!ReadPair("--gamma", gamma, in.lnLGamma, in.lnLNoGamma, error)) return fail(error);
    in.testGamma = true;
    request.given.gamma = true;
  }

  // The files fill the model rows when a variant is chosen, when the rows are being given
  // anyway, or when the files are all there is: a test of models is what they are most
  // often read for.
  const bool otherTest = !gammaPair.empty() || !gamma.empty() || !clock.empty();
  choice.fillModels = files && (!variant.empty() || !uses.empty() || !models.empty() || !otherTest);
  in.testModels = in.testModels || choice.fillModels;

  if (!in.testModels && !in.testClock && !in.testGamma && gammaPair.empty()) {
    return fail("nothing to calculate: give --model, --clock or --gamma, or files (see --help)");
  }
  if (!report.empty()) request.report = report;
  parsed.request = std::move(request);
  return parsed;
}

}  // namespace quillet::cli
