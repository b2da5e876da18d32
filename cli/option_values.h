#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/analysis_input.h"
#include "analysis/criteria.h"
#include "import/gamma_pair.h"
#include "import/import_choice.h"

namespace quillet::cli {

// The readers of the options' values. Each reads one option's text; on a mistake it returns
// false and sets `error` to the message, which names the option and what it takes.

// A number as the window's fields read it, so the same text gives the same result everywhere:
// in double precision, as log-likelihoods and the significance level are kept.
std::optional<double> Number(const std::string& text);

// "WITH,WITHOUT": two log-likelihoods of --clock or --gamma (`option`).
bool ReadPair(const std::string& option, const std::string& text, double& with, double& without,
              std::string& error);

// --model "HKY85+G=-3045.55": ticks and fills the row of its base model, which no other
// --model may give.
bool ReadModel(const std::string& text, AnalysisInput& input, std::string& error);

// --model "GTR+I+G=-3040.10" of --criteria: a classic model and its ln L, kept as written.
bool ReadFittedModel(const std::string& text, FittedModel& model, std::string& error);

// --variant "+I+G": the variant of every model row taken from the files.
bool ReadVariant(const std::string& text, ImportChoice& choice, std::string& error);

// --use "HKY85+G": the variant of one model row taken from the files, which `named` records.
// One per base model, and not for a row --model already filled in `input`.
bool ReadUse(const std::string& text, const AnalysisInput& input, ImportChoice& choice,
             std::array<bool, 6>& named, std::string& error);

// --gamma-pair "GTR+I+G,GTR+G": the gamma test's two models, a gamma pair (IsGammaPair).
bool ReadGammaPair(const std::string& text, ImportChoice& choice, std::string& error);

}  // namespace quillet::cli
