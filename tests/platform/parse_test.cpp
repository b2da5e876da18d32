#include "platform/parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/format.h"

namespace quillet {
namespace {

constexpr float kFloatInf = std::numeric_limits<float>::infinity();

TEST(ParseFloatField, AcceptsTheLongestDecimalNumberAndNothingElse) {
  struct Row {
    const char* text;
    std::optional<float> expected;
  };
  const Row rows[] = {
      {"0.05", 0.05f},
      {".05", 0.05f},  // not zero, so no leading digit is needed
      {"  -1234.5678\t ", -1234.5678f},
      {"\t+3.5", 3.5f},
      {"1.", 1.0f},
      {"-2.5e+3", -2500.0f},
      {"1E2", 100.0f},
      {"0", 0.0f},
      {"0.0", 0.0f},
      {"000", 0.0f},
      {"0e7", 0.0f},
      {"1e39", kFloatInf},  // beyond float: an infinity of its sign, no message
      {"-1e39", -kFloatInf},
      {"1e400", kFloatInf},
      {"-1e99999999999", -kFloatInf},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-0", std::nullopt},  // a zero needs the digit 0 first
      {".0", std::nullopt},
      {"+0", std::nullopt},
      {"1e-400", std::nullopt},  // underflows to zero without a leading 0
      {"0,05", std::nullopt},    // no comma, whatever the locale
      {"0x10", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"5 x", std::nullopt},
      {"1 2", std::nullopt},
      {"abc", std::nullopt},
      {"\n5", std::nullopt},
      // The whole field is read, however long.
      {"1234567890123456789012345678901", 1234567890123456789012345678901.0f},
      {"1                              x", std::nullopt},
      {"                               5", 5.0f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << '"' << row.text << '"');
    EXPECT_EQ(ParseFloatField(row.text), row.expected);
  }
}

TEST(ParseFloatField, RoundsThroughDoubleToFloat) {
  EXPECT_EQ(ParseFloatField("3.841459"), static_cast<float>(3.841459));
  EXPECT_EQ(ParseFloatField("-3062.80"), -3062.8f);
  EXPECT_EQ(ParseFloatField("3.4028235e38"), std::numeric_limits<float>::max());
}

TEST(ParseDoubleField, KeepsTheDecimalsThatSinglePrecisionLoses) {
  EXPECT_EQ(ParseDoubleField("-1234567.89"), -1234567.89);
  EXPECT_EQ(ParseDoubleField(" -12345.66\t"), -12345.66);
  EXPECT_EQ(ParseDoubleField("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ParseDoubleField("1e-400"), std::nullopt);  // a zero not written as one
  EXPECT_EQ(ParseDoubleField("-0"), std::nullopt);
}

TEST(ParseDoubleField, RoundsAtTheEdgesOfTheDoubleRange) {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  struct Row {
    const char* text;
    std::optional<double> expected;
  };
  const Row rows[] = {
      {"1.7976931348623157e308", kMax},
      {"1.7976931348623158e308", kMax},  // below the halfway point to 2^1024
      {"1.7976931348623159e308", std::numeric_limits<double>::infinity()},
      {"4.9406564584124654e-324", kTiny},
      {"2.5e-324", kTiny},         // more than half of the smallest subnormal
      {"2.4e-324", std::nullopt},  // less: zero, not written as one
      {"2.2250738585072011e-308", 2.2250738585072009e-308},  // a subnormal, not flushed
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseDoubleField(row.text), row.expected);
  }
}

TEST(DecimalsWritten, CountsTheDecimalsAsTheNumberStands) {
  struct Row {
    const char* text;
    int decimals;
  };
  for (const Row& row : {Row{"-3040.10", 2}, Row{"-3.0401e3", 1}, Row{"12", 0}, Row{"5e-2", 2},
                         Row{" -7.250 ", 3}, Row{"1.5e+10", 0}, Row{".5", 1}}) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(DecimalsWritten(row.text), row.decimals);
  }
}

TEST(ParseIntField, AcceptsSignedDecimalIntegersInThe32BitRange) {
  struct Row {
    const char* text;
    std::optional<int> expected;
  };
  const Row rows[] = {
      {"0", 0},
      {"12", 12},
      {" -7 \t", -7},
      {"+7", 7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int>::min()},
      {"2147483648", std::nullopt},  // never wraps or clamps
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"-0", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"12a", std::nullopt},
      {"-", std::nullopt},
      {"0x1A", std::nullopt},
      {"                              12", 12},  // the whole field is read
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << '"' << row.text << '"');
    EXPECT_EQ(ParseIntField(row.text), row.expected);
  }
}

