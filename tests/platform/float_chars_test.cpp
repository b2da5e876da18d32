#include "platform/float_chars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "platform/bit_cast.h"

// The written-out forms, which stand in where the C++ library has no floating-point
// std::to_chars. These run natively and compiled to WebAssembly; natively, where the library
// has its own, they are also held to it over many bit patterns.

namespace quillet {
namespace {

template <typename T>
std::string Shortest(T value) {
  char buffer[64];
  const auto [end, ec] = written_out::ShortestToChars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : "(too long)";
}

std::string Scientific(double value, int precision) {
  char buffer[1200];
  const auto [end, ec] =
      written_out::ScientificToChars(buffer, buffer + sizeof buffer, value, precision);
  return ec == std::errc() ? std::string(buffer, end) : "(too long)";
}

float FloatFromBits(std::uint32_t bits) { return BitCast<float>(bits); }

TEST(ShortestToChars, FloatsInTheFewestCharactersThatReadBack) {
  struct Row {
    const char* name;
    float value;
    const char* expected;
  };
  const Row rows[] = {
      {"a log-likelihood", -3040.1f, "-3040.1"},
      {"a statistic", 10.899902f, "10.899902"},
      {"the 5% level", 0.05f, "0.05"},
      {"a critical value", 3.8414588f, "3.8414588"},
      {"one", 1.0f, "1"},
      {"zero", 0.0f, "0"},
      {"negative zero", -0.0f, "-0"},
      // 0.0001 is one character longer than 1e-04; 0.001 as long as 1e-03, and fixed wins ties
      {"fixed on a tie", 0.001f, "0.001"},
      {"scientific when shorter", 0.0001f, "1e-04"},
      {"two digits, small", 0.00012f, "0.00012"},
      {"two digits, smaller", 1.2e-7f, "1.2e-07"},
      {"ten thousand", 1e4f, "10000"},
      {"a hundred thousand", 1e5f, "1e+05"},
      {"digits and zeros", 1.5e6f, "1500000"},
      {"zeros past five", 1.5e7f, "1.5e+07"},
      // 123456789 has no float of its own: the nearest is 123456792, whose shortest digits
      // are 12345679e1, but an integer in fixed notation shows its exact digits
      {"an integer beyond 2^24", 123456789.0f, "123456792"},
      {"2^24", 16777216.0f, "16777216"},
      {"the largest float", std::numeric_limits<float>::max(), "3.4028235e+38"},
      {"the smallest normal", std::numeric_limits<float>::min(), "1.1754944e-38"},
      {"the smallest subnormal", std::numeric_limits<float>::denorm_min(), "1e-45"},
      {"2^23", 8388608.0f, "8388608"},
      {"nearest of two that read back", 9.0000005e-1f, "0.90000004"},
      {"infinity", std::numeric_limits<float>::infinity(), "inf"},
      {"minus infinity", -std::numeric_limits<float>::infinity(), "-inf"},
      {"not a number", std::numeric_limits<float>::quiet_NaN(), "nan"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Shortest(row.value), row.expected);
  }
}

TEST(ShortestToChars, DoublesInTheFewestCharactersThatReadBack) {
  struct Row {
    const char* name;
    double value;
    const char* expected;
  };
  const Row rows[] = {
      {"a tenth", 0.1, "0.1"},
      {"a sum that is not 0.3", 0.1 + 0.2, "0.30000000000000004"},
      {"a log-likelihood", -3040.123456789, "-3040.123456789"},
      {"a tiny p-value", 1.2345e-300, "1.2345e-300"},
      {"the smallest subnormal", std::numeric_limits<double>::denorm_min(), "5e-324"},
      {"the largest double", std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {"an integer beyond 2^53", 36028797018963968.0, "36028797018963968"},
      {"2^53 + 2", 9007199254740994.0, "9007199254740994"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Shortest(row.value), row.expected);
  }
}

TEST(ShortestToChars, EveryTextReadsBackToItsValue) {
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const float value = FloatFromBits(static_cast<std::uint32_t>(random()));
    if (!std::isfinite(value) || value == 0.0f) continue;
    const std::string text = Shortest(value);
    SCOPED_TRACE(text);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), value);
  }
}

