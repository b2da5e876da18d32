#pragma once

#include <optional>
#include <string_view>

#include "analysis/classic_model.h"

namespace quillet {

// What a name without a frequency part (F81, HKY, TN, GTR) means. IQ-TREE from 1.6 on names
// the estimated-frequency models "HKY+F" and so on, and a name without +F is the
// equal-frequency variant; up to 1.5, and in most other programs and in hand-made tables, the
// plain name is the classic model with its frequencies taken from the data.
enum class PlainNames { kClassic, kEqualFrequencies, kUnknown };

// Why a model is not among the 24. The readers count these and say so in a note.
enum class LeftOutReason {
  kOtherModel,          // TIM, TPM, K3P, SYM, F84, UNREST, ...
  kEqualFrequencies,    // F81, HKY, TN or GTR with equal base frequencies
  kUnclearFrequencies,  // a plain name whose meaning the file does not settle
  kFixedParameter,      // a value set by the user ("+G4{0.5}", "+FU", "+IU")
  kFreeRate,            // +R
  kAscertainment,       // +ASC
  kOtherPart,           // anything else after the base name
};
inline constexpr int kLeftOutReasonCount = 7;

// How a reason reads in a note, plural ("FreeRate (+R) models").
const char* LeftOutReasonText(LeftOutReason reason);

// What a model name from another program's output says.
struct NameReading {
  std::optional<ClassicModel> model;                  // set when it is one of the 24
  LeftOutReason reason = LeftOutReason::kOtherModel;  // otherwise, why not
  bool protein = false;                               // an amino-acid model (LG, WAG, ...)
};

// Reads names such as "HKY+F+I+G4", "TN93+FO+G4m", "K80+I", "JC69", "REV+G", "HKY85+I+G".
// Case and blanks around "+" do not matter; the parts after the base may come in any order.
// Gamma with any number of categories (+G, +G4, +G8, +G4m for means, +G4a for medians) is the
// classic +G; +I and +IO are the estimated proportion of invariable sites. Frequencies: +F,
// +FO and +FC (estimated or counted) against +FQ and +FE (equal).
NameReading ReadModelName(std::string_view name, PlainNames plain);

}  // namespace quillet
