#include "import/model_names.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

struct NameCase {
  const char* name;
  PlainNames plain;
  const char* expected;  // canonical name of the model read, or the reason it is left out
};

std::string Outcome(const NameReading& reading) {
  if (reading.protein) return "protein";
  if (reading.model) return CanonicalName(*reading.model);
  return LeftOutReasonText(reading.reason);
}

constexpr auto kNew = PlainNames::kEqualFrequencies;
constexpr auto kOld = PlainNames::kClassic;
constexpr auto kUnknown = PlainNames::kUnknown;

const char* const kOther = "other substitution models";
const char* const kEqual = "equal-frequency variants of F81, HKY85, TrN or GTR";
const char* const kUnclear = "names that do not say whether base frequencies were equal";
const char* const kFixed = "models with parameters fixed by the user";
const char* const kFreeRate = "FreeRate (+R) models";
const char* const kOtherPart = "models with other additions";

TEST(ReadModelName, MapsEachProgramsSpellingToTheClassicModelOrSaysWhyNot) {
  const NameCase cases[] = {
      // IQ-TREE 1.6 and later write the estimated frequencies as +F.
      {"JC", kNew, "JC"},
      {"JC+I+G4", kNew, "JC+I+G"},
      {"K2P+G4", kNew, "K2P+G"},
      {"F81+F+I", kNew, "F81+I"},
      {"HKY+F+I+G4", kNew, "HKY85+I+G"},
      {"TN+F+G4", kNew, "TrN+G"},
      {"GTR+F", kNew, "GTR"},
      // ... and a name without it is the equal-frequency variant.
      {"F81", kNew, kEqual},
      {"HKY+G4", kNew, kEqual},
      {"GTR+I+G4", kNew, kEqual},
      {"TNe+I", kNew, kEqual},
      {"SYM+G4", kNew, kEqual},
      // Up to 1.5 the plain names were the classic models.
      {"HKY+G4", kOld, "HKY85+G"},
      {"GTR", kOld, "GTR"},
      {"F81+I", kOld, "F81+I"},
      {"HKY+G", kUnknown, kUnclear},
      {"JC+G", kUnknown, "JC+G"},  // JC's frequencies are equal whatever the version
      // Explicit frequency parts mean the same under any convention.
      {"HKY+FQ", kOld, kEqual},
      {"GTR+FE+G4m", kOld, kEqual},
      {"GTR+FO+G4m", kOld, "GTR+G"},
      {"TN93+FC+I", kOld, "TrN+I"},
      {"K80+FE", kOld, "K2P"},
      {"JC+F", kNew, kOtherPart},  // F81 in effect, but not under its own name
      // Other programs' spellings.
      {"JC69", kOld, "JC"},
      {"K80+I", kOld, "K2P+I"},
      {"HKY85+I+G", kOld, "HKY85+I+G"},
      {"TrN+G+I", kOld, "TrN+I+G"},
      {"REV+G", kOld, "GTR+G"},
      {"gtr + i + g", kOld, "GTR+I+G"},
      {"GTR+G8", kOld, "GTR+G"},
      {"GTR+G4a", kOld, "GTR+G"},
      {"GTR+IO+G4", kOld, "GTR+I+G"},
      // Not among the 24.
      {"TPM3u+F+I+G4", kNew, kOther},
      {"TIM2e", kNew, kOther},
      {"F84", kOld, kOther},
      {"GTR+F+R4", kNew, kFreeRate},
      {"GTR+F+I+R3", kNew, kFreeRate},
      {"GTR+F+G4{0.5}", kNew, kFixed},
      {"GTR{1/2/3/4/5}+FO", kOld, kFixed},
      {"HKY+FU{0.1/0.2/0.3/0.4}", kOld, kFixed},
      {"GTR+IU{0.3}+G4", kOld, kFixed},
      {"GTR+IC+G4", kOld, kOtherPart},  // a proportion counted, not estimated
      {"GTR+F+ASC", kNew, "models with ascertainment bias correction (+ASC)"},
      {"GTR+F+G4+G8", kNew, kOtherPart},
      {"GTR+F+I+I", kNew, kOtherPart},
      {"GTR+F+FQ", kNew, kOtherPart},
      {"GTR+", kOld, kOtherPart},
      {"", kOld, kOther},
      {"+G", kOld, kOther},
      // Amino-acid models make the whole file one to refuse.
      {"LG+G4", kNew, "protein"},
      {"JTT+G4m", kOld, "protein"},
      {"Q.PFAM+I+G4", kNew, "protein"},
      {"VT+FC+G4m", kOld, "protein"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Outcome(ReadModelName(c.name, c.plain)), c.expected);
  }
}

}  // namespace
}  // namespace quillet