// A number is never taken from a prefix of the field: every character counts, whatever the
// length, and the conversion stays exact however many digits there are.
TEST(ParseFloatField, ReadsTheWholeFieldHoweverLong) {
  const std::string megabyteOfBlanks(1 << 20, ' ');
  const std::string thousandZeros(1000, '0');
  // 1 + 2^-24 + 2^-53, exactly halfway between two doubles: it rounds to the even one,
  // 1 + 2^-24, which is halfway between two floats and rounds to 1. The least bit more makes
  // the double 1 + 2^-24 + 2^-52 and the float 1 + 2^-23.
  const std::string halfway = "1.00000005960464488641292746251565404236316680908203125";
  const float aboveOne = 1.0f + 0x1p-23f;
  struct Row {
    const char* name;
    std::string text;
    std::optional<float> expected;
  };
  const Row rows[] = {
      {"36 digits, not their first 31", "-123456789012345678901234567890123456",
       static_cast<float>(-123456789012345678901234567890123456.0)},
      {"a letter after 40 characters", "-1234.5" + std::string(40, ' ') + "x", std::nullopt},
      {"a megabyte of blanks on either side", megabyteOfBlanks + "-3062.8\t" + megabyteOfBlanks,
       -3062.8f},
      {"a megabyte of blanks only", megabyteOfBlanks, std::nullopt},
      {"a megabyte of leading zeros", std::string(1 << 20, '0') + "7.25", 7.25f},
      {"a thousand digits", "1" + thousandZeros, kFloatInf},
      {"a thousand fraction digits and their exponent", "0." + thousandZeros + "1e1001", 1.0f},
      {"two million fraction digits and their exponent",
       "-0." + std::string(2'000'000, '0') + "25e2000001", -2.5f},
      {"the same, beyond the float range", "0." + std::string(2'000'000, '0') + "25e2500000",
       kFloatInf},
      {"an exponent with many leading zeros", "1e" + thousandZeros + "1", 10.0f},
      {"an exponent of many digits", "0.001e99999999999999999999999", kFloatInf},
      {"a negative exponent of many digits", "0e-99999999999999999999999", 0.0f},
      {"halfway between doubles", halfway, 1.0f},
      {"halfway, then zeros", halfway + thousandZeros, 1.0f},
      {"halfway, then a 1 within 800 digits", halfway + std::string(100, '0') + "1", aboveOne},
      {"halfway, then a 1 far beyond 800 digits", halfway + thousandZeros + "1", aboveOne},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ParseFloatField(row.text), row.expected);
  }
}

TEST(ParseIntField, ReadsTheWholeFieldHoweverLong) {
  struct Row {
    const char* name;
    std::string text;
    std::optional<int> expected;
  };
  const Row rows[] = {
      {"36 digits, not their first 31", "123456789012345678901234567890123456", std::nullopt},
      {"a megabyte of blanks on either side",
       std::string(1 << 20, '\t') + "-7" + std::string(1 << 20, ' '), -7},
      {"a megabyte of leading zeros", std::string(1 << 20, '0') + "42", 42},
      {"a letter after a megabyte of blanks", "5" + std::string(1 << 20, ' ') + "x", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ParseIntField(row.text), row.expected);
  }
}

// What the window shows of a float reads back as the value rounded to six digits.
TEST(ParseFloatField, ReadsBackWhatTheFormatterShows) {
  const float values[] = {0.05f, -1234.5678f, 1e-5f, 3.84147334f, 524287.0f, -3050.25f, 1e30f};
  for (float value : values) {
    SCOPED_TRACE(value);
    const std::string shown = FormatGeneral(value, 6);
    const std::optional<float> back = ParseFloatField(shown);
    ASSERT_TRUE(back.has_value()) << shown;
    EXPECT_EQ(FormatGeneral(*back, 6), shown);
    EXPECT_NEAR(*back, value, std::fabs(value) * 5e-6);
  }
}

}  // namespace
}  // namespace quillet
