#include "import/decimal_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace quillet {
namespace {

TEST(DecimalValue, ReadsTheDecimalsFilesWriteAndNothingElse) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"-9533.4938", -9533.4938},
      {"9533.494", 9533.494},
      {"+1.5", 1.5},
      {"-.5", -0.5},
      {"7.", 7.0},
      {"-8.027620e+03", -8027.62},
      {"1E2", 100.0},
      {"0", 0.0},
      {"", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1e", std::nullopt},
      {"1e1234", std::nullopt},  // four exponent digits
      {"1e400", std::nullopt},   // beyond double
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x1p3", std::nullopt},
      {"-1234,5", std::nullopt},  // no decimal comma
      {"1 2", std::nullopt},
      {" 1", std::nullopt},
      {"--1", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DecimalValue(c.text), c.value);
  }
}

TEST(NegatedDecimal, TurnsTheSignRoundAndKeepsTheDigits) {
  struct Case {
    const char* text;
    const char* negated;
  };
  const Case cases[] = {
      {"9533.494", "-9533.494"}, {"-2.50", "2.50"}, {"+1", "-1"},
      {"0.000", "0.000"},        {"-0.0", "0.0"},   {"1.5e3", "-1.5e3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NegatedDecimal(c.text), c.negated);
  }
}

TEST(AgreeToPrecision, AcceptsOneValuePrintedAtTwoPrecisionsAndNothingFurtherApart) {
  struct Case {
    const char* name;
    const char* a;
    const char* b;
    bool agree;
  };
  const Case cases[] = {
      {"same text", "-1.5", "-1.5", true},
      {"trailing zero", "-1.5", "-1.50", true},
      {"report and log", "-9533.494", "-9533.4938", true},
      {"either order", "-9533.4938", "-9533.494", true},
      {"exactly half a unit", "-1.235", "-1.2345", true},
      {"rounded twice", "-1.234", "-1.2345", true},
      {"just beyond half a unit", "-1.235", "-1.2344", false},
      {"same precision, one digit off", "-6172.58029", "-6172.58028", false},
      {"different values", "-6172.58029", "-6181.13414", false},
      {"sign differs", "-0.5", "0.5", false},
      {"zero and tiny", "0", "-0.4", true},
      {"zero and half", "0", "-0.6", false},
      {"exponent form", "-8.0276e3", "-8027.6", true},
      {"not a decimal", "-1.5", "x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AgreeToPrecision(c.a, c.b), c.agree);
  }
}

}  // namespace
}  // namespace quillet
