#include <CLI/CLI.hpp>

#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/classic_model.h"
#include "cli/lrt_request.h"
#include "cli/version.h"
#include "platform/parse.h"

namespace quillet::cli {

namespace {

constexpr char kDescription[] =
    "Likelihood ratio tests of nucleotide substitution models against the chi-square "
    "distribution: the models given are tested against the most complex of them, the molecular "
    "clock and gamma/invariable sites each against the simpler hypothesis. Numbers are read "
    "as the Quillet window reads them.";

// A number as the window's fields read it, so the same text gives the same result everywhere.
std::optional<float> Number(const std::string& text) { return ParseFloatField(text); }

// "WITH,WITHOUT": two log-likelihoods.
bool ReadPair(const std::string& option, const std::string& text, float& with, float& without,
              std::string& error) {
  const std::size_t comma = text.find(',');
  const std::optional<float> first = comma == std::string::npos ? std::nullopt
                                                                 : Number(text.substr(0, comma));
  const std::optional<float> second =
      comma == std::string::npos ? std::nullopt : Number(text.substr(comma + 1));
  if (!first || !second) {
    error = option + ": '" + text + "' is not two numbers WITH,WITHOUT (for example " +
            "-3040.10,-3044.35)";
    return false;
  }
  with = *first;
  without = *second;
  return true;
}

// "HKY85+G=-3045.55": one model row.
bool ReadModel(const std::string& text, AnalysisInput& input, std::array<bool, 6>& given,
               std::string& error) {
  const std::size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const std::optional<ClassicModel> model = ParseCanonicalName(name);
  if (!model) {
    error = "--model: '" + name +
            "' is not a model; use JC, K2P, F81, HKY85, TrN or GTR, optionally followed by +I, "
            "+G or +I+G";
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

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CLI::App app(kDescription, "quillet-lrt");
  app.set_version_flag("--version", std::string("quillet-lrt ") + kVersion);
  app.get_formatter()->column_width(30);

  std::string pValue = "0.05";
  std::vector<std::string> models;
  std::string clock;
  std::string taxa;
  std::string gamma;
  LrtRequest request;
  std::string report;
  app.add_option("-p,--p-value", pValue, "Significance level of every test (default 0.05)")
      ->type_name("P");
  app.add_option("--model", models,
                 "A model and its ln L, repeatable, one per base model: JC, K2P, F81, HKY85, TrN "
                 "or GTR, optionally +I, +G or +I+G (HKY85+G=-3045.55)")
      ->type_name("NAME=LNL")
      ->allow_extra_args(false);
  app.add_option("--clock", clock, "ln L with and without the molecular clock; needs --taxa")
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
  app.footer(
      "Exit status: 0 when every test asked for ran, 1 when one could not run (a value of 0 "
      "counts as missing) or the report could not be written, 2 when the command line or a "
      "value was refused. See quillet-lrt(1).");

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
  AnalysisInput& in = request.input;
  std::string error;

  const std::optional<float> p = Number(pValue);
  if (!p) return fail("--p-value: '" + pValue + "' is not a number");
  in.pValue = *p;

  std::array<bool, 6> given{};
  for (const std::string& model : models) {
    if (!ReadModel(model, in, given, error)) return fail(error);
  }
  in.testModels = !models.empty();

  if (!clock.empty()) {
    if (!ReadPair("--clock", clock, in.lnLClock, in.lnLNoClock, error)) return fail(error);
    if (taxa.empty()) return fail("--clock needs --taxa N, the number of taxa");
    const std::optional<int> n = ParseIntField(taxa);
    if (!n) return fail("--taxa: '" + taxa + "' is not a whole number");
    in.taxa = *n;
    in.testClock = true;
  } else if (!taxa.empty()) {
    return fail("--taxa is for the clock test; give --clock WITH,WITHOUT too");
  }

  if (!gamma.empty()) {
    if (!ReadPair("--gamma", gamma, in.lnLGamma, in.lnLNoGamma, error)) return fail(error);
    in.testGamma = true;
  }

  if (!in.testModels && !in.testClock && !in.testGamma) {
    return fail("nothing to calculate: give --model, --clock or --gamma (see --help)");
  }
  if (!report.empty()) request.report = report;
  parsed.request = std::move(request);
  return parsed;
}

}  // namespace quillet::cli
