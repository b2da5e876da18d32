#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/classic_model.h"
#include "cli/lrt_help.h"
#include "cli/lrt_request.h"
#include "cli/option_values.h"
#include "cli/version.h"
#include "platform/parse.h"

namespace quillet::cli {

namespace {

// The options' texts as the command line gives them, before any is read.
struct OptionTexts {
  std::string pValue = "0.05";
  std::vector<std::string> models;
  std::string clock;
  std::string taxa;
  std::string gamma;
  std::string report;
  std::string comment;
  bool tsv = false;
  std::vector<std::string> files;
  bool list = false;
  std::string variant;
  std::vector<std::string> uses;
  std::string gammaPair;
  bool each = false;
  bool criteria = false;
  bool best = false;
  std::string sites;
};

// The options as declared, for the rules and the messages to name.
struct Options {
  const CLI::Option* pValue;
  const CLI::Option* model;
  const CLI::Option* clock;
  const CLI::Option* taxa;
  const CLI::Option* gamma;
  const CLI::Option* report;
  const CLI::Option* comment;
  const CLI::Option* list;
  const CLI::Option* variant;
  const CLI::Option* use;
  const CLI::Option* gammaPair;
  const CLI::Option* each;
  const CLI::Option* criteria;
  const CLI::Option* best;
  const CLI::Option* sites;
};

Options Declare(CLI::App& app, OptionTexts& t) {
  // Options start with "-" on every system: on Windows CLI11 would also take "/name" for an
  // option, and so misread a path such as /data/locus.iqtree.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("quillet-lrt ") + kVersion);
  app.get_formatter()->column_width(30);
  Options o{};
  o.pValue =
      app.add_option("-p,--p-value", t.pValue, "Significance level of every test (default 0.05)")
          ->type_name("P");
  o.model = app.add_option("--model", t.models,
                           "A model and its ln L, repeatable, one per base model: JC, K2P, F81, "
                           "HKY85, TrN or GTR, optionally +I, +G or +I+G (HKY85+G=-3045.55)")
                ->type_name("NAME=LNL")
                ->allow_extra_args(false);
  o.clock = app.add_option("--clock", t.clock,
                           "ln L with and without the molecular clock; needs --taxa unless the "
                           "files state the number of taxa")
                ->type_name("WITH,WITHOUT");
  o.taxa = app.add_option("--taxa", t.taxa,
                          "Number of taxa, for the clock test and the branch lengths of "
                          "--criteria")
               ->type_name("N");
  o.gamma =
      app.add_option("--gamma", t.gamma, "ln L with and without gamma and/or invariable sites")
          ->type_name("WITH,WITHOUT");
  o.report = app.add_option("--report", t.report,
                            "Add the analysis to this report file, as the window does (a new "
                            "header block for this run)")
                 ->type_name("FILE");
  o.comment =
      app.add_option("--comment", t.comment, "Comment heading the report's new header block")
          ->type_name("TEXT");
  app.add_flag("--tsv", t.tsv,
               "Print one tab-separated line per test, with a header line, instead of the "
               "report's text");
  app.add_option("FILE", t.files,
                 "Output files of the fitting programs, or tables, to read ln L from (with "
                 "--each also folders)")
      ->type_name("");
  o.list = app.add_flag("--list", t.list,
                        "Print the ln L the files hold (model, lnL, source; tab-separated; with "
                        "--each a locus column first) and calculate nothing");
  o.variant = app.add_option("--variant", t.variant,
                             "Which variant of each model the files fill the rows with: plain "
                             "(the default), +I, +G or +I+G")
                  ->type_name("VARIANT");
  o.use = app.add_option("--use", t.uses,
                         "One row's own variant, repeatable (HKY85+G): overrides --variant for "
                         "that model")
              ->type_name("NAME")
              ->allow_extra_args(false);
  o.gammaPair = app.add_option("--gamma-pair", t.gammaPair,
                               "The gamma test from the files: a model and the same model with "
                               "one parameter more, +G or +I (GTR+I+G,GTR+G)")
                    ->type_name("WITH,WITHOUT");
  o.each = app.add_flag("--each", t.each,
                        "Every FILE is a locus (a FOLDER: every file in it): run the tests for "
                        "each and print one TSV, the locus first");
  o.criteria = app.add_flag("--criteria", t.criteria,
                            "Rank every classic model the files (or --model) give by AIC, AICc "
                            "and BIC, with their weights and 95% confidence sets; runs no test");
  o.sites = app.add_option("--sites", t.sites,
                           "Number of alignment sites n, for AICc and BIC (when the files do "
                           "not state it)")
                ->type_name("N");
  o.best = app.add_flag("--best", t.best,
                        "With --each --criteria: one line per locus, the model each criterion "
                        "selects and its weight");
  app.footer(LrtFooter());
  return o;
}

// A way of running and the options it has no use for. Given together, the first of them given
// is named: "<before><option><after>".
struct ModeRule {
  bool applies;
  std::vector<const CLI::Option*> refused;
  std::string before;
  std::string after;
  // Told when no FILE is given; empty when the way of running needs none.
  std::string needsFiles;
};

// Which options each way of running takes, in the order the rules are checked: --list only the
// files (and --each), --each no value of its own, and the choices among the files' values
// nothing without files.
std::vector<ModeRule> ModeRules(const Options& o, const OptionTexts& t) {
  const std::string list = o.list->get_name();
  const std::string each = o.each->get_name();
  const std::string criteria = o.criteria->get_name();
  return {
      {t.list,
       {o.model, o.clock, o.taxa, o.gamma, o.report, o.comment, o.variant, o.use, o.gammaPair,
        o.pValue, o.criteria, o.sites, o.best},
       list + " prints the values the files hold and calculates nothing; leave out ",
       "",
       list + " needs the files to read (" + list + " FILE...)"},
      {t.criteria,
       {o.clock, o.gamma, o.gammaPair, o.variant, o.use, o.pValue},
       criteria + " ranks the models the files or --model give and runs no test; leave out ",
       "",
       ""},
      {t.each,
       {o.model, o.clock, o.taxa, o.gamma, o.report, o.comment, o.sites},
       each + " takes every value from the files, and a value given on the command line would "
              "be the same for every locus; leave out ",
       "",
       each + " needs the files or folders to read (" + each + " FILE...)"},
      {!t.criteria || !t.each,
       {o.best},
       "",
       " gives one line per locus of a ranking; use it with " + each + " " + criteria,
       ""},
      {!t.criteria, {o.sites}, "", " is for the ranking of " + criteria, ""},
      {t.files.empty(),
       {o.variant, o.use, o.gammaPair},
       "",
       " chooses among the values read from files; give the files to read",
       ""},
  };
}

// The first rule broken, or nothing.
std::optional<std::string> Constrain(const Options& o, const OptionTexts& t) {
  for (const ModeRule& rule : ModeRules(o, t)) {
    if (!rule.applies) continue;
    for (const CLI::Option* option : rule.refused) {
      if (option->count() > 0) return rule.before + option->get_name() + rule.after;
    }
    if (!rule.needsFiles.empty() && t.files.empty()) return rule.needsFiles;
  }
  return std::nullopt;
}

// Reads the options' values into the request, in the order the options are listed. Returns the
// first mistake.
// The ranking's values: any number of classic models from --model, the numbers of taxa and of
// sites.
std::optional<std::string> ReadCriteriaValues(const OptionTexts& t, LrtRequest& request) {
  std::string error;
  for (const std::string& text : t.models) {
    FittedModel model;
    if (!ReadFittedModel(text, model, error)) return error;
    for (const FittedModel& given : request.models) {
      if (given.model == model.model) {
        return "--model: " + CanonicalName(model.model) + " is given twice";
      }
    }
    request.models.push_back(model);
  }
  if (!t.taxa.empty()) {
    const std::optional<int> n = ParseIntField(t.taxa);
    if (!n) return "--taxa: '" + t.taxa + "' is not a whole number";
    request.taxa = *n;
  }
  if (!t.sites.empty()) {
    const std::optional<int> n = ParseIntField(t.sites);
    if (!n) return "--sites: '" + t.sites + "' is not a whole number";
    request.sites = *n;
  }
  if (request.models.empty() && t.files.empty()) {
    return "--criteria needs the models: files to read, or --model NAME=LNL for each";
  }
  return std::nullopt;
}

std::optional<std::string> ReadValues(const OptionTexts& t, LrtRequest& request) {
  AnalysisInput& in = request.input;
  ImportChoice& choice = request.choice;
  std::string error;

  const std::optional<double> p = Number(t.pValue);
  if (!p) return "--p-value: '" + t.pValue + "' is not a number";
  in.pValue = *p;

  for (const std::string& model : t.models) {
    if (!ReadModel(model, in, error)) return error;
  }
  in.testModels = !t.models.empty();

  for (std::size_t base = 0; base < choice.rows.size(); ++base) {
    choice.rows[base] = ClassicModel{static_cast<Model>(base), false, false};
  }
  if (!t.variant.empty() && !ReadVariant(t.variant, choice, error)) return error;
  for (const std::string& use : t.uses) {
    if (!ReadUse(use, in, choice, request.named, error)) return error;
  }
  if (!t.gammaPair.empty() && !ReadGammaPair(t.gammaPair, choice, error)) return error;

  // The clock test's values: the two log-likelihoods, and the number of taxa from --taxa or
  // else from the files.
  if (!t.clock.empty()) {
    if (!ReadPair("--clock", t.clock, in.lnLClock, in.lnLNoClock, error)) return error;
    if (!t.taxa.empty()) {
      const std::optional<int> n = ParseIntField(t.taxa);
      if (!n) return "--taxa: '" + t.taxa + "' is not a whole number";
      in.taxa = *n;
    } else if (t.files.empty()) {
      return "--clock needs --taxa N, the number of taxa";
    }
    in.testClock = true;
  } else if (!t.taxa.empty()) {
    return "--taxa is for the clock test; give --clock WITH,WITHOUT too";
  }

  if (!t.gamma.empty()) {
    if (!ReadPair("--gamma", t.gamma, in.lnLGamma, in.lnLNoGamma, error)) return error;
    in.testGamma = true;
  }
  return std::nullopt;
}

// What the files fill. The model rows, when a variant is chosen, when the rows are being given
// anyway, or when the files are all there is: a test of models is what they are most often
// read for; never a row --model gave. The gamma test from its pair, unless --gamma gave it. The
// number of taxa for the clock test, unless --taxa gave it.
void ChooseFromFiles(const OptionTexts& t, LrtRequest& request) {
  AnalysisInput& in = request.input;
  ImportChoice& choice = request.choice;
  const bool files = !t.files.empty();
  const bool otherTest = !t.gammaPair.empty() || !t.gamma.empty() || !t.clock.empty();
  const bool fillModels =
      files && (!t.variant.empty() || !t.uses.empty() || !t.models.empty() || !otherTest);
  for (std::size_t base = 0; base < choice.rows.size(); ++base) {
    if (!fillModels || in.models[base].ticked) choice.rows[base].reset();
  }
  in.testModels = in.testModels || fillModels;

  if (!t.gamma.empty()) choice.gamma.reset();
  in.testGamma = in.testGamma || choice.gamma.has_value();

  choice.taxa = files && in.testClock && t.taxa.empty();
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CLI::App app(LrtDescription(), "quillet-lrt");
  OptionTexts texts;
  const Options options = Declare(app, texts);

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
  if (std::optional<std::string> broken = Constrain(options, texts)) return fail(*broken);
  // An option given an empty value (a script's unset variable) is a mistake, not an option
  // left out: --report "" would lose the report without a word.
  for (const CLI::Option* option : {options.report, options.clock, options.taxa, options.gamma,
                                    options.variant, options.gammaPair}) {
    if (option->count() > 0 && option->as<std::string>().empty()) {
      return fail(option->get_name() + ": the value is empty; give " + option->get_type_name() +
                  " (an unset variable in a script?)");
    }
  }

  LrtRequest request;
  request.files = texts.files;
  if (texts.list) {
    request.mode = texts.each ? LrtMode::kEach : LrtMode::kList;
    request.list = true;
    request.tsv = true;
    parsed.request = std::move(request);
    return parsed;
  }
  request.mode = texts.each ? LrtMode::kEach : LrtMode::kCalculate;
  request.tsv = texts.tsv || texts.each;
  request.comment = texts.comment;
  if (texts.criteria) {
    request.criteria = true;
    request.best = texts.best;
    if (!texts.each) request.mode = LrtMode::kCriteria;
    if (std::optional<std::string> mistake = ReadCriteriaValues(texts, request)) {
      return fail(*mistake);
    }
    if (!texts.report.empty()) request.report = texts.report;
    parsed.request = std::move(request);
    return parsed;
  }

  if (std::optional<std::string> mistake = ReadValues(texts, request)) return fail(*mistake);
  ChooseFromFiles(texts, request);

  const AnalysisInput& in = request.input;
  if (!in.testModels && !in.testClock && !in.testGamma) {
    return fail("nothing to calculate: give --model, --clock or --gamma, or files (see --help)");
  }
  if (!texts.report.empty()) request.report = texts.report;
  parsed.request = std::move(request);
  return parsed;
}

}  // namespace quillet::cli
