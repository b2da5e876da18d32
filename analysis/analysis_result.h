#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/model.h"
#include "stats/lrt.h"

namespace quillet {

// A message for the user, shown by the window as a box (an empty caption shows the program's
// name) and by the command line on stderr.
struct Notice {
  std::string text;
  std::string caption;
  bool operator==(const Notice&) const = default;
};

// The fields whose value can make a calculation meaningless.
enum class InputField {
  kPValue,
  kTaxa,
  kLnLClock,
  kLnLNoClock,
  kLnLGamma,
  kLnLNoGamma,
  kModelLnL,  // of `Refusal::model`
};

// Why a calculation was refused before anything was computed: the field, what is wrong with
// its value (`reason`, which names neither the field nor how it was given) and a message that
// names the field as the window labels it. The command line names its option instead.
struct Refusal {
  InputField field;
  std::string message;
  std::string reason;
  std::optional<Model> model;
  bool operator==(const Refusal&) const = default;
};

// One model tested against the reference.
struct ModelComparison {
  Model model;
  double lnL = 0;  // the compared model's; the reference's is the test's second log-likelihood
  LrtOutcome outcome;
};

struct ModelTestResult {
  std::optional<Model> reference;  // the most complex model ticked with a value
  double referenceLnL = 0;
  std::vector<ModelComparison> compared;  // in the order they were computed
};

// What a calculation gives: the numbers and texts of every test that ran, and the notices in
// the order the window shows them.
struct AnalysisResult {
  std::optional<Refusal> refusal;  // when set, nothing else was computed
  std::vector<Notice> notices;

  std::optional<LrtOutcome> clock;  // the clock test ran
  bool clockMissing = false;        // it was asked for but a value was missing
  std::optional<LrtOutcome> gamma;
  bool gammaMissing = false;
  ModelTestResult models;

  // Whether any likelihood ratio test was computed.
  bool AnyTestRan() const { return clock || gamma || !models.compared.empty(); }
};

}  // namespace quillet
