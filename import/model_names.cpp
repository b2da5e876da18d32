#include "import/model_names.h"

#include <array>

#include "import/text_lines.h"

namespace quillet {

namespace {

enum class Frequencies { kUnstated, kEstimated, kEqual };

struct Base {
  std::string_view name;
  Model model;
  bool unequalFrequencies;  // false for JC and K2P, whose frequencies are equal by definition
};

constexpr std::array<Base, 12> kClassicBases = {{
    {"JC", Model::JC, false},
    {"JC69", Model::JC, false},
    {"K2P", Model::K2P, false},
    {"K80", Model::K2P, false},
    {"F81", Model::F81, true},
    {"HKY", Model::HKY85, true},
    {"HKY85", Model::HKY85, true},
    {"TN", Model::TrN, true},
    {"TN93", Model::TrN, true},
    {"TrN", Model::TrN, true},
    {"GTR", Model::GTR, true},
    {"REV", Model::GTR, true},
}};

// TrN and GTR under the names of their equal-frequency variants.
constexpr std::array<std::string_view, 3> kEqualFrequencyNames = {"TNe", "TN93ef", "SYM"};

// Amino-acid matrices of IQ-TREE, RAxML-NG and PhyML; "Q." and "PROTGTR" names are checked
// by prefix.
constexpr std::array<std::string_view, 36> kProteinNames = {
    "LG",      "WAG",     "JTT",       "JTTDCMut", "DCMut", "Dayhoff", "VT",     "Blosum62",
    "cpREV",   "mtREV",   "rtREV",     "mtMAM",    "mtART", "mtZOA",   "PMB",    "HIVb",
    "HIVw",    "FLU",     "LG4M",      "LG4X",     "mtMet", "mtInv",   "mtVer",  "FLAVI",
    "stmtREV", "GTR20",   "Poisson",   "EX2",      "EX3",   "EHO",     "EX_EHO", "JTT-DCMut",
    "mtREV24", "cpREV10", "Dayhoff78", "NQ.pfam"};

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// G, G<digits>, optionally followed by m (means) or a (medians).
bool IsGamma(std::string_view part) {
  if (part.empty() || (part[0] != 'G' && part[0] != 'g')) return false;
  std::size_t i = 1;
  while (i < part.size() && IsDigit(part[i])) ++i;
  if (i < part.size() && (part[i] == 'm' || part[i] == 'M' || part[i] == 'a' || part[i] == 'A')) {
    ++i;
  }
  return i == part.size();
}

// R<digits>: FreeRate categories.
bool IsFreeRate(std::string_view part) {
  if (part.size() < 2 || (part[0] != 'R' && part[0] != 'r')) return false;
  for (std::size_t i = 1; i < part.size(); ++i) {
    if (!IsDigit(part[i])) return false;
  }
  return true;
}

}  // namespace

const char* LeftOutReasonText(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::kOtherModel:
      return "other substitution models";
    case LeftOutReason::kEqualFrequencies:
      return "equal-frequency variants of F81, HKY85, TrN or GTR";
    case LeftOutReason::kUnclearFrequencies:
      return "names that do not say whether base frequencies were equal";
    case LeftOutReason::kFixedParameter:
      return "models with parameters fixed by the user";
    case LeftOutReason::kFreeRate:
      return "FreeRate (+R) models";
    case LeftOutReason::kAscertainment:
      return "models with ascertainment bias correction (+ASC)";
    case LeftOutReason::kOtherPart:
      return "models with other additions";
  }
  return "";
}

NameReading ReadModelName(std::string_view name, PlainNames plain) {
  NameReading reading;
  const std::string_view whole = Trim(name);
  const std::size_t firstPlus = whole.find('+');
  const std::string_view base = Trim(whole.substr(0, firstPlus));
  if (base.empty()) return reading;

  if (base.find('{') != std::string_view::npos) {
    reading.reason = LeftOutReason::kFixedParameter;
    return reading;
  }
  const Base* found = nullptr;
  for (const Base& candidate : kClassicBases) {
    if (EqualsIgnoringCase(base, candidate.name)) found = &candidate;
  }
  if (found == nullptr) {
    for (std::string_view protein : kProteinNames) {
      if (EqualsIgnoringCase(base, protein)) reading.protein = true;
    }
    if (StartsWithIgnoringCase(base, "Q.") || StartsWithIgnoringCase(base, "PROTGTR")) {
      reading.protein = true;
    }
    if (reading.protein) return reading;
    reading.reason = LeftOutReason::kOtherModel;
    for (std::string_view equal : kEqualFrequencyNames) {
      if (EqualsIgnoringCase(base, equal)) reading.reason = LeftOutReason::kEqualFrequencies;
    }
    return reading;
  }

  Frequencies frequencies = Frequencies::kUnstated;
  bool invariants = false;
  bool gamma = false;
  std::string_view rest =
      firstPlus == std::string_view::npos ? std::string_view() : whole.substr(firstPlus + 1);
  bool more = firstPlus != std::string_view::npos;
  while (more) {
    const std::size_t plus = rest.find('+');
    const std::string_view part = Trim(rest.substr(0, plus));
    more = plus != std::string_view::npos;
    if (more) rest.remove_prefix(plus + 1);

    reading.reason = LeftOutReason::kOtherPart;
    if (part.find('{') != std::string_view::npos || StartsWithIgnoringCase(part, "FU") ||
        EqualsIgnoringCase(part, "IU")) {
      reading.reason = LeftOutReason::kFixedParameter;
      return reading;
    }
    if (EqualsIgnoringCase(part, "F") || EqualsIgnoringCase(part, "FO") ||
        EqualsIgnoringCase(part, "FC")) {
      if (frequencies != Frequencies::kUnstated) return reading;
      frequencies = Frequencies::kEstimated;
    } else if (EqualsIgnoringCase(part, "FQ") || EqualsIgnoringCase(part, "FE")) {
      if (frequencies != Frequencies::kUnstated) return reading;
      frequencies = Frequencies::kEqual;
    } else if (EqualsIgnoringCase(part, "I") || EqualsIgnoringCase(part, "IO")) {
      if (invariants) return reading;
      invariants = true;
    } else if (IsGamma(part)) {
      if (gamma) return reading;
      gamma = true;
    } else if (IsFreeRate(part) || EqualsIgnoringCase(part, "R")) {
      reading.reason = LeftOutReason::kFreeRate;
      return reading;
    } else if (StartsWithIgnoringCase(part, "ASC")) {
      reading.reason = LeftOutReason::kAscertainment;
      return reading;
    } else {
      // +IC (a proportion counted from the data rather than estimated), codon frequencies,
      // mixtures, heterotachy, an empty part, and whatever else a program may add.
      return reading;
    }
  }

  if (found->unequalFrequencies) {
    if (frequencies == Frequencies::kEqual ||
        (frequencies == Frequencies::kUnstated && plain == PlainNames::kEqualFrequencies)) {
      reading.reason = LeftOutReason::kEqualFrequencies;
      return reading;
    }
    if (frequencies == Frequencies::kUnstated && plain == PlainNames::kUnknown) {
      reading.reason = LeftOutReason::kUnclearFrequencies;
      return reading;
    }
  } else if (frequencies == Frequencies::kEstimated) {
    // JC or K2P with estimated frequencies is F81 or HKY85 under a name that is not theirs.
    reading.reason = LeftOutReason::kOtherPart;
    return reading;
  }
  reading.model = ClassicModel{found->model, invariants, gamma};
  return reading;
}

}  // namespace quillet
