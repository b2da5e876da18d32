#include "import/gamma_pair.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/model_name.h"

namespace quillet {
namespace {

using testing::M;

// The gamma test has one degree of freedom: WITH is WITHOUT with one parameter more.
TEST(IsGammaPair, OneParameterMoreOfTheSameModel) {
  struct Case {
    const char* name;
    const char* with;
    const char* without;
    bool pair;
  };
  const Case cases[] = {
      {"gamma added", "HKY85+G", "HKY85", true},
      {"invariable sites added", "HKY85+I", "HKY85", true},
      {"invariable sites added to gamma", "GTR+I+G", "GTR+G", true},
      {"gamma added to invariable sites", "GTR+I+G", "GTR+I", true},
      {"both added: two parameters", "GTR+I+G", "GTR", false},
      {"the wrong way round", "GTR", "GTR+G", false},
      {"one swapped for the other", "GTR+G", "GTR+I", false},
      {"one model twice", "GTR+G", "GTR+G", false},
      {"two base models", "GTR+G", "HKY85", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsGammaPair({M(c.with), M(c.without)}), c.pair);
  }
}

TEST(GammaPairsOf, TheFourPairsOfABaseModelInTheWindowsOrder) {
  std::vector<std::string> described;
  for (const GammaPair& pair : GammaPairsOf(Model::K2P)) described.push_back(DescribePair(pair));
  EXPECT_EQ(described,
            (std::vector<std::string>{"K2P+G against K2P", "K2P+I against K2P",
                                      "K2P+I+G against K2P+G", "K2P+I+G against K2P+I"}));
}

}  // namespace
}  // namespace quillet
