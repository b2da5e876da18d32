#include "cli/option_values.h"

#include <cstring>
#include <utility>

#include "platform/parse.h"

namespace quillet::cli {

namespace {

constexpr char kModelNames[] =
    "use JC, K2P, F81, HKY85, TrN or GTR, optionally followed by +I, +G or +I+G";

// "A,B" as its two halves, split at the first comma; nothing without a comma.
std::optional<std::pair<std::string, std::string>> SplitAtComma(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  return std::pair{text.substr(0, comma), text.substr(comma + 1)};
}

// "X+G,X  X+I,X  X+I+G,X+G  X+I+G,X+I": the gamma pairs of any base model X.
std::string GammaPairsText() {
  auto name = [](const ClassicModel& model) {
    return "X" + CanonicalName(model).substr(std::strlen(ModelName(model.base)));
  };
  std::string text;
  for (const GammaPair& pair : GammaPairsOf(Model::JC)) {
    text += (text.empty() ? "" : "  ") + name(pair.with) + "," + name(pair.without);
  }
  return text;
}

// The text without the blanks and tabs a field may have around its number.
std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::optional<double> Number(const std::string& text) { return ParseDoubleField(text); }

bool ReadPair(const std::string& option, const std::string& text, double& with, double& without,
              std::string& error) {
  const std::optional<std::pair<std::string, std::string>> halves = SplitAtComma(text);
  const std::optional<double> first = halves ? Number(halves->first) : std::nullopt;
  const std::optional<double> second = halves ? Number(halves->second) : std::nullopt;
  if (!first || !second) {
    error = option + ": '" + text + "' is not two numbers WITH,WITHOUT (for example " +
            "-3040.10,-3044.35)";
    return false;
  }
  with = *first;
  without = *second;
  return true;
}

bool ReadFittedModel(const std::string& text, FittedModel& fitted, std::string& error) {
  const std::size_t equals = text.find('=');
  const std::string name = text.substr(0, equals);
  const std::optional<ClassicModel> model = ParseCanonicalName(name);
  if (!model) {
    error = "--model: '" + name + "' is not a model; " + kModelNames;
    return false;
  }
  const std::string written = equals == std::string::npos ? "" : text.substr(equals + 1);
  const std::optional<double> lnL = equals == std::string::npos ? std::nullopt : Number(written);
  if (!lnL) {
    error = "--model: '" + text + "' needs a number after '=' (for example " + name + "=-3045.55)";
    return false;
  }
  fitted = {*model, *lnL, std::string(Trim(written))};
  return true;
}

bool ReadModel(const std::string& text, AnalysisInput& input, std::string& error) {
  FittedModel fitted;
  if (!ReadFittedModel(text, fitted, error)) return false;
  const ClassicModel& model = fitted.model;
  if (input[model.base].ticked) {
    error = std::string("--model: one value per base model; ") + ModelName(model.base) +
            " is given twice";
    return false;
  }
  input[model.base] = {true, fitted.lnL, model.gamma, model.invariants};
  return true;
}

bool ReadVariant(const std::string& text, ImportChoice& choice, std::string& error) {
  for (const ClassicModel& variant : VariantsOf(Model::JC)) {
    if (text != VariantName(variant)) continue;
    for (std::size_t base = 0; base < choice.rows.size(); ++base) {
      choice.rows[base] = ClassicModel{static_cast<Model>(base), variant.invariants, variant.gamma};
    }
    return true;
  }
  error = "--variant: '" + text + "' is not a variant; use plain, +I, +G or +I+G";
  return false;
}

bool ReadUse(const std::string& text, const AnalysisInput& input, ImportChoice& choice,
             std::array<bool, 6>& named, std::string& error) {
  const std::optional<ClassicModel> model = ParseCanonicalName(text);
  if (!model) {
    error = "--use: '" + text + "' is not a model; " + kModelNames;
    return false;
  }
  const auto base = static_cast<std::size_t>(model->base);
  if (named[base]) {
    error = std::string("--use: one variant per base model; ") + ModelName(model->base) +
            " is chosen twice";
    return false;
  }
  if (input[model->base].ticked) {
    error = "--use " + text + ": " + ModelName(model->base) +
            " has its value from --model already; give one of the two";
    return false;
  }
  named[base] = true;
  choice.rows[base] = *model;
  return true;
}

bool ReadGammaPair(const std::string& text, ImportChoice& choice, std::string& error) {
  const std::optional<std::pair<std::string, std::string>> halves = SplitAtComma(text);
  const std::optional<ClassicModel> with =
      halves ? ParseCanonicalName(halves->first) : std::nullopt;
  const std::optional<ClassicModel> without =
      halves ? ParseCanonicalName(halves->second) : std::nullopt;
  if (!with || !without) {
    error = "--gamma-pair: '" + text +
            "' is not two models WITH,WITHOUT (for example GTR+I+G,GTR+G); " + kModelNames;
    return false;
  }
  const GammaPair pair{*with, *without};
  if (IsGammaPair(pair)) {
    choice.gamma = pair;
    return true;
  }
  // WITH adds +I and/or +G to what WITHOUT has and drops nothing, but not one parameter alone:
  // X+I+G against X.
  const bool nested = with->base == without->base && (with->gamma || !without->gamma) &&
                      (with->invariants || !without->invariants) && !(*with == *without);
  if (nested) {
    error = "--gamma-pair: '" + text +
            "' is two parameters apart (+I and +G), and the gamma test has one degree of "
            "freedom; it takes a model and the same model with one parameter more: " +
            GammaPairsText() +
            ". Models more parameters apart are a row of the test of models (--model, --use), "
            "which counts the parameters of each row";
  } else {
    error = "--gamma-pair: '" + text +
            "' is not one model with and without gamma or invariable sites; the pairs are " +
            GammaPairsText() + " (for example GTR+G,GTR)";
  }
  return false;
}

}  // namespace quillet::cli