TEST(ScientificToChars, RoundsTheExactValueToThePrecision) {
  struct Row {
    const char* name;
    double value;
    int precision;
    const char* expected;
  };
  const Row rows[] = {
      {"exact digits", 2.125, 3, "2.125e+00"},
      {"a tie to even, down", 2.125, 2, "2.12e+00"},
      {"a tie to even, up", 2.375, 2, "2.38e+00"},
      {"just below a tie", 2.675, 2,
       "2.67e+00"},  // 2.67499999999999982236431605997495353221893310546875
      {"the whole expansion", 0.1, 54,
       "1.000000000000000055511151231257827021181583404541015625e-01"},
      {"zeros beyond it", 0.5, 4, "5.0000e-01"},
      {"no point", 7.0, 0, "7e+00"},
      {"a carry into the next decade", 9.96, 1, "1.0e+01"},
      {"a three-digit exponent", 1e-300, 0, "1e-300"},
      {"zero", 0.0, 2, "0.00e+00"},
      {"negative", -1234.5, 3, "-1.234e+03"},  // 1234.5 is exact: a tie, to even
      {"the largest float", std::numeric_limits<float>::max(), 38,
       "3.40282346638528859811704183484516925440e+38"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Scientific(row.value, row.precision), row.expected);
  }
}

TEST(FloatChars, SayWhenTheBufferIsTooSmall) {
  char buffer[4];
  EXPECT_EQ(written_out::ShortestToChars(buffer, buffer + sizeof buffer, -3040.1f).ec,
            std::errc::value_too_large);
  EXPECT_EQ(written_out::ScientificToChars(buffer, buffer + sizeof buffer, 1.0, 2).ec,
            std::errc::value_too_large);
}

TEST(BitCast, ReadsTheBitsOfAnotherType) {
  EXPECT_EQ(BitCast<std::uint32_t>(1.0f), 0x3F800000U);
  EXPECT_EQ(BitCast<std::uint64_t>(-2.0), 0xC000000000000000ULL);
  EXPECT_EQ(BitCast<float>(0x7F800000U), std::numeric_limits<float>::infinity());
}

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
template <typename T>
std::string LibraryShortest(T value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

TEST(FloatCharsAgainstTheLibrary, ShortestFloatsOfManyBitPatterns) {
  std::mt19937 random(7);
  for (int i = 0; i < 200000; ++i) {
    const float value = FloatFromBits(static_cast<std::uint32_t>(random()));
    ASSERT_EQ(Shortest(value), LibraryShortest(value)) << "bits " << BitCast<std::uint32_t>(value);
  }
  // Integers about 2^24 and round decimals, where fixed and scientific change places.
  for (float value = 1.0f; std::isfinite(value); value *= 10.0f) {
    for (float near : {value, std::nextafter(value, 0.0f),
                       std::nextafter(value, std::numeric_limits<float>::infinity())}) {
      ASSERT_EQ(Shortest(near), LibraryShortest(near));
      ASSERT_EQ(Shortest(1.0f / near), LibraryShortest(1.0f / near));
    }
  }
  for (std::uint32_t n = 16777200; n < 16777300; ++n) {
    ASSERT_EQ(Shortest(static_cast<float>(n) * 7.0f),
              LibraryShortest(static_cast<float>(n) * 7.0f));
  }
}

TEST(FloatCharsAgainstTheLibrary, ShortestDoublesOfManyBitPatterns) {
  std::mt19937_64 random(11);
  for (int i = 0; i < 50000; ++i) {
    const double value = BitCast<double>(static_cast<std::uint64_t>(random()));
    ASSERT_EQ(Shortest(value), LibraryShortest(value)) << "bits " << BitCast<std::uint64_t>(value);
    // Doubles that are floats, as the report's single-precision numbers are.
    const auto single = static_cast<double>(FloatFromBits(static_cast<std::uint32_t>(random())));
    ASSERT_EQ(Shortest(single), LibraryShortest(single));
  }
}

TEST(FloatCharsAgainstTheLibrary, ScientificAtEveryPrecisionTheFormatterAsks) {
  std::mt19937_64 random(13);
  for (int i = 0; i < 20000; ++i) {
    const double value = BitCast<double>(static_cast<std::uint64_t>(random()));
    const int precision = static_cast<int>(random() % 40);
    char buffer[1200];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         std::chars_format::scientific, precision);
    ASSERT_EQ(Scientific(value, precision), std::string(buffer, end));
  }
}
#endif

}  // namespace
}  // namespace quillet
